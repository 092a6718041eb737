// The traditional PKWARE stream cipher of the zip format ("ZipCrypto"), encryption side.
#pragma once

#include <cstdint>
#include <string>

namespace zipfixture {

// The 12-byte encryption header followed by the encrypted data. The header's last byte
// carries the high byte of the CRC, which readers check to spot a wrong password.
std::string PkwareEncrypt(const std::string& plain, const std::string& password, uint32_t crc);

}  // namespace zipfixture
