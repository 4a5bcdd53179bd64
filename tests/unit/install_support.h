// A machine with the driver package for the installation tests: the Windows
// directory C:\windows, the system directory C:\windows\system32, the module
// C:\KYRDRV\KYRSETUP.DLL with its source files beside it, some compressed,
// and a system.ini and win.ini as a Windows 95 machine has them.
#pragma once

#include <string>
#include <vector>

#include "host/user_agent.h"

namespace install_support {

// The package's control lists: one model entry and two language entries.
extern const char kModelEntry[];
extern const char kEnglishEntry[];
extern const char kGermanEntry[];
// The name of the model's control-panel program (field 3).
extern const char kProgramName[];

// Content of each source file as installed (expanded).
struct SourceFile {
  std::string name;     // in C:\KYRDRV
  std::string content;  // expanded content
  bool compressed;      // stored SZDD-compressed
};
const std::vector<SourceFile>& PackageSources();
// Content as installed of a source by name.
std::string SourceContent(const std::string& name);

// system.ini and win.ini before the installation, and system.ini after it
// for a destination.
extern const char kSystemIni[];
extern const char kWinIni[];
std::string InstalledSystemIni(const std::string& destination);

// Text compressed with the mscompress tool, in the SZDD format that the
// system's LZ expansion reads.
std::string Compress(const std::string& content);

class InstallMachine {
 public:
  // A fresh temporary machine with machine.ini, the package's sources, the
  // system files; the module path is given by modulePath.
  explicit InstallMachine(const std::string& modulePath = "C:\\KYRDRV\\KYRSETUP.DLL",
                          const std::string& windowsDir = "C:\\windows",
                          const std::string& systemDir = "C:\\windows\\system32");
  ~InstallMachine();
  InstallMachine(const InstallMachine&) = delete;
  InstallMachine& operator=(const InstallMachine&) = delete;

  // Files below the machine directory, by native relative path
  // ("c/windows/system.ini").
  void Write(const std::string& relative, const std::string& content) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void Remove(const std::string& relative) const;

  // Resets the host, opens the machine, registers the module, creates the
  // progress window, fills the installer's state with the package's model
  // and languages (SelectedLanguage 0, SelectedModel 0, DestinationDir
  // C:\Kyroth) and routes the transcript into the machine's folder.
  bool Open();
  std::vector<std::string> Transcript() const;
  // Transcript lines that start with prefix.
  std::vector<std::string> TranscriptLines(const std::string& prefix) const;

  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  std::string modulePath_;
};

// Fills ModelList, and LanguageList as a newly allocated block with its
// handle in its first 4 bytes, as the control file reader leaves them.
void SetModelList(const std::vector<std::string>& entries);
void SetLanguageList(const std::vector<std::string>& entries);

struct MessageBoxShown {
  std::string text;
  std::string caption;
};

// Answers every message box with OK, recording it. Pages and dialogs fail
// the test: the installation shows neither.
class RecordingUser : public host::UserAgent {
 public:
  std::string AnswerPage(int page, std::string* editText) override;
  int AnswerMessageBox(const std::string& text, const std::string& caption,
                       unsigned style) override;
  host::DialogAnswer AnswerDialog(const std::string& name) override;

  std::vector<MessageBoxShown> messageBoxes;
};

}  // namespace install_support
