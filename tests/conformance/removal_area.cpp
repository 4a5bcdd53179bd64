// Removing what is in use: a file a handle holds, the current directory.
#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "removal";

std::string Truth(BOOL ok) { return ok ? "TRUE" : "FALSE" + Error(); }

void HeldFiles() {
  const struct {
    const char* label;
    int mode;
  } opens[] = {{"read share none", OF_READ | OF_SHARE_DENY_NONE},
               {"read compat", OF_READ | OF_SHARE_COMPAT},
               {"write exclusive", OF_WRITE | OF_SHARE_EXCLUSIVE},
               {"readwrite deny write", OF_READWRITE | OF_SHARE_DENY_WRITE}};
  for (const auto& open : opens) {
    WriteWholeFile("held.txt", "x");
    HFILE file = _lopen("held.txt", open.mode);
    ArmError();
    BOOL ok = DeleteFileA("C:\\CONFORM\\HELD.TXT");
    std::string observed = Truth(ok);
    _lclose(file);
    ArmError();
    Observe(kArea, "DeleteFileA", std::string("held ") + open.label,
            observed + " after close " + Truth(DeleteFileA("held.txt")));
  }
  HFILE created = _lcreat("made.txt", 0);
  ArmError();
  Observe(kArea, "DeleteFileA", "held by _lcreat", Truth(DeleteFileA("made.txt")));
  _lclose(created);
  DeleteFileA("made.txt");
}

void CurrentDirectory() {
  CreateDirectoryA("here", nullptr);
  CreateDirectoryA("here\\inner", nullptr);
  SetCurrentDirectoryA("here\\inner");
  const char* paths[] = {"C:\\conform\\here\\inner", "c:\\CONFORM\\here\\inner\\", ".",
                         "C:\\conform\\here"};
  for (const char* path : paths) {
    ArmError();
    Observe(kArea, "RemoveDirectoryA", std::string("current ") + Quote(path),
            Truth(RemoveDirectoryA(path)));
  }
  SetCurrentDirectoryA("C:\\conform");
  ArmError();
  std::string inner = Truth(RemoveDirectoryA("here\\inner"));
  ArmError();
  Observe(kArea, "RemoveDirectoryA", "no longer current",
          inner + " " + Truth(RemoveDirectoryA("here")));
}

}  // namespace

void RunRemoval() {
  HeldFiles();
  CurrentDirectory();
}

}  // namespace conformance
