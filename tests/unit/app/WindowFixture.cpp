#include "WindowFixture.h"

#include <arpa/inet.h>
#include <iconv.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Texts.h"

namespace apptest {

std::string Cp949(const std::string& utf8) {
  iconv_t cd = iconv_open("CP949", "UTF-8");
  std::string out(utf8.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("not encodable in CP949");
  out.resize(out.size() - outLeft);
  return out;
}

std::string UnzipLibraryBytes() {
  std::ifstream in(SETUP_UNZDLL_PATH, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int ClosedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

void Rig::CreateForms(const std::string& programPath) {
  CreateForms(programPath, server.Port());
}

void Rig::CreateForms(const std::string& programPath, int port) {
  app.Title = setup::text::kAppTitle;
  drives.System().programPath = programPath;
  form1 = &app.CreateForm<setup::TForm1>(drives.System(), setup::ServerConfig{"127.0.0.1", port});
  form2 = &app.CreateForm<setup::TForm2>(drives.System(), form1->ipath);
  form1->Form2 = form2;
}

void Rig::ServeProduct(const std::string& descriptorUtf8, const std::string& code) {
  server.AddFile("/files/" + code + ".txt", Cp949(descriptorUtf8));
  server.AddFile("/files/UNZDLL.DLL", UnzipLibraryBytes());
}

std::vector<std::string> Rig::BoxTexts() const {
  std::vector<std::string> texts;
  for (const auto& box : backend.boxes) texts.push_back(box.text);
  return texts;
}

}  // namespace apptest
