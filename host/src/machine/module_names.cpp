// The names a module goes by: the file name LoadLibraryA looks for, and the
// name its exports are hidden and replaced under.

#include <string>

#include "machine/machine_internal.h"

namespace host {

std::string BaseName(const std::string& path) {
  size_t cut = std::string::npos;
  for (char separator : {'\\', '/', ':'}) {
    size_t at = FindLastAnsiChar(path, separator);
    if (at != std::string::npos && (cut == std::string::npos || at > cut)) cut = at;
  }
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string LibraryName(std::string name) {
  std::string base = BaseName(name);
  if (!base.empty() && base.back() == '.')
    name.pop_back();
  else if (base.find('.') == std::string::npos)
    name += ".DLL";
  return name;
}

std::string ExportModuleName(const std::string& path) {
  std::string name = BaseName(LibraryName(path));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

}  // namespace host
