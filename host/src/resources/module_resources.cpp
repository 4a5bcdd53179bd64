#include "resources/module_resources.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <memory>
#include <utility>

#include "resources/string_table.h"

namespace host::res {
namespace {

struct Bytes {
  const unsigned char* data = nullptr;
  size_t size = 0;
  bool operator<(const Bytes& other) const {
    return std::pair(data, size) < std::pair(other.data, other.size);
  }
};

struct Registry {
  std::map<HINSTANCE, Bytes> registered;
  // Files read, by their bytes; null for a file that did not read.
  std::map<Bytes, std::unique_ptr<ModuleResources>> read;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

constexpr char kBytesSymbol[] = "HostResources";
constexpr char kSizeSymbol[] = "HostResourcesSize";

// The module's embedded resource file; no data when it carries none.
Bytes EmbeddedIn(HINSTANCE instance) {
  const void* data = nullptr;
  const void* size = nullptr;
  if (instance == nullptr) {
    data = dlsym(RTLD_DEFAULT, kBytesSymbol);
    size = dlsym(RTLD_DEFAULT, kSizeSymbol);
  } else {
    // Looking the symbols up must not change what the module sees as its
    // last error.
    DWORD lastError = GetLastError();
    data = reinterpret_cast<const void*>(GetProcAddress(instance, kBytesSymbol));
    size = reinterpret_cast<const void*>(GetProcAddress(instance, kSizeSymbol));
    SetLastError(lastError);
  }
  if (data == nullptr || size == nullptr) return Bytes{};
  return Bytes{static_cast<const unsigned char*>(data), *static_cast<const unsigned long*>(size)};
}

}  // namespace

const DialogTemplate* ModuleResources::FindDialog(LPCSTR name) const {
  for (const DialogTemplate& d : dialogs)
    if (d.name.Matches(name)) return &d;
  return nullptr;
}

bool ModuleResources::FindString(unsigned id, std::string* text) const {
  int block = StringBlockOf(id);
  for (const ResourceEntry& e : entries) {
    if (e.type.isOrdinal && e.type.ordinal == kStringType && e.name.isOrdinal &&
        e.name.ordinal == block)
      return FindBlockString(e.data, e.size, id, text);
  }
  return false;
}

bool ReadModuleResources(const uint8_t* bytes, size_t size, ModuleResources* resources,
                         std::string* error) {
  *resources = ModuleResources();
  if (!ReadResourceFile(bytes, size, &resources->entries, error)) {
    resources->entries.clear();
    return false;
  }
  for (const ResourceEntry& e : resources->entries) {
    if (!e.type.isOrdinal || e.type.ordinal != kDialogType) continue;
    DialogTemplate dialog;
    if (!ReadDialogTemplate(e.data, e.size, &dialog, error)) {
      *error = "dialog " + e.name.Display() + ": " + *error;
      *resources = ModuleResources();
      return false;
    }
    dialog.name = e.name;
    dialog.language = e.language;
    resources->dialogs.push_back(std::move(dialog));
  }
  return true;
}

const ModuleResources* ResourcesOf(HINSTANCE instance) {
  Registry& registry = TheRegistry();
  auto found = registry.registered.find(instance);
  Bytes bytes = found != registry.registered.end() ? found->second : EmbeddedIn(instance);
  if (bytes.data == nullptr) return nullptr;
  auto read = registry.read.find(bytes);
  if (read != registry.read.end()) return read->second.get();
  auto resources = std::make_unique<ModuleResources>();
  std::string error;
  if (!ReadModuleResources(bytes.data, bytes.size, resources.get(), &error)) {
    std::fprintf(stderr, "host: the module's resources: %s\n", error.c_str());
    resources.reset();
  }
  return (registry.read[bytes] = std::move(resources)).get();
}

void RegisterResources(HINSTANCE instance, const unsigned char* bytes, size_t size) {
  if (bytes == nullptr)
    TheRegistry().registered.erase(instance);
  else
    TheRegistry().registered[instance] = Bytes{bytes, size};
}

void ResetResources() {
  TheRegistry().registered.clear();
  TheRegistry().read.clear();
}

}  // namespace host::res
