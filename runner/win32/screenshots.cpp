#include "screenshots.h"

#include <cstdio>
#include <fstream>

namespace {

std::string shotFolder;
std::string transcriptFile;
int shotCount = 0;

// How long the script may take for one picture, and the steps of the wait.
constexpr DWORD kShotTimeoutMilliseconds = 15000;
constexpr DWORD kShotPollMilliseconds = 20;
// The window's last paint reaches the display after its thread has drawn it.
constexpr DWORD kPaintSettleMilliseconds = 150;
constexpr UINT kSettleSendTimeout = 5000;

size_t TranscriptLines() {
  std::ifstream file(transcriptFile, std::ios::binary);
  size_t lines = 0;
  std::string line;
  while (std::getline(file, line)) ++lines;
  return lines;
}

}  // namespace

void TakeScreenshotsInto(const std::string& folder, const std::string& transcript) {
  shotFolder = folder;
  transcriptFile = transcript;
}

void Screenshot(HWND window, const std::string& kind) {
  if (shotFolder.empty()) return;
  // What waits to be painted is painted now (on the window's thread, by
  // sent messages), then the display is given a moment to show it.
  DWORD_PTR ignored;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kSettleSendTimeout, &ignored);
  RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(kPaintSettleMilliseconds);

  char number[16];
  std::snprintf(number, sizeof number, "%02d", ++shotCount);
  std::string request = shotFolder + "\\" + number + "-" + kind + ".request";
  std::string writing = request + ".new";
  {
    std::ofstream file(writing, std::ios::binary | std::ios::trunc);
    file << TranscriptLines() << "\n";
  }
  // Named .request only when whole, so the script never reads it half done.
  if (!MoveFileA(writing.c_str(), request.c_str())) {
    std::fprintf(stderr, "setuphost: cannot ask for the screenshot %s\n", request.c_str());
    return;
  }
  for (DWORD waited = 0; waited < kShotTimeoutMilliseconds; waited += kShotPollMilliseconds) {
    if (GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    Sleep(kShotPollMilliseconds);
  }
  std::fprintf(stderr, "setuphost: no screenshot was taken for %s\n", request.c_str());
  DeleteFileA(request.c_str());
}
