#include "ZipTexts.h"

#include "zip/unzdll_abi.h"

namespace zip::texts {
namespace {

constexpr size_t kLinesInSummary = 10;

std::string VersionText(int version) {
  const int minor = version % 100;
  return std::to_string(version / 100) + (minor < 10 ? ".0" : ".") + std::to_string(minor);
}

std::string WithDetail(std::string text, const std::string& detail) {
  return detail.empty() ? text : text + "\n" + detail;
}

}  // namespace

std::string ArchiveUnreadable(const std::string& name) {
  return "압축파일을 열 수 없습니다: " + name;
}

std::string LibraryFailed(UnzLibrary::Failure failure, const std::string& detail, int version,
                          int minVersion) {
  switch (failure) {
    case UnzLibrary::Failure::Missing:
      return WithDetail("압축 해제 라이브러리 UNZDLL.DLL을 찾을 수 없습니다.", detail);
    case UnzLibrary::Failure::TooOld:
      return "UNZDLL.DLL의 버전(" + VersionText(version) + ")이 너무 낮습니다. " +
             VersionText(minVersion) + " 이상이 필요합니다.";
    case UnzLibrary::Failure::Unusable:
    case UnzLibrary::Failure::None:
      break;
  }
  return WithDetail("UNZDLL.DLL을 사용할 수 없습니다.", detail);
}

std::string LibraryProblem(int kind, const std::string& entry, const std::string& message) {
  const std::string what = entry.empty() ? message : entry + " (" + message + ")";
  return kind == UNZ_REPORT_SKIPPED ? "풀지 못한 파일: " + what : "압축 해제 오류: " + what;
}

std::string ExtractionFailed(const std::string& detail) {
  return WithDetail("압축을 풀지 못했습니다.", detail);
}

std::string AlreadyExtracting() {
  return "이미 압축을 풀고 있습니다.";
}

std::string ProblemSummary(const std::vector<std::string>& problems) {
  if (problems.size() == 1) return problems.front();
  std::string text = "압축을 푸는 중 문제가 있었습니다:";
  for (size_t i = 0; i < problems.size() && i < kLinesInSummary; ++i) text += "\n" + problems[i];
  if (problems.size() > kLinesInSummary) {
    text += "\n외 " + std::to_string(problems.size() - kLinesInSummary) + "건";
  }
  return text;
}

}  // namespace zip::texts
