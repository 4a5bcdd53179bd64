// msdetstf.dll: environment variables and searches for a file along a
// variable's directories or in a directory tree, through the system
// (GetEnvironmentVariableA, GetFileAttributesA, FindFirstFileA).
#include <string>
#include <vector>

#include "core/calls.h"
#include "core/copy_out.h"
#include "msdetstf/detect_support.h"
#include "toolkit/toolkit_api.h"

namespace {

// How deep the tree search goes below its directory: deeper trees do not
// fit a path anyway.
constexpr int kMaxTreeDepth = 64;

// The variable's value; empty when the system has no such variable.
std::string Variable(LPCSTR name) {
  if (name == nullptr || *name == '\0') return std::string();
  DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return std::string();
  std::vector<char> value(needed);
  DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
  return length < needed ? std::string(value.data(), length) : std::string();
}

// directory and name with one backslash between them, the directory's last
// character found a whole character at a time.
std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  const char* last = CharPrevA(directory.c_str(), directory.c_str() + directory.size());
  return *last == '\\' ? directory + name : directory + "\\" + name;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The directories of a ';'-separated list, in order, empty ones left out.
std::vector<std::string> SplitDirectories(const std::string& list) {
  std::vector<std::string> directories;
  std::string current;
  for (const char* c = list.c_str(); *c != '\0';) {
    const char* next = CharNextA(c);
    if (*c == ';') {
      if (!current.empty()) directories.push_back(current);
      current.clear();
    } else {
      current.append(c, static_cast<size_t>(next - c));
    }
    c = next;
  }
  if (!current.empty()) directories.push_back(current);
  return directories;
}

std::string FindOnVariable(LPCSTR target, LPCSTR variable) {
  if (target == nullptr || *target == '\0') return std::string();
  for (const std::string& directory : SplitDirectories(Variable(variable))) {
    std::string path = JoinPath(directory, target);
    if (path.size() < MAX_PATH && IsFile(path)) return path;
  }
  return std::string();
}

// Depth-first: the directory itself, then each subdirectory in the order
// the system lists them, each searched whole before the next.
std::string FindInTree(const std::string& directory, const std::string& fileName, int depth) {
  std::string here = JoinPath(directory, fileName);
  if (here.size() < MAX_PATH && IsFile(here)) return here;
  if (depth >= kMaxTreeDepth) return std::string();
  std::vector<std::string> subdirectories;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(JoinPath(directory, "*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return std::string();
  do {
    std::string name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      subdirectories.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  for (const std::string& name : subdirectories) {
    std::string below = JoinPath(directory, name);
    if (below.size() >= MAX_PATH) continue;
    std::string found = FindInTree(below, fileName, depth + 1);
    if (!found.empty()) return found;
  }
  return std::string();
}

}  // namespace

extern "C" int WINAPI CbGetEnvVariableValue(LPCSTR variable, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbGetEnvVariableValue", {CallArg(variable), CallArg(size)})) return 0;
  return static_cast<int>(
      ToolkitResult("CbGetEnvVariableValue", CopyOut(Variable(variable), buffer, size)));
}

// The full path of target in the first of variable's directories that
// holds it; empty when none does.
extern "C" int WINAPI CbFindTargetOnEnvVar(LPCSTR target, LPCSTR variable, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbFindTargetOnEnvVar",
                       {CallArg(target), CallArg(variable), CallArg(size)})) {
    return 0;
  }
  return static_cast<int>(ToolkitResult("CbFindTargetOnEnvVar",
                                        CopyOut(FindOnVariable(target, variable), buffer, size)));
}

// The full path of the first fileName found in directory's tree; empty
// when there is none.
extern "C" int WINAPI CbFindFileInTree(LPCSTR fileName, LPCSTR directory, LPSTR buffer, int size) {
  if (ToolkitCallFails("CbFindFileInTree", {CallArg(fileName), CallArg(directory), CallArg(size)}))
    return 0;
  std::string found;
  if (fileName != nullptr && *fileName != '\0' && directory != nullptr && *directory != '\0')
    found = FindInTree(directory, fileName, 0);
  return static_cast<int>(ToolkitResult("CbFindFileInTree", CopyOut(found, buffer, size)));
}
