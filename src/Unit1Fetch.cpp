// The main window's remote fetch: the FTP session, its retry pause, size-verified downloads
// into the work folder, and the progress gauge.
#include <algorithm>
#include <stdexcept>

#include "Texts.h"
#include "Unit1.h"

namespace setup {

void TForm1::FtpConn() {
  if (IdFTP1.Connected()) {
    try {
      if (Working) IdFTP1.Abort();
      IdFTP1.Quit();
    } catch (const std::exception&) {
      // Leaving an old session may fail in any way; a new one is what matters.
    }
  }
  ExpectSize = 0;
  IdFTP1.Host = server_.host;
  IdFTP1.Port = server_.port;
  IdFTP1.Username = text::kFtpUser;
  IdFTP1.Password = text::kFtpPassword;

  for (int attempt = 1; attempt <= 3; ++attempt) {
    try {
      IdFTP1.Connect();
      return;
    } catch (const std::exception&) {
      if (attempt == 3) {
        App().ShowMessage(text::kNoServer);
        App().Terminate();
      }
      WaitSec(1);
    }
  }
}

void TForm1::FtpDisconn() {
  if (!IdFTP1.Connected()) return;
  if (Working) IdFTP1.Abort();
  IdFTP1.Quit();
}

int TForm1::ClockMs() {
  const os::ClockReading now = system_.Now();
  return now.second * 1000 + now.millisecond;
}

void TForm1::WaitSec(double seconds) {
  if (seconds > 50) App().ShowMessage(text::kWaitError);
  // The reading wraps every minute: a pause must end well inside one turn of it to be seen
  // ending at all, so longer requests are cut to 59 seconds (nobody asks for them).
  seconds = std::min(seconds, 59.0);
  const int start = ClockMs();
  for (;;) {
    int now = ClockMs();
    if (start > now) now += 60000;  // the minute has turned over
    if (static_cast<double>(now) > start + seconds * 1000) return;
    // Short naps instead of a spin; no window messages are handled during the pause.
    system_.Pause(5);
  }
}

void TForm1::FtpGetChk(const std::string& remote, const std::string& local) {
  const std::int64_t expected = IdFTP1.Size(remote);
  for (int retrieve = 1; retrieve <= 4; ++retrieve) {
    IdFTP1.Get(remote, system_.HostPath(local));
    const auto size = system_.FileSize(local);
    if (!size) throw std::runtime_error(text::kCannotOpen + local);
    if (*size == expected) return;
  }
}

void TForm1::FtpDown(const std::string& name) {
  const std::string work = WorkFolder();
  for (int tries = 3; tries > 0;) {
    try {
      if (name == "txt") {
        FtpGetChk("/files/" + ProdName + ".txt", work + "\\z.txt");
        FtpGetChk("/files/UNZDLL.DLL", work + "\\UNZDLL.DLL");
      } else {
        Gauge1.SetVisible(true);
        ExpectSize = IdFTP1.Size("/files/" + name);
        FtpGetChk("/files/" + name, work + "\\z.zip");
        Gauge1.SetVisible(false);
      }
      WorkingWait();
      return;
    } catch (const std::exception&) {
      WaitSec(1);
      --tries;
    }
  }
}

void TForm1::WorkingWait() {
  while (Working) WaitSec(1);
}

void TForm1::IdFTP1WorkBegin(std::int64_t workCountMax) {
  Working = true;
  // A size the server did not report (-1) gives an empty bar, not a refused maximum that
  // would end every try before its first byte.
  Gauge1.SetMaxValue(workCountMax > 0 ? workCountMax : std::max<std::int64_t>(ExpectSize, 0));
}

void TForm1::IdFTP1Work(std::int64_t workCount) {
  Gauge1.SetProgress(workCount);
}

void TForm1::IdFTP1WorkEnd() {
  Working = false;
  ExpectSize = 0;
}

}  // namespace setup
