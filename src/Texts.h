// The assistant's own words, exactly as its users know them (blanks included).
#pragma once

namespace setup::text {

inline constexpr const char* kAppTitle = "설치도우미";
inline constexpr const char* kNoServer = " 200: 서브와 접속 할 수 없습니다.  ";
inline constexpr const char* kWaitError = "     Waiting err..    ";
inline constexpr const char* kUnzipFailed = " 파일풀기실패입니다 다시한번 해주세요";
inline constexpr const char* kCannotOpen = "Cannot open file ";

// The distribution server's account.
inline constexpr const char* kFtpUser = "quandel";
inline constexpr const char* kFtpPassword = "KaqWrBe%%7391%%";

}  // namespace setup::text
