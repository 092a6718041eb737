// The main window: shell, remote fetch and installation. It owns every control and component
// and all of the run's state; the folder dialog only reads and writes its `ipath`.
#pragma once

#include <cstdint>
#include <string>

#include "Config.h"
#include "ZipHostAdapter.h"
#include "ftp/FtpClient.h"
#include "gui/Application.h"
#include "gui/Controls.h"
#include "gui/Form.h"
#include "os/System.h"
#include "zip/ZipMaster.h"

namespace setup {

class TForm2;

// The product code: the file name's part before its first "_", or the whole file name when
// it has none.
std::string ProductCodeFromPath(const std::string& programPath);

// Keeps the window alive while the FTP client blocks: the client's idle hook processes the
// window's messages at least every IdleTimeOut milliseconds.
struct TIdAntiFreeze {
  int IdleTimeOut = ftp::kIdlePollMs;
  bool OnlyWhenIdle = false;
};

class TForm1 : public gui::Form {
 public:
  TForm1(gui::Application& app, os::System& system, const ServerConfig& server);

  gui::Shape& Shape1;
  gui::Label& Label1;
  gui::Label& Label2;
  gui::Label& Label3;
  gui::Label& Label4;
  gui::Label& Label5;
  gui::Label& Label6;
  gui::SpeedButton& SpeedButton1;
  gui::Bevel& Bevel1;
  gui::Label& ipath;
  gui::Image& Image1;
  gui::Gauge& Gauge1;
  gui::Button& Button1;
  gui::Memo& Memo1;
  gui::Button& Button2;
  ZipHostAdapter ZipHost1;
  zip::ZipMaster ZipMaster1;
  ftp::FtpClient IdFTP1;
  TIdAntiFreeze IdAntiFreeze1;

  // The folder dialog, set once it exists.
  TForm2* Form2 = nullptr;

  // Set by the transfer events: true while a data transfer runs.
  bool Working = false;
  // Size the server reported for the package being fetched; the gauge's maximum.
  std::int64_t ExpectSize = 0;

  std::string ProdName;
  std::string SysDrv;

  void FormCreate();
  void FormActivate();
  void FormDestroy();
  void Button1Click();
  void Button2Click();
  void SpeedButton1Click();

  void FtpConn();
  void FtpDisconn();
  void WaitSec(double seconds);
  void FtpDown(const std::string& name);
  void FtpGetChk(const std::string& remote, const std::string& local);
  void WorkingWait();
  void IdFTP1WorkBegin(std::int64_t workCountMax);
  void IdFTP1Work(std::int64_t workCount);
  void IdFTP1WorkEnd();

  std::string GetWinDir();
  // SysDrv + ":\temp$".
  std::string WorkFolder() const { return SysDrv + ":\\temp$"; }

 private:
  // The clock reading the retry pause counts in: second * 1000 + millisecond.
  int ClockMs();

  os::System& system_;
  ServerConfig server_;
  bool activated_ = false;
};

}  // namespace setup
