#include "disk_files.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "printer_inf.h"
#include "winapi.h"

namespace {

constexpr char kSzddMagic[] = "SZDD\x88\xf0\x27\x33";
constexpr size_t kSzddMagicBytes = 8;
constexpr size_t kSzddLengthOffset = 10;  // after the magic, the method and the last character
constexpr size_t kSzddHeaderBytes = 14;

bool IsShortNameCharacter(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string("!#$%&'()-@^_`{}~").find(c) != std::string::npos;
}

}  // namespace

std::map<std::string, DiskFile> ListDiskFiles(const std::string& folder) {
  std::map<std::string, DiskFile> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file()) continue;
    DiskFile file;
    file.name = entry.path().filename().string();
    std::ifstream in(entry.path(), std::ios::binary);
    char header[kSzddHeaderBytes] = {};
    in.read(header, sizeof header);
    if (in.gcount() == static_cast<std::streamsize>(sizeof header) &&
        std::string(header, kSzddMagicBytes) == std::string(kSzddMagic, kSzddMagicBytes)) {
      file.compressed = true;
      uint32_t length = 0;
      for (int i = 3; i >= 0; --i)
        length = (length << 8) | static_cast<unsigned char>(header[kSzddLengthOffset + i]);
      file.header_length = static_cast<long>(length);
    }
    files[UpperName(file.name)] = file;
  }
  return files;
}

bool IsShortName(const std::string& name) {
  size_t dot = name.find('.');
  std::string base = name.substr(0, dot);
  std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
  if (dot != std::string::npos && extension.empty()) return false;
  for (char c : base + extension)
    if (!IsShortNameCharacter(c)) return false;
  return true;
}

bool CheckExpansion(const DiskFile& file, const std::string& source, const std::string& target,
                    PackageReport* report) {
  HFILE in = _lopen(source.c_str(), OF_READ);
  HFILE out = in == HFILE_ERROR ? HFILE_ERROR : _lcreat(target.c_str(), 0);
  LONG copied = out == HFILE_ERROR ? LZERROR_BADOUTHANDLE : LZCopy(in, out);
  if (in != HFILE_ERROR) _lclose(in);
  if (out != HFILE_ERROR) _lclose(out);
  if (copied < 0) {
    report->Problem(file.name + " does not expand (LZCopy " + std::to_string(copied) + ")");
    return false;
  }
  if (file.compressed && copied != file.header_length) {
    report->Problem(file.name + " is compressed for " + std::to_string(file.header_length) +
                    " bytes, but expands to " + std::to_string(copied) +
                    " (cut short, or a wrong header)");
    return false;
  }
  return true;
}
