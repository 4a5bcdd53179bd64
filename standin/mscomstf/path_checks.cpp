// mscomstf.dll: paths: whether a text is a full path, whether it can name
// a directory, and a path split into its volume, directory and file name. Texts
// are walked a whole character at a time (CharNextA), so the trail byte of
// a double-byte character is never taken for a backslash or a forbidden
// character.
#include <cstring>
#include <string>

#include "core/calls.h"
#include "toolkit/toolkit_api.h"

namespace {

// A path with its zero must fit MAX_PATH bytes.
constexpr size_t kMaxPathLength = MAX_PATH - 1;

struct Pieces {
  std::string volume;     // "C:" or "\\server\share"
  std::string directory;  // "\A\B\", from the volume to the last backslash
  std::string fileName;   // what follows the last backslash
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsForbidden(char c) {
  return static_cast<unsigned char>(c) < 0x20 || std::strchr("<>|\"*?:/", c) != nullptr;
}

// The end of a UNC name's piece (server or share): the next backslash or
// the end; nullptr when the piece is empty or holds a forbidden character.
const char* EndOfUncPiece(const char* c) {
  const char* start = c;
  while (*c != '\0' && *c != '\\') {
    if (IsForbidden(*c)) return nullptr;
    c = CharNextA(c);
  }
  return c == start ? nullptr : c;
}

// Splits a full path: a drive letter and colon, or \\server\share, then a
// rooted rest ("\" at least for a drive) whose names are not empty (but
// for a trailing backslash) and hold no forbidden character.
bool SplitFullPath(LPCSTR path, Pieces* pieces) {
  if (path == nullptr || std::strlen(path) > kMaxPathLength) return false;
  const char* rest = nullptr;
  if (IsLetter(path[0]) && path[1] == ':') {
    if (path[2] != '\\') return false;
    rest = path + 2;
  } else if (path[0] == '\\' && path[1] == '\\') {
    const char* server = EndOfUncPiece(path + 2);
    if (server == nullptr || *server != '\\') return false;
    rest = EndOfUncPiece(server + 1);
    if (rest == nullptr) return false;
  } else {
    return false;
  }
  const char* lastBackslash = nullptr;
  for (const char* c = rest; *c != '\0'; c = CharNextA(c)) {
    if (*c == '\\') {
      if (lastBackslash != nullptr && lastBackslash + 1 == c) return false;  // an empty name
      lastBackslash = c;
    } else if (IsForbidden(*c)) {
      return false;
    }
  }
  pieces->volume.assign(path, static_cast<size_t>(rest - path));
  const char* name = lastBackslash == nullptr ? rest : lastBackslash + 1;
  pieces->directory.assign(rest, static_cast<size_t>(name - rest));
  pieces->fileName = name;
  return true;
}

// A piece the caller wants (a buffer is given) must fit its size.
bool Fits(LPSTR buffer, int size, const std::string& piece) {
  return buffer == nullptr || (size > 0 && piece.size() < static_cast<size_t>(size));
}

void Put(LPSTR buffer, const std::string& piece) {
  if (buffer != nullptr) std::memcpy(buffer, piece.c_str(), piece.size() + 1);
}

}  // namespace

// A full path: a drive letter, colon and backslash, or a UNC name
// (\\server\share), followed by names without the characters < > | " * ? :
// / or control characters, at most MAX_PATH - 1 characters in all.
extern "C" BOOL WINAPI FValidPath(LPCSTR path) {
  if (ToolkitCallFails("FValidPath", {CallArg(path)})) return FALSE;
  Pieces pieces;
  return static_cast<BOOL>(ToolkitResult("FValidPath", SplitFullPath(path, &pieces)));
}

// A text that can name a directory: a full path as FValidPath takes it,
// with or without a trailing backslash. Only the text is judged, as the
// toolkit does: the directory need not exist yet (a setup records the
// directories it is about to make), and nothing on disk is looked at.
extern "C" BOOL WINAPI FValidDir(LPCSTR path) {
  if (ToolkitCallFails("FValidDir", {CallArg(path)})) return FALSE;
  Pieces pieces;
  return static_cast<BOOL>(ToolkitResult("FValidDir", SplitFullPath(path, &pieces)));
}

// The pieces of a full path into the buffers given (a null buffer: that
// piece is not wanted). FALSE, and nothing written, for a text that is not a
// full path or a wanted piece that does not fit its buffer.
extern "C" BOOL WINAPI FParsePathIntoPieces(LPCSTR path, LPSTR volume, int volumeSize,
                                            LPSTR directory, int directorySize, LPSTR fileName,
                                            int fileNameSize) {
  if (ToolkitCallFails("FParsePathIntoPieces", {CallArg(path), CallArg(volumeSize),
                                                CallArg(directorySize), CallArg(fileNameSize)})) {
    return FALSE;
  }
  Pieces pieces;
  bool done = SplitFullPath(path, &pieces) && Fits(volume, volumeSize, pieces.volume) &&
              Fits(directory, directorySize, pieces.directory) &&
              Fits(fileName, fileNameSize, pieces.fileName);
  if (done) {
    Put(volume, pieces.volume);
    Put(directory, pieces.directory);
    Put(fileName, pieces.fileName);
  }
  return static_cast<BOOL>(ToolkitResult("FParsePathIntoPieces", done));
}
