// The unzip component: drives the unzip library UNZDLL.DLL, which it loads at run time.
//
// It reports every problem it meets in message boxes of its own (through ZipHost) and returns
// normally; no error leaves it. After each report from the library it lets the window process
// its pending messages, so the window repaints and answers while an archive is unpacked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os {
class System;
}

namespace zip {

// What the component needs from the application around it.
class ZipHost {
 public:
  virtual ~ZipHost() = default;
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void ProcessMessages() = 0;
  // Asks the user for the password of an encrypted entry; nullopt when they cancel.
  virtual std::optional<std::string> AskPassword(const std::string& entry) = 0;
};

enum class ExtrOption { ExtrDirNames, ExtrOverWrite };

class UnzLibrary;

class ZipMaster {
 public:
  ZipMaster(os::System& system, ZipHost& host);
  ~ZipMaster();
  ZipMaster(const ZipMaster&) = delete;
  ZipMaster& operator=(const ZipMaster&) = delete;

  // Folder searched first for UNZDLL.DLL (a Windows path).
  std::string DLLDirectory;
  bool Unattended = false;
  int MinUnzDllVers = 170;
  // Entry names or patterns for the next extraction; a first entry of "*.*" means all.
  // Emptied after each extraction.
  std::vector<std::string> FSpecArgs;
  std::string ExtrBaseDir;
  std::vector<ExtrOption> ExtrOptions;

  // Names the archive (relative to the current folder) and reads its directory at once.
  void SetZipFileName(const std::string& name);
  const std::string& ZipFileName() const;
  // Entries found when the archive's directory was read.
  int Count() const;

  // Loads the library (DLLDirectory first, then the system's library search) and returns
  // its version, or 0 when none could be loaded (reported in a message box).
  int Load_Unz_Dll();
  void Unload_Unz_Dll();
  bool Loaded() const;

  // Unpacks the archive into ExtrBaseDir. Loads a library for this one extraction if none is
  // loaded. Returns the number of files extracted.
  int Extract();
  // Problems met by the last call (load or extract); empty when it went well.
  const std::vector<std::string>& Problems() const;

 private:
  // Records a problem and, unless Unattended or told already, shows it in a message box.
  void Tell(const std::string& text, bool show);
  // Finds and loads UNZDLL.DLL; null (and told) when it is missing, unusable or too old.
  std::shared_ptr<UnzLibrary> LoadLibrary();

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zip
