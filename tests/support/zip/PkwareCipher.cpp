#include "PkwareCipher.h"

#include <zlib.h>

namespace zipfixture {
namespace {

class Keys {
 public:
  explicit Keys(const std::string& password) {
    for (char c : password) Update(static_cast<uint8_t>(c));
  }
  uint8_t Encrypt(uint8_t plain) {
    const uint32_t t = (k2_ | 2) & 0xFFFF;
    const auto pad = static_cast<uint8_t>((t * (t ^ 1)) >> 8);
    Update(plain);
    return static_cast<uint8_t>(plain ^ pad);
  }

 private:
  static uint32_t Crc(uint32_t crc, uint8_t b) {
    return static_cast<uint32_t>(get_crc_table()[(crc ^ b) & 0xFF]) ^ (crc >> 8);
  }
  void Update(uint8_t c) {
    k0_ = Crc(k0_, c);
    k1_ = (k1_ + (k0_ & 0xFF)) * 134775813u + 1;
    k2_ = Crc(k2_, static_cast<uint8_t>(k1_ >> 24));
  }
  uint32_t k0_ = 0x12345678, k1_ = 0x23456789, k2_ = 0x34567890;
};

}  // namespace

std::string PkwareEncrypt(const std::string& plain, const std::string& password, uint32_t crc) {
  std::string header(12, '\0');
  for (size_t i = 0; i < 11; ++i)
    header[i] = static_cast<char>(0x5A + 7 * i);  // fixed: tests repeat
  header[11] = static_cast<char>(crc >> 24);
  Keys keys(password);
  std::string out;
  out.reserve(header.size() + plain.size());
  for (char c : header + plain) {
    out.push_back(static_cast<char>(keys.Encrypt(static_cast<uint8_t>(c))));
  }
  return out;
}

}  // namespace zipfixture
