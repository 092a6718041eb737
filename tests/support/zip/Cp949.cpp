#include <iconv.h>

#include <stdexcept>

#include "ZipFixture.h"

namespace zipfixture {

std::string Cp949(const std::string& utf8) {
  iconv_t cd = iconv_open("CP949", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP949 converter");
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) throw std::runtime_error("not representable in CP949");
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace zipfixture
