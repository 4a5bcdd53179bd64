#include "unit/install_support.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/loader.h"
#include "host/machine.h"
#include "host/src/reset_host.h"
#include "host/src/resources/module_resources.h"
#include "installer/control_file.h"
#include "installer/dialogs.h"
#include "installer/installer_state.h"

// The module's compiled resources, embedded by the build.
extern "C" const unsigned char HostResources[];
extern "C" const unsigned long HostResourcesSize;

namespace install_support {

const char kModelEntry[] = "Kyroth FS-600,FS600.DRV,KCP600.EXE";
const char kEnglishEntry[] = "English,X0409,ENGLISH.LNG,ENGCP.LNG";
const char kGermanEntry[] = "Deutsch,X0407,GERMAN.LNG,GERCP.LNG";
const char kProgramName[] = "KCP600.EXE";

const char kSystemIni[] =
    "[boot]\r\n"
    "system.drv=system.drv\r\n"
    "shell=Explorer.exe\r\n"
    "\r\n"
    "[386Enh]\r\n"
    "device=*vpd\r\n"
    "device=C:\\OLDKYR\\kyr.386\r\n"
    "keyboard=*vkd\r\n"
    "device=*enable\r\n"
    "\r\n"
    "[drivers]\r\n"
    "wave=mmsound.drv\r\n"
    "device=D:\\KYR\\kyr.386\r\n"
    "; device=C:\\KYROTH\\KYR.386\r\n"
    "\r\n"
    "[NonWindowsApp]\r\n"
    "TimerCriticalSection=10000";

const char kWinIni[] =
    "[windows]\r\n"
    "load=\r\n"
    "run=\r\n"
    "\r\n"
    "[Desktop]\r\n"
    "Wallpaper=(None)\r\n"
    "\r\n"
    "[fonts]\r\n"
    "Arial (TrueType)=ARIAL.TTF\r\n"
    "\r\n"
    "[Devices]\r\n"
    "Kyroth FS-600=KYRFS600,LPT1:\r\n";

std::string InstalledSystemIni(const std::string& destination) {
  return "[boot]\r\n"
         "system.drv=system.drv\r\n"
         "shell=Explorer.exe\r\n"
         "\r\n"
         "[386Enh]\r\n"
         "device=" +
         destination +
         "\\kyr.386\r\n"
         "device=*vpd\r\n"
         "keyboard=*vkd\r\n"
         "device=*enable\r\n"
         "\r\n"
         "[drivers]\r\n"
         "wave=mmsound.drv\r\n"
         "; device=C:\\KYROTH\\KYR.386\r\n"
         "\r\n"
         "[NonWindowsApp]\r\n"
         "TimerCriticalSection=10000";
}

namespace {

// Bytes of every value, zero, line breaks and end-of-file marks included,
// with enough repetition for the compression to find matches.
std::string MakeContent(const std::string& name, int size) {
  std::string content;
  unsigned state = 0;
  for (char c : name) state = state * 31 + static_cast<unsigned char>(c);
  while (static_cast<int>(content.size()) < size) {
    state = state * 1103515245u + 12345u;
    if ((state >> 16) % 3 == 0) {
      content += name + "\r\n";
    } else {
      content += static_cast<char>(state >> 24);
      content += '\0';
    }
  }
  content.resize(static_cast<size_t>(size));
  return content;
}

void WriteNative(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  ASSERT_TRUE(file.good()) << "cannot write " << path;
}

std::string ReadNative(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

// The Windows path of a directory as a native folder below the machine, in
// lower case: "C:\windows\SYSTEM32" gives "c/windows/system32".
std::string NativeRelative(const std::string& windowsPath) {
  std::string relative(1, static_cast<char>(std::tolower(windowsPath[0])));
  for (size_t i = 2; i < windowsPath.size(); ++i)
    relative += windowsPath[i] == '\\' ? '/' : static_cast<char>(std::tolower(windowsPath[i]));
  return relative;
}

}  // namespace

const std::vector<SourceFile>& PackageSources() {
  static const std::vector<SourceFile> sources = {
      {"ENGLISH.LNG", MakeContent("ENGLISH.LNG", 250), true},
      {"ENGCP.LNG", MakeContent("ENGCP.LNG", 700), false},
      {"GERMAN.LNG", MakeContent("GERMAN.LNG", 200), false},
      {"GERCP.LNG", MakeContent("GERCP.LNG", 650), false},
      {"BCFONT.BCF", MakeContent("BCFONT.BCF", 150), false},
      {"KCP600.EXE", MakeContent("KCP600.EXE", 1200), false},
      {"kyr.386", MakeContent("kyr.386", 220), true},
  };
  return sources;
}

std::string SourceContent(const std::string& name) {
  for (const SourceFile& source : PackageSources())
    if (source.name == name) return source.content;
  ADD_FAILURE() << "no source " << name;
  return std::string();
}

std::string Compress(const std::string& content) {
  static int counter = 0;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("kyrszdd-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
  std::filesystem::create_directories(folder);
  std::filesystem::path plain = folder / "file.bin";
  WriteNative(plain, content);
  std::string command = "mscompress '" + plain.string() + "' >/dev/null 2>&1";
  int status = std::system(command.c_str());
  std::string compressed = ReadNative(folder / "file.bin_");
  std::filesystem::remove_all(folder);
  EXPECT_EQ(status, 0) << "mscompress failed (is the mscompress package installed?)";
  EXPECT_EQ(compressed.substr(0, 4), "SZDD");
  return compressed;
}

InstallMachine::InstallMachine(const std::string& modulePath, const std::string& windowsDir,
                               const std::string& systemDir)
    : modulePath_(modulePath) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kyrinst-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  if (made == nullptr) {
    ADD_FAILURE() << "cannot create a temporary machine directory";
    return;
  }
  dir_ = made;
  Write("machine.ini", "[machine]\nwindows=" + windowsDir + "\nsystem=" + systemDir +
                           "\ncwd=C:\\\nmodule=" + modulePath + "\n");
  std::filesystem::create_directories(dir_ + "/" + NativeRelative(systemDir));
  Write("registry.reg", "REGEDIT4\n\n");
  std::string windows = NativeRelative(windowsDir);
  Write(windows + "/system.ini", kSystemIni);
  Write(windows + "/win.ini", kWinIni);
  std::string moduleDir = NativeRelative(modulePath.substr(0, modulePath.rfind('\\') + 1));
  static std::vector<std::string> stored;
  if (stored.empty()) {
    for (const SourceFile& source : PackageSources())
      stored.push_back(source.compressed ? Compress(source.content) : source.content);
  }
  for (size_t i = 0; i < PackageSources().size(); ++i)
    Write(moduleDir + "/" + PackageSources()[i].name, stored[i]);
}

InstallMachine::~InstallMachine() {
  if (dir_.empty()) return;
  FreeLanguageList();
  CopyDialog = nullptr;
  host::ResetHost();
  unsetenv("SETUPHOST_TRANSCRIPT");
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void InstallMachine::Write(const std::string& relative, const std::string& content) const {
  WriteNative(std::filesystem::path(dir_) / relative, content);
}

std::string InstallMachine::Read(const std::string& relative) const {
  return ReadNative(std::filesystem::path(dir_) / relative);
}

bool InstallMachine::Exists(const std::string& relative) const {
  return std::filesystem::exists(std::filesystem::path(dir_) / relative);
}

void InstallMachine::Remove(const std::string& relative) const {
  std::filesystem::remove(std::filesystem::path(dir_) / relative);
}

bool InstallMachine::Open() {
  FreeLanguageList();
  host::ResetHost();
  setenv("SETUPHOST_TRANSCRIPT", (dir_ + "/transcript.txt").c_str(), 1);
  std::filesystem::remove(dir_ + "/transcript.txt");
  std::string error;
  bool opened = host::OpenMachine(dir_, &error);
  EXPECT_TRUE(opened) << error;
  if (!opened) return false;
  ModuleInstance = host::RegisterLinkedModule(modulePath_);
  host::res::RegisterResources(ModuleInstance, HostResources, HostResourcesSize);
  CopyDialog = CreateDialogParamA(ModuleInstance, kProgressDialog, NULL, ProgressDialogProc, 0);
  EXPECT_NE(CopyDialog, nullptr) << "the progress window did not open";
  std::strcpy(DestinationDir, "C:\\Kyroth");
  ControlProgramPath[0] = 0;
  SelectedLanguage = 0;
  SelectedModel = 0;
  SetModelList({kModelEntry});
  SetLanguageList({kEnglishEntry, kGermanEntry});
  return CopyDialog != nullptr;
}

std::vector<std::string> InstallMachine::Transcript() const {
  std::ifstream file(dir_ + "/transcript.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> InstallMachine::TranscriptLines(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const std::string& line : Transcript())
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

void SetModelList(const std::vector<std::string>& entries) {
  std::string list;
  for (const std::string& entry : entries) list += entry + '\0';
  list += '\0';
  ASSERT_LE(list.size(), sizeof ModelList);
  std::memcpy(ModelList, list.data(), list.size());
}

void SetLanguageList(const std::vector<std::string>& entries) {
  FreeLanguageList();
  std::string list;
  for (const std::string& entry : entries) list += entry + '\0';
  list += '\0';
  ASSERT_LE(list.size(), static_cast<size_t>(kLanguageBlockSize - kLanguageBlockHandleBytes));
  HGLOBAL handle = GlobalAlloc(GHND, kLanguageBlockSize);
  ASSERT_NE(handle, nullptr);
  BYTE* block = static_cast<BYTE*>(GlobalLock(handle));
  ASSERT_NE(block, nullptr);
  DWORD stored = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(handle));
  for (int i = 0; i < kLanguageBlockHandleBytes; ++i)
    block[i] = static_cast<BYTE>(stored >> (8 * i));
  std::memcpy(block + kLanguageBlockHandleBytes, list.data(), list.size());
  LanguageList = reinterpret_cast<char*>(block + kLanguageBlockHandleBytes);
}

std::string RecordingUser::AnswerPage(int page, std::string*) {
  ADD_FAILURE() << "unexpected toolkit page " << page;
  return "EXIT";
}

int RecordingUser::AnswerMessageBox(const std::string& text, const std::string& caption, unsigned) {
  messageBoxes.push_back({text, caption});
  return IDOK;
}

host::DialogAnswer RecordingUser::AnswerDialog(const std::string& name) {
  ADD_FAILURE() << "unexpected dialog " << name;
  return host::DialogAnswer{host::DialogAnswer::kNoSelection, IDCANCEL};
}

}  // namespace install_support
