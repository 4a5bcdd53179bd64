// Files by handle, attributes and LZ copying, below C:\conform.
#include <cstring>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "files";
constexpr char kContent[] = "hello world";  // data.txt, 11 bytes

std::string HandleResult(HFILE file) {
  if (file == HFILE_ERROR) return "HFILE_ERROR" + Error();
  return "handle";
}

std::string Attributes(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return "INVALID" + Error();
  return Hex(attributes);
}

struct NamedMode {
  const char* label;
  int mode;
};

void OpenNames() {
  const char* names[] = {"data.txt",
                         "DATA.TXT",
                         "missing.txt",
                         "nodir\\data.txt",
                         "data.txt\\",
                         "bad*name.txt",
                         "dat?.txt",
                         "sub",
                         ".",
                         "",
                         "C:\\conform\\data.txt"};
  for (const char* name : names) {
    ArmError();
    HFILE file = _lopen(name, OF_READ);
    Observe(kArea, "_lopen", Quote(name) + " OF_READ", HandleResult(file));
    if (file != HFILE_ERROR) _lclose(file);
  }
}

void OpenModes() {
  const NamedMode modes[] = {{"OF_READ", OF_READ},
                             {"OF_WRITE", OF_WRITE},
                             {"OF_READWRITE", OF_READWRITE},
                             {"mode3", 3},
                             {"OF_SHARE_COMPAT", OF_SHARE_COMPAT},
                             {"OF_SHARE_EXCLUSIVE", OF_SHARE_EXCLUSIVE},
                             {"OF_SHARE_DENY_WRITE", OF_SHARE_DENY_WRITE},
                             {"OF_SHARE_DENY_READ", OF_SHARE_DENY_READ},
                             {"OF_SHARE_DENY_NONE", OF_SHARE_DENY_NONE}};
  for (const NamedMode& mode : modes) {
    ArmError();
    HFILE file = _lopen("data.txt", mode.mode);
    std::string observed = HandleResult(file);
    if (file != HFILE_ERROR) {
      char byte = kSentinel;
      UINT got = _lread(file, &byte, 1);
      observed += " read=" + Number(static_cast<int>(got));
      _lclose(file);
    }
    Observe(kArea, "_lopen", std::string("\"data.txt\" ") + mode.label, observed);
  }
  ArmError();
  HFILE file = _lopen("ro.txt", OF_WRITE);
  Observe(kArea, "_lopen", "\"ro.txt\" OF_WRITE", HandleResult(file));
  if (file != HFILE_ERROR) _lclose(file);
}

// A file open with the first mode, then opened again with the second.
void Sharing() {
  const NamedMode firsts[] = {{"OF_SHARE_EXCLUSIVE", OF_READ | OF_SHARE_EXCLUSIVE},
                              {"OF_SHARE_DENY_WRITE", OF_READ | OF_SHARE_DENY_WRITE},
                              {"OF_SHARE_DENY_READ", OF_READ | OF_SHARE_DENY_READ},
                              {"OF_SHARE_DENY_NONE", OF_READ | OF_SHARE_DENY_NONE},
                              {"OF_READWRITE+DENY_NONE", OF_READWRITE | OF_SHARE_DENY_NONE}};
  const NamedMode seconds[] = {{"OF_READ+DENY_NONE", OF_READ | OF_SHARE_DENY_NONE},
                               {"OF_WRITE+DENY_NONE", OF_WRITE | OF_SHARE_DENY_NONE},
                               {"OF_READ+DENY_WRITE", OF_READ | OF_SHARE_DENY_WRITE}};
  for (const NamedMode& first : firsts) {
    HFILE held = _lopen("data.txt", first.mode);
    for (const NamedMode& second : seconds) {
      ArmError();
      HFILE again = _lopen("data.txt", second.mode);
      Observe(kArea, "_lopen", std::string("shared ") + first.label + " then " + second.label,
              HandleResult(again));
      if (again != HFILE_ERROR) _lclose(again);
    }
    if (held != HFILE_ERROR) _lclose(held);
  }
}

void Create() {
  struct {
    const char* name;
    int attributes;
  } cases[] = {{"new.txt", 0},      {"hidden.txt", 2}, {"ro2.txt", 1}, {"ro.txt", 0},
               {"bad*name.txt", 0}, {"bad?.txt", 0},   {"a<b.txt", 0}, {"a|b.txt", 0},
               {"nodir\\x.txt", 0}, {"new.txt\\", 0},  {"sub", 0},     {"", 0}};
  for (const auto& c : cases) {
    ArmError();
    HFILE file = _lcreat(c.name, c.attributes);
    std::string observed = HandleResult(file);
    if (file != HFILE_ERROR) {
      UINT written = _lwrite(file, "ab", 2);
      observed += " write=" + Number(static_cast<int>(written));
      _lclose(file);
      observed += " attributes=" + Attributes(GetFileAttributesA(c.name));
    }
    Observe(kArea, "_lcreat", Quote(c.name) + " " + Number(c.attributes), observed);
  }
}

void ReadWriteSeek() {
  HFILE file = _lopen("data.txt", OF_READWRITE);
  const UINT counts[] = {0, 5, 3, 10, 10};
  for (UINT count : counts) {
    Buffer buffer(16);
    ArmError();
    UINT got = _lread(file, buffer.data(), count);
    Observe(kArea, "_lread", "count " + Number(count),
            Number(static_cast<int>(got)) + " " + buffer.Shown(count));
  }
  struct {
    const char* label;
    LONG offset;
    int origin;
  } seeks[] = {{"begin 4", 4, FILE_BEGIN},       {"current 2", 2, FILE_CURRENT},
               {"current -3", -3, FILE_CURRENT}, {"end 0", 0, FILE_END},
               {"end 5", 5, FILE_END},           {"begin -1", -1, FILE_BEGIN},
               {"end -20", -20, FILE_END},       {"begin 0", 0, FILE_BEGIN}};
  for (const auto& s : seeks) {
    ArmError();
    LONG at = _llseek(file, s.offset, s.origin);
    Observe(kArea, "_llseek", s.label, Number(at) + (at == HFILE_ERROR ? Error() : ""));
  }
  ArmError();
  UINT written = _lwrite(file, "HE", 2);
  Observe(kArea, "_lwrite", "over start", Number(static_cast<int>(written)));
  _llseek(file, 20, FILE_BEGIN);
  written = _lwrite(file, "!", 1);
  Observe(kArea, "_lwrite", "past end", Number(static_cast<int>(written)));
  _llseek(file, 15, FILE_BEGIN);
  ArmError();
  written = _lwrite(file, "", 0);
  Observe(kArea, "_lwrite", "count 0 at 15", Number(static_cast<int>(written)));
  _llseek(file, 8, FILE_BEGIN);
  ArmError();
  BOOL ended = SetEndOfFile(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file)));
  Observe(kArea, "SetEndOfFile", "at 8", Number(ended));
  _lclose(file);
  std::string written_bytes = ReadWholeFile("data.txt");
  Observe(kArea, "contents", "data.txt after writes",
          QuoteBytes(written_bytes.data(), written_bytes.size()));
  WriteWholeFile("data.txt", kContent);

  HFILE readOnly = _lopen("data.txt", OF_READ);
  ArmError();
  written = _lwrite(readOnly, "x", 1);
  Observe(kArea, "_lwrite", "handle OF_READ",
          Number(static_cast<int>(written)) +
              (written == static_cast<UINT>(HFILE_ERROR) ? Error() : ""));
  _lclose(readOnly);
  HFILE writeOnly = _lopen("data.txt", OF_WRITE);
  char byte = kSentinel;
  ArmError();
  UINT got = _lread(writeOnly, &byte, 1);
  Observe(kArea, "_lread", "handle OF_WRITE",
          Number(static_cast<int>(got)) + (got == static_cast<UINT>(HFILE_ERROR) ? Error() : ""));
  _lclose(writeOnly);

  HFILE closed = _lopen("data.txt", OF_READ);
  _lclose(closed);
  ArmError();
  HFILE again = _lclose(closed);
  Observe(kArea, "_lclose", "twice", Number(again) + (again == HFILE_ERROR ? Error() : ""));
}

// A small SZDD file ("SZDD" 88 F0 27 33, method 'A', last name character,
// expanded size) whose LZSS data holds "hello world" as literals.
std::string SzddFile() {
  const unsigned char header[] = {'S',  'Z', 'D', 'D', 0x88, 0xF0, 0x27,
                                  0x33, 'A', 't', 11,  0,    0,    0};
  std::string file(reinterpret_cast<const char*>(header), sizeof header);
  file += '\xFF';  // eight literals
  file += "hello wo";
  file += '\x07';  // three literals
  file += "rld";
  return file;
}

void Copy() {
  WriteWholeFile("packed.tx_", SzddFile());
  const char* sources[] = {"data.txt", "packed.tx_"};
  for (const char* source : sources) {
    HFILE in = _lopen(source, OF_READ);
    HFILE out = _lcreat("copy.txt", 0);
    LONG copied = LZCopy(in, out);
    _lclose(in);
    _lclose(out);
    std::string content = ReadWholeFile("copy.txt");
    Observe(kArea, "LZCopy", Quote(source),
            Number(copied) + " " + QuoteBytes(content.data(), content.size()));
  }
  HFILE out = _lcreat("copy.txt", 0);
  Observe(kArea, "LZCopy", "bad source", Number(LZCopy(0x7FF0, out)));
  _lclose(out);
  HFILE in = _lopen("data.txt", OF_READ);
  Observe(kArea, "LZCopy", "bad destination", Number(LZCopy(in, 0x7FF0)));
  _lclose(in);
}

void AttributeNames() {
  const char* names[] = {"data.txt",
                         "DATA.TXT",
                         "missing.txt",
                         "nodir\\x.txt",
                         "data.txt\\",
                         "*.txt",
                         "dat?.txt",
                         "a|b",
                         "sub",
                         "sub\\",
                         "C:\\",
                         "C:",
                         ".",
                         "..",
                         "",
                         "C:\\conform",
                         "C:\\conform\\data.txt",
                         "ro.txt"};
  for (const char* name : names) {
    ArmError();
    Observe(kArea, "GetFileAttributesA", Quote(name), Attributes(GetFileAttributesA(name)));
  }
  const char* extended[] = {"data.txt", "sub", "missing.txt", "data.txt\\"};
  for (const char* name : extended) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    std::memset(&data, 0, sizeof data);
    ArmError();
    BOOL ok = GetFileAttributesExA(name, GetFileExInfoStandard, &data);
    Observe(kArea, "GetFileAttributesExA", Quote(name),
            ok ? "TRUE " + Hex(data.dwFileAttributes) + " size=" + Number(data.nFileSizeLow)
               : "FALSE" + Error());
  }
}

}  // namespace

void RunFiles() {
  CreateDirectoryA("sub", nullptr);
  WriteWholeFile("data.txt", kContent);
  HFILE readOnly = _lcreat("ro.txt", 1);
  _lclose(readOnly);
  OpenNames();
  OpenModes();
  Sharing();
  Create();
  ReadWriteSeek();
  Copy();
  AttributeNames();
}

}  // namespace conformance
