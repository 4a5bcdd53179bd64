#include "bench_files.h"

#include <mspack.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr unsigned char kSzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
// The buffered copy's chunk, as a careful program would choose it.
constexpr size_t kCopyChunk = 64 * 1024;
// Bumped whenever the generators change, so that old cached files go unused.
constexpr char kGeneratorVersion[] = "v1";

struct Scratch {
  std::string path;
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "kyr-bench.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("kyr-bench: mkdtemp");
      std::exit(1);
    }
    path = pattern;
  }
  ~Scratch() { RemoveTree(path); }
};

bool IsSzdd(const std::string& path) {
  unsigned char header[sizeof kSzddMagic] = {};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  size_t got = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  return got == sizeof header && std::memcmp(header, kSzddMagic, sizeof header) == 0;
}

// A small, fast generator: the same seed always gives the same bytes.
class Noise {
 public:
  explicit Noise(uint64_t seed) : state_(seed | 1) {}
  uint8_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<uint8_t>(state_ >> 24);
  }

 private:
  uint64_t state_;
};

void AppendPadding(std::string* out, const char* section, size_t target) {
  *out += std::string("[") + section + "]\r\n";
  char line[96];
  for (unsigned i = 1; out->size() < target; ++i) {
    std::snprintf(line, sizeof line, "entry%06u=C:\\WINDOWS\\SYSTEM\\DRIVER%04u.DRV,%u\r\n", i,
                  i % 9973, i * 7u);
    *out += line;
  }
}

}  // namespace

const std::string& DataDir() {
  static const std::string dir = [] {
    std::string path = KYR_BENCH_DATA_DIR;
    fs::create_directories(path);
    return path;
  }();
  return dir;
}

const std::string& ScratchDir() {
  static Scratch scratch;
  return scratch.path;
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

bool CopyTree(const std::string& from, const std::string& to) {
  std::error_code error;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  return !error;
}

void RemoveTree(const std::string& path) {
  std::error_code error;
  fs::remove_all(path, error);
}

std::string ProgramContent(size_t size) {
  std::string out;
  out.reserve(size + 64);
  Noise noise(size);
  out += "MZKyroth Control Panel\r\n";
  char record[64];
  for (unsigned i = 0; out.size() < size; ++i) {
    int length = std::snprintf(record, sizeof record, "Kyroth Control Panel record %08u\r\n", i);
    out.append(record, static_cast<size_t>(length));
    for (int j = 0; j < 12; ++j) out += static_cast<char>(noise.Next());
  }
  out.resize(size);
  return out;
}

std::string SystemIniContent(const std::string& sample, size_t size) {
  std::string out;
  out.reserve(size + 128);
  size_t half = size > sample.size() ? (size - sample.size()) / 2 : 0;
  AppendPadding(&out, "Bench Drivers", half);
  out += sample;
  if (!sample.empty() && sample.back() != '\n') out += "\r\n";
  AppendPadding(&out, "Bench Settings", size);
  return out;
}

std::string CachedFile(const std::string& name, size_t size, bool compressed) {
  std::string base = DataDir() + "/" + kGeneratorVersion + "-" + std::to_string(size) + "-" + name;
  std::string path = compressed ? base + ".szdd" : base;
  if (fs::exists(path)) return path;
  std::string plain = base + ".tmp";
  WriteWholeFile(plain, ProgramContent(size));
  if (!compressed) {
    fs::rename(plain, path);
    return path;
  }
  // mscompress writes NAME_ beside NAME.
  std::string command = "mscompress '" + plain + "' >/dev/null 2>&1";
  int status = std::system(command.c_str());
  fs::remove(plain);
  std::string made = plain + "_";
  if (status != 0 || !fs::exists(made)) {
    std::fprintf(stderr, "kyr-bench: mscompress failed for %s\n", name.c_str());
    return std::string();
  }
  fs::rename(made, path);
  return path;
}

bool CopyStream(std::FILE* in, std::FILE* out) {
  static char buffer[kCopyChunk];
  bool ok = true;
  for (size_t got; ok && (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
    ok = std::fwrite(buffer, 1, got, out) == got;
  }
  return ok && !std::ferror(in);
}

namespace {

bool CopyInto(const std::string& from, const std::string& to, const char* mode) {
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::FILE* out = std::fopen(to.c_str(), mode);
  if (out == nullptr) {
    std::fclose(in);
    return false;
  }
  bool ok = CopyStream(in, out);
  std::fclose(in);
  return std::fclose(out) == 0 && ok;
}

}  // namespace

bool BufferedCopy(const std::string& from, const std::string& to) {
  return CopyInto(from, to, "wb");
}

bool BufferedOverwrite(const std::string& from, const std::string& to) {
  return CopyInto(from, to, "r+b");
}

bool FloorCopy(const std::string& from, const std::string& to) {
  if (!IsSzdd(from)) return BufferedCopy(from, to);
  msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
  if (szdd == nullptr) return false;
  int error = szdd->decompress(szdd, from.c_str(), to.c_str());
  mspack_destroy_szdd_decompressor(szdd);
  return error == MSPACK_ERR_OK;
}

}  // namespace bench
