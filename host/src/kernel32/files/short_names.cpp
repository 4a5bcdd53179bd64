// Short names for the long names of a folder, numbered in the manner of
// Windows 95's FAT file system (NAME~1.EXT).

#include "kernel32/files/short_names.h"

#include <cstring>
#include <set>

#include "machine/machine_internal.h"

namespace host {
namespace {

// Characters a short name may not hold beyond those no name may hold; the
// long name's + , ; = [ ] become '_' in its short name.
constexpr char kReplaced[] = "+,;=[]";

bool Forbidden(unsigned char c) {
  return c < 0x20 || c == ' ' || std::strchr("\"*/:<>?\\|+,;=[]", c) != nullptr;
}

// The characters of part as a short name holds them: in capitals, blanks
// and dots left out, the replaced ones '_', at most limit bytes, never
// half of a double-byte character.
std::string ShortPart(const std::string& part, size_t limit) {
  std::string out;
  for (size_t at = 0; at < part.size();) {
    unsigned char c = static_cast<unsigned char>(part[at]);
    if (IsAnsiLeadByte(c) && at + 1 < part.size()) {
      if (out.size() + 2 > limit) break;
      out += part.substr(at, 2);
      at += 2;
      continue;
    }
    ++at;
    if (c == ' ' || c == '.') continue;
    if (out.size() + 1 > limit) break;
    out += std::strchr(kReplaced, c) != nullptr ? '_' : static_cast<char>(UpperAnsiByte(c));
  }
  return out;
}

std::string Upper(const std::string& name) {
  std::string upper = name;
  for (size_t at = 0; at < upper.size(); ++at) {
    unsigned char c = static_cast<unsigned char>(upper[at]);
    if (IsAnsiLeadByte(c)) {
      ++at;
      continue;
    }
    upper[at] = static_cast<char>(UpperAnsiByte(c));
  }
  return upper;
}

}  // namespace

bool IsShortName(const std::string& name) {
  if (name == "." || name == "..") return true;
  size_t dot = std::string::npos;
  for (size_t at = 0; at < name.size(); ++at) {
    unsigned char c = static_cast<unsigned char>(name[at]);
    if (IsAnsiLeadByte(c)) {
      ++at;
      continue;
    }
    if (c == '.') {
      if (dot != std::string::npos) return false;
      dot = at;
    } else if (Forbidden(c)) {
      return false;
    }
  }
  size_t base = dot == std::string::npos ? name.size() : dot;
  size_t extension = dot == std::string::npos ? 0 : name.size() - dot - 1;
  return base >= 1 && base <= 8 && extension <= 3 && (dot == std::string::npos || extension >= 1);
}

std::map<std::string, std::string> ShortNamesOf(const std::vector<std::string>& names) {
  std::set<std::string> taken;  // in capitals
  for (const std::string& name : names) {
    if (IsShortName(name)) taken.insert(Upper(name));
  }
  std::map<std::string, std::string> shortNames;
  for (const std::string& name : names) {
    if (IsShortName(name)) continue;
    // Leading dots are dropped; the last dot left parts base and extension.
    size_t first = name.find_first_not_of('.');
    std::string rest = first == std::string::npos ? std::string() : name.substr(first);
    size_t dot = FindLastAnsiChar(rest, '.');
    std::string base = ShortPart(rest.substr(0, dot), 8);
    std::string extension = dot == std::string::npos ? "" : ShortPart(rest.substr(dot + 1), 3);
    if (base.empty()) base = "_";
    for (unsigned number = 1;; ++number) {
      std::string tail = "~" + std::to_string(number);
      std::string candidate = ShortPart(base, 8 - tail.size()) + tail;
      if (!extension.empty()) candidate += "." + extension;
      if (taken.insert(candidate).second) {
        shortNames[name] = candidate;
        break;
      }
    }
  }
  return shortNames;
}

}  // namespace host
