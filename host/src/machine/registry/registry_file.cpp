// registry.reg: the machine's registry as REGEDIT4 text, read at the first
// registry call after OpenMachine and written back when the process ends
// with changes made.
//
// Reading is forgiving, as regedit's import is: a line that cannot be read
// is reported on stderr with the file and line and skipped; nothing in the
// file can stop the run.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "host/machine.h"
#include "machine/machine_internal.h"
#include "machine/registry/registry_tree.h"
#include "machine/whole_file.h"

namespace host::registry {
namespace {

constexpr uintptr_t kRootHandles[] = {0x80000001, 0x80000002, 0x80000003, 0x80000005, 0x80000006};
constexpr uintptr_t kDynamicData = 0x80000006;  // rebuilt by Windows at every start
// regedit breaks hex data into lines of about this many characters.
constexpr size_t kHexLineWidth = 76;
constexpr size_t kMaxTypeDigits = 8;  // a value type is 32 bits

std::string FilePath() { return MachineDir() + "/registry.reg"; }

void Warn(int line, const std::string& message) {
  std::fprintf(stderr, "host: %s line %d: %s\n", FilePath().c_str(), line, message.c_str());
}

bool IsHexDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// A quoted REGEDIT4 string starting at text[*at] == '"'; \" and \\ are
// escapes. False when the closing quote is missing.
bool ParseQuoted(const std::string& text, size_t* at, std::string* out) {
  out->clear();
  for (size_t i = *at + 1; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
      *out += text[++i];
    } else if (text[i] == '"') {
      *at = i + 1;
      return true;
    } else {
      *out += text[i];
    }
  }
  return false;
}

bool ParseHexBytes(const std::string& text, std::string* out) {
  out->clear();
  std::stringstream items(text);
  for (std::string item; std::getline(items, item, ',');) {
    size_t begin = item.find_first_not_of(" \t");
    if (begin == std::string::npos) continue;
    size_t end = item.find_last_not_of(" \t");
    item = item.substr(begin, end - begin + 1);
    if (item.size() > 2 || !IsHexDigits(item)) return false;
    *out += static_cast<char>(std::strtoul(item.c_str(), nullptr, 16));
  }
  return true;
}

// "data" of a value line: "text", dword:XXXXXXXX, hex:.. or hex(N):..
bool ParseData(const std::string& text, Value* value) {
  if (!text.empty() && text[0] == '"') {
    size_t at = 0;
    std::string s;
    // After the text only blanks and a comment may follow, as regedit reads
    // it; any other byte refuses the line.
    if (!ParseQuoted(text, &at, &s)) return false;
    size_t after = text.find_first_not_of(" \t", at);
    if (after != std::string::npos && text[after] != ';') return false;
    value->type = REG_SZ;
    value->data = s + '\0';
    return true;
  }
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (lower.rfind("dword:", 0) == 0) {
    std::string digits = lower.substr(6);
    if (digits.size() > 8 || !IsHexDigits(digits)) return false;
    DWORD number = static_cast<DWORD>(std::strtoul(digits.c_str(), nullptr, 16));
    value->type = REG_DWORD;
    value->data.assign(reinterpret_cast<const char*>(&number), sizeof number);  // little-endian
    return true;
  }
  if (lower.rfind("hex:", 0) == 0) {
    value->type = REG_BINARY;
    return ParseHexBytes(text.substr(4), &value->data);
  }
  if (lower.rfind("hex(", 0) == 0) {
    size_t close = lower.find("):");
    if (close == std::string::npos) return false;
    std::string type = lower.substr(4, close - 4);
    if (type.size() > kMaxTypeDigits || !IsHexDigits(type)) return false;
    value->type = static_cast<DWORD>(std::strtoul(type.c_str(), nullptr, 16));
    return ParseHexBytes(text.substr(close + 2), &value->data);
  }
  return false;
}

// The key a [PATH] line names, made when missing; null (with a warning) for
// a path under no root the registry has.
std::shared_ptr<Key> SectionKey(const std::string& path, bool create, int line) {
  size_t slash = FindAnsiChar(path, '\\');
  std::string rootName = Upper(path.substr(0, slash));
  std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
  std::shared_ptr<Key> key;
  if (rootName == "HKEY_CLASSES_ROOT") {
    key = ClassesRoot();
  } else {
    for (uintptr_t root : kRootHandles)
      if (rootName == RootName(root)) key = TheRegistry().roots[root];
  }
  if (key == nullptr) {
    Warn(line, "a key under no root the registry has: " + path);
    return nullptr;
  }
  while (!rest.empty() && rest[0] == '\\') rest.erase(0, 1);
  std::vector<std::string> names;
  SplitKeyPath(rest.c_str(), &names);
  for (const std::string& name : names) {
    auto found = key->subkeys.find(Upper(name));
    if (found != key->subkeys.end())
      key = found->second;
    else if (create)
      key = AddSubkey(key.get(), name);
    else
      return nullptr;
  }
  return key;
}

// One value line of the key current.
void ReadValueLine(const std::string& line, int number, Key* current) {
  std::string name;
  size_t at = 0;
  if (line[0] == '@') {
    at = 1;
  } else if (line[0] != '"' || !ParseQuoted(line, &at, &name)) {
    Warn(number, "a value name that is neither @ nor quoted");
    return;
  }
  size_t equals = line.find_first_not_of(" \t", at);
  if (equals == std::string::npos || line[equals] != '=') {
    Warn(number, "a value without '='");
    return;
  }
  std::string data = line.substr(equals + 1);
  size_t dataBegin = data.find_first_not_of(" \t");
  data = dataBegin == std::string::npos ? std::string() : data.substr(dataBegin);
  if (data == "-") {  // deletes the value
    DeleteValue(current, name);
    return;
  }
  Value value;
  if (!ParseData(data, &value)) {
    Warn(number, "a value whose data cannot be read: " + data);
    return;
  }
  SetValue(current, name, value.type, value.data);
}

void ReadFile(std::istream& file) {
  std::string line;
  std::shared_ptr<Key> current;
  bool inSection = false;  // values belong to current (null: skipped)
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    int first = number;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    // A line ending in a backslash continues on the next (long hex values).
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
      std::string next;
      if (!std::getline(file, next)) break;
      ++number;
      while (!next.empty() && next.back() == '\r') next.pop_back();
      line.pop_back();
      line += next;
    }
    size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos) continue;
    line = line.substr(begin);
    if (line[0] == ';' || (first == 1 && line.rfind("REGEDIT4", 0) == 0)) continue;
    // No call can name a key or value with a zero byte in it, nor read such
    // a text whole: a line holding one is skipped (a key's values with it).
    const bool hasZero = line.find('\0') != std::string::npos;
    if (line[0] == '[') {
      inSection = true;
      current = nullptr;
      if (hasZero) {
        Warn(first, "a zero byte in a key's line; its values are skipped");
        continue;
      }
      size_t close = line.rfind(']');
      if (close == std::string::npos) {
        Warn(first, "a key without its closing bracket");
        continue;
      }
      std::string path = line.substr(1, close - 1);
      if (!path.empty() && path[0] == '-') {  // [-KEY] deletes the key and its subkeys
        std::shared_ptr<Key> doomed = SectionKey(path.substr(1), false, first);
        if (doomed != nullptr && doomed->parent != nullptr) RemoveKey(doomed.get());
        continue;
      }
      current = SectionKey(path, true, first);
      continue;
    }
    if (!inSection) {
      Warn(first, "a value outside any key");
      continue;
    }
    if (hasZero)
      Warn(first, "a zero byte in a value's line");
    else if (current != nullptr)
      ReadValueLine(line, first, current.get());
  }
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

// A REG_SZ value that reads back the same from "text": one terminating zero,
// no other zero and no line break.
bool IsPlainString(const Value& value) {
  const std::string& d = value.data;
  return value.type == REG_SZ && !d.empty() && d.back() == '\0' &&
         d.find_first_of(std::string("\0\r\n", 3)) == d.size() - 1;
}

std::string ValueLine(const Value& value) {
  std::string line = value.name.empty() ? "@=" : "\"" + Escaped(value.name) + "\"=";
  char item[32];
  if (IsPlainString(value))
    return line + "\"" + Escaped(value.data.substr(0, value.data.size() - 1)) + "\"\r\n";
  if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
    DWORD number;
    value.data.copy(reinterpret_cast<char*>(&number), sizeof number);
    std::snprintf(item, sizeof item, "dword:%08x", static_cast<unsigned>(number));
    return line + item + "\r\n";
  }
  if (value.type == REG_BINARY) {
    line += "hex:";
  } else {
    std::snprintf(item, sizeof item, "hex(%x):", static_cast<unsigned>(value.type));
    line += item;
  }
  size_t lineStart = 0;
  for (size_t i = 0; i < value.data.size(); ++i) {
    std::snprintf(item, sizeof item, "%02x", static_cast<unsigned char>(value.data[i]));
    line += item;
    if (i + 1 == value.data.size()) break;
    line += ',';
    if (line.size() - lineStart > kHexLineWidth) {
      line += "\\\r\n  ";
      lineStart = line.size() - 2;
    }
  }
  return line + "\r\n";
}

void WriteKey(const Key& key, const std::string& path, std::string* text) {
  if (key.isVolatile) return;
  if (key.parent != nullptr || !key.values.empty()) {
    *text += "[" + path + "]\r\n";
    for (const Value& value : key.values) *text += ValueLine(value);
    *text += "\r\n";
  }
  for (const auto& entry : key.subkeys)
    WriteKey(*entry.second, path + "\\" + entry.second->name, text);
}

}  // namespace

LSTATUS LoadRegistryFile() {
  Registry& registry = TheRegistry();
  if (registry.loaded) return ERROR_SUCCESS;
  std::string content;
  if (!sys::ReadWholeFile(FilePath(), &content)) {
    // No file: an empty registry.
    if (errno != ENOENT) return static_cast<LSTATUS>(WindowsErrorOf(errno));
    content.clear();
  }
  registry.loaded = true;
  for (uintptr_t root : kRootHandles) {
    auto key = std::make_shared<Key>();
    key->name = RootName(root);
    key->isVolatile = root == kDynamicData;
    registry.roots[root] = key;
  }
  ClassesRoot();  // always there, as on Windows
  std::istringstream file(content);
  ReadFile(file);
  registry.changed = false;
  return ERROR_SUCCESS;
}

std::string RegistryFileText() {
  std::string text = "REGEDIT4\r\n\r\n";
  for (const auto& [handle, root] : TheRegistry().roots) WriteKey(*root, root->name, &text);
  return text;
}

}  // namespace host::registry

namespace host {

void SaveRegistry() {
  registry::Registry& registry = registry::TheRegistry();
  if (!registry.loaded || !registry.changed || MachineDir().empty()) return;
  std::string path = registry::FilePath();
  // The file stays as it was when it cannot be replaced, and the changes
  // are kept for the next save.
  if (!sys::ReplaceWholeFile(path, registry::RegistryFileText())) {
    std::fprintf(stderr, "host: cannot replace %s: %s\n", path.c_str(), std::strerror(errno));
    return;
  }
  registry.changed = false;
}

}  // namespace host
