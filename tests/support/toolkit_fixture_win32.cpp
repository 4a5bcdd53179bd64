// The fixture on Windows (under Wine): the real system and the stand-in
// toolkit DLLs. Each test has its own folder under the temporary directory,
// named by the test, holding its transcript, its machine.ini and its scratch
// folder; the test runs with that folder as its current directory.
//
// A death test on Windows runs the test program again for the dying
// statement (--gtest_internal_run_death_test): the child runs SetUp and the
// test's steps up to the statement once more, in the same folder, which it
// does not wipe. So that the transcript reads as natively (the parent's
// lines, then what the dying statement wrote), the child writes its own
// transcript and, as it ends the process, adds to the test's transcript only
// the lines after those its replay of the parent's steps wrote: as many as
// the parent wrote itself.
#include <stdlib.h>
#include <windows.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "runner/win32/imports/import_table.h"
#include "standin/core/standin.h"
#include "support/toolkit_fixture.h"
#include "toolkit/session.h"
#include "transcript.h"

namespace toolkit_test {

namespace {

constexpr char kTestsFolder[] = "layer_tests";
constexpr char kTranscriptName[] = "transcript.txt";
// A death-test child's own transcript, and the number of lines each child
// added to the test's transcript (one number a line).
constexpr char kDyingTranscriptName[] = "dying-transcript.txt";
constexpr char kDyingLinesName[] = "dying-lines.txt";
constexpr char kMachineIniName[] = "machine.ini";
constexpr char kScratchName[] = "scratch";
// Set by the test run that must really have a code page (the 932 run under
// a Japanese locale): a system of another code page is then a failure, not
// a reason to skip.
constexpr char kRequiredCodePageVariable[] = "KYR_LAYER_ACP";

void SetVariable(const std::string& name, const std::string& value) {
  // msvcrt's own environment, which every DLL's getenv reads; "NAME=" removes it.
  _putenv((name + "=" + value).c_str());
}

bool IsDeathTestChild() {
  return std::string(GetCommandLineA()).find("--gtest_internal_run_death_test") !=
         std::string::npos;
}

// The test's name as a folder name: parameterized names hold '/'.
std::string FolderName(const ::testing::TestInfo& test) {
  std::string name = std::string(test.test_suite_name()) + "." + test.name();
  for (char& c : name) {
    if (std::string("<>:\"/\\|?*").find(c) != std::string::npos) c = '_';
  }
  return name;
}

std::string TempFolder() {
  char path[MAX_PATH];
  DWORD length = GetTempPathA(sizeof path, path);
  if (length == 0 || length >= sizeof path) return "C:\\";
  return path;
}

void MakeTree(const std::string& path) {
  for (size_t slash = path.find('\\', 3); slash != std::string::npos;
       slash = path.find('\\', slash + 1)) {
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

// Removes the folder and all it holds, read-only files and folders too.
void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

std::string ReadWhole(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string content;
  char block[4096];
  DWORD read = 0;
  while (::ReadFile(file, block, sizeof block, &read, nullptr) && read > 0) {
    content.append(block, read);
  }
  CloseHandle(file);
  return content;
}

void AppendWhole(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// What a death-test child knows of its test's folder.
struct DyingChild {
  bool active = false;
  std::string folder;
  size_t replayed = 0;  // the lines the parent wrote itself before the statement
};

DyingChild& Child() {
  static DyingChild child;
  return child;
}

// In a death-test child, before the test's steps: the parent's own lines are
// the transcript's lines less those the earlier children added.
void StartDyingChild(const std::string& folder) {
  DyingChild& child = Child();
  child.active = true;
  child.folder = folder;
  size_t lines = SplitLines(ReadWhole(folder + "\\" + kTranscriptName)).size();
  size_t added = 0;
  for (const std::string& count : SplitLines(ReadWhole(folder + "\\" + kDyingLinesName))) {
    added += std::strtoul(count.c_str(), nullptr, 10);
  }
  child.replayed = lines > added ? lines - added : 0;
  std::string own = folder + "\\" + kDyingTranscriptName;
  DeleteFileA(own.c_str());
  SetVariable("SETUPHOST_TRANSCRIPT", own);
}

// The dying statement's lines into the test's transcript.
void FinishDyingChild() {
  DyingChild& child = Child();
  if (!child.active) return;
  child.active = false;
  std::vector<std::string> lines =
      SplitLines(ReadWhole(child.folder + "\\" + kDyingTranscriptName));
  std::string dying;
  size_t count = 0;
  for (size_t i = child.replayed; i < lines.size(); ++i, ++count) dying += lines[i] + "\n";
  AppendWhole(child.folder + "\\" + kTranscriptName, dying);
  AppendWhole(child.folder + "\\" + kDyingLinesName, std::to_string(count) + "\n");
}

// The module's end of the process, as the runner records it: "exit STATUS".
using ExitProcessFunction = void(WINAPI*)(UINT);
ExitProcessFunction realExitProcess;

void WINAPI RecordExitProcess(UINT status) {
  TranscriptLine("exit " + std::to_string(status));
  FinishDyingChild();
  realExitProcess(status);
}

// The module's code is linked into the test program: its calls go through
// the program's own import entries.
void RecordModuleExits() {
  if (realExitProcess != nullptr) return;
  realExitProcess = reinterpret_cast<ExitProcessFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExitProcess")));
  ReplaceImports(GetModuleHandleA(nullptr),
                 {{"kernel32.dll", "ExitProcess", reinterpret_cast<void*>(RecordExitProcess)}});
}

std::string& StartingDirectory() {
  static std::string directory;
  return directory;
}

}  // namespace

void ToolkitTest::SetUp() {
  RecordModuleExits();
  if (StartingDirectory().empty()) {
    char current[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length > 0 && length < sizeof current) StartingDirectory() = current;
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  ASSERT_NE(test, nullptr);
  dir_ = TempFolder() + kTestsFolder + "\\" + FolderName(*test);
  if (!IsDeathTestChild()) RemoveTree(dir_);
  MakeTree(dir_);
  ASSERT_NE(GetFileAttributesA(dir_.c_str()), INVALID_FILE_ATTRIBUTES) << dir_;
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.c_str())) << dir_;
  if (IsDeathTestChild()) {
    StartDyingChild(dir_);
  } else {
    SetVariable("SETUPHOST_TRANSCRIPT", dir_ + "\\" + kTranscriptName);
  }
  SessionFrame = 0;
  ErrorInProgress = FALSE;
  SourceDirectory[0] = '\0';
  ASSERT_TRUE(OpenMachine());
}

void ToolkitTest::TearDown() {
  StandinReset();
  StandinSetQuiet(false);
  SetVariable("SETUPHOST_TRANSCRIPT", "");
  SetVariable("SETUPHOST_MACHINE_INI", "");
  if (!StartingDirectory().empty()) SetCurrentDirectoryA(StartingDirectory().c_str());
  RemoveTree(dir_);
}

bool ToolkitTest::OpenMachine(const std::string& machineLines, const std::string& sections) {
  // The system's own settings cannot be chosen here.
  if (!machineLines.empty()) return false;
  std::string ini = dir_ + "\\" + kMachineIniName;
  DeleteFileA(ini.c_str());
  if (sections.empty()) {
    SetVariable("SETUPHOST_MACHINE_INI", "");
  } else {
    WriteFile(ini, "[machine]\n\n" + sections);
    SetVariable("SETUPHOST_MACHINE_INI", ini);
  }
  std::string scratch = ScratchDir();
  RemoveTree(scratch);
  MakeTree(scratch);
  StandinReset();
  StandinSetQuiet(true);
  return true;
}

bool ToolkitTest::UseCodePage(UINT codePage) {
  UINT system = GetACP();
  if (system == codePage) return OpenMachine();
  const char* required = getenv(kRequiredCodePageVariable);
  if (required != nullptr && std::to_string(codePage) == required) {
    ADD_FAILURE() << "this run must have code page " << codePage << ", the system has " << system;
  }
  return false;
}

void ToolkitTest::StartSession() { ASSERT_GT(StartSetupSession(const_cast<char*>("")), 0); }

std::string ToolkitTest::ScratchDir() const { return dir_ + "\\" + kScratchName; }

void ToolkitTest::MakeDir(const std::string& windowsPath) { MakeTree(windowsPath); }

void ToolkitTest::WriteFile(const std::string& windowsPath, const std::string& bytes) {
  size_t slash = windowsPath.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) MakeTree(windowsPath.substr(0, slash));
  HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << windowsPath;
  DWORD written = 0;
  BOOL wrote = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(wrote && written == bytes.size()) << windowsPath;
}

std::string ToolkitTest::ReadFile(const std::string& windowsPath) const {
  return ReadWhole(windowsPath);
}

bool ToolkitTest::FileExists(const std::string& windowsPath) const {
  return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ToolkitTest::Transcript() const {
  return SplitLines(ReadFile(dir_ + "\\" + kTranscriptName));
}

std::vector<std::string> ToolkitTest::TranscriptFrom(const std::string& first) const {
  std::vector<std::string> lines = Transcript();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == first) return std::vector<std::string>(lines.begin() + i, lines.end());
  }
  return {};
}

}  // namespace toolkit_test
