#include "Unit1.h"

#include <cctype>
#include <stdexcept>

#include "Descriptor.h"
#include "FormBuilder.h"
#include "Texts.h"
#include "Unit2.h"
#include "res/Layouts.h"

namespace setup {
namespace {

// Blanks and control characters, as the install folder is trimmed of them.
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string Trimmed(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The text without its first character (a whole UTF-8 sequence, not a byte of one).
std::string WithoutFirstCharacter(const std::string& text) {
  if (text.empty()) return text;
  std::size_t next = 1;
  while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
  return text.substr(next);
}

class ExtractionFailed : public std::runtime_error {
 public:
  ExtractionFailed() : std::runtime_error("extraction failed") {}
};

}  // namespace

std::string ProductCodeFromPath(const std::string& programPath) {
  // Walk back from the end to the last "\", remembering the "_" met last, which is the
  // first "_" of the file name; an "_" in a folder name is never reached.
  std::size_t underscore = std::string::npos;
  std::size_t start = 0;
  for (std::size_t i = programPath.size(); i-- > 0;) {
    if (programPath[i] == '_') underscore = i;
    if (programPath[i] == '\\') {
      start = i + 1;
      break;
    }
  }
  if (underscore == std::string::npos) return programPath.substr(start);
  return programPath.substr(start, underscore - start);
}

TForm1::TForm1(gui::Application& app, os::System& system, const ServerConfig& server)
    : gui::Form(app, "Form1"),
      Shape1(ControlOf<gui::Shape>(BuildForm(*this, res::kMainWindow), "Shape1")),
      Label1(ControlOf<gui::Label>(*this, "Label1")),
      Label2(ControlOf<gui::Label>(*this, "Label2")),
      Label3(ControlOf<gui::Label>(*this, "Label3")),
      Label4(ControlOf<gui::Label>(*this, "Label4")),
      Label5(ControlOf<gui::Label>(*this, "Label5")),
      Label6(ControlOf<gui::Label>(*this, "Label6")),
      SpeedButton1(ControlOf<gui::SpeedButton>(*this, "SpeedButton1")),
      Bevel1(ControlOf<gui::Bevel>(*this, "Bevel1")),
      ipath(ControlOf<gui::Label>(*this, "ipath")),
      Image1(ControlOf<gui::Image>(*this, "Image1")),
      Gauge1(ControlOf<gui::Gauge>(*this, "Gauge1")),
      Button1(ControlOf<gui::Button>(*this, "Button1")),
      Memo1(ControlOf<gui::Memo>(*this, "Memo1")),
      Button2(ControlOf<gui::Button>(*this, "Button2")),
      ZipHost1(app),
      ZipMaster1(system, ZipHost1),
      system_(system),
      server_(server) {
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  OnCreate = [this] { FormCreate(); };
  OnActivate = [this] { FormActivate(); };
  OnDestroy = [this] { FormDestroy(); };

  IdFTP1.OnWorkBegin = [this](std::int64_t max) { IdFTP1WorkBegin(max); };
  IdFTP1.OnWork = [this](std::int64_t count) { IdFTP1Work(count); };
  IdFTP1.OnWorkEnd = [this] { IdFTP1WorkEnd(); };
  // The anti-freeze: every blocking network wait lets the window handle its messages.
  IdFTP1.OnIdle = [this] { App().ProcessMessages(); };
}

std::string TForm1::GetWinDir() {
  return system_.WindowsDirectory().substr(0, 255);
}

void TForm1::FormCreate() {
  ProdName = ProductCodeFromPath(system_.ProgramPath());
  SysDrv = GetWinDir().substr(0, 1);
  if (!system_.DirectoryExists(WorkFolder())) system_.CreateDirectory(WorkFolder());
  ZipMaster1.DLLDirectory = WorkFolder();
}

void TForm1::FormActivate() {
  // Showing the window again (after the folder dialog, say) must not fetch anything again.
  if (activated_) return;
  activated_ = true;

  FtpConn();
  FtpDown("txt");
  FtpDisconn();
  ZipMaster1.Load_Unz_Dll();

  const std::string descriptor = WorkFolder() + "\\z.txt";
  const auto bytes = system_.ReadFile(descriptor);
  if (!bytes) throw std::runtime_error(text::kCannotOpen + descriptor);
  Memo1.SetLines(ReadDescriptor(*bytes));

  try {
    ipath.SetCaption(Memo1.Line(0));
    Label1.SetCaption(Memo1.Line(2));
    Label2.SetCaption(Memo1.Line(3));
    Label3.SetCaption(Memo1.Line(4));
    Label4.SetCaption(Memo1.Line(5));
    Label5.SetCaption(Memo1.Line(6));
  } catch (const std::exception&) {
  }
  // The descriptor's drive letter always gives way to the system drive.
  ipath.SetCaption(SysDrv + WithoutFirstCharacter(ipath.Caption()));

  system_.CopyFile("z.zip", SysDrv + ":\\z.zip", false);

  Button1.SetEnabled(true);
  Button2.SetEnabled(true);
  SpeedButton1.SetEnabled(true);
}

void TForm1::FormDestroy() {
  ZipMaster1.Unload_Unz_Dll();
}

void TForm1::Button2Click() {
  Close();
}

void TForm1::SpeedButton1Click() {
  if (Form2 != nullptr) Form2->ShowModal();
}

void TForm1::Button1Click() {
  Button1.SetEnabled(false);
  Button2.SetEnabled(false);
  SpeedButton1.SetEnabled(false);
  App().SetScreenCursor(gui::Cursor::HourGlass);

  FtpConn();
  FtpDown(ProdName + ".zip");
  FtpDisconn();

  // Blanks around a typed folder would send the files somewhere nobody meant: the folder is
  // always the trimmed text with a final "\".
  std::string folder = Trimmed(ipath.Caption());
  if (folder.empty() || folder.back() != '\\') folder += "\\";
  ipath.SetCaption(folder);
  if (!system_.DirectoryExists(folder)) system_.CreateDirectory(folder);
  // The archive is named relative to the current folder, so this comes first.
  system_.SetCurrentDirectory(WorkFolder());

  ZipMaster1.SetZipFileName("z.zip");
  ZipMaster1.FSpecArgs.push_back("*.*");
  ZipMaster1.ExtrBaseDir = folder;
  ZipMaster1.ExtrOptions = {zip::ExtrOption::ExtrDirNames, zip::ExtrOption::ExtrOverWrite};

  try {
    ZipMaster1.Extract();
    // The component has already shown what went wrong; starting an installer that may be
    // missing or stale and closing as if all went well would hide it.
    if (!ZipMaster1.Problems().empty()) throw ExtractionFailed();
    system_.OpenProgram(folder + "pelinst.exe", Memo1.Line(1), folder);
    Close();
  } catch (const std::exception&) {
    App().ShowMessage(text::kUnzipFailed);
  }
  App().SetScreenCursor(gui::Cursor::Default);
  system_.DeleteFile(WorkFolder() + "\\z.zip");
}

}  // namespace setup
