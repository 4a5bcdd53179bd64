// Modules: native shared libraries that stand for the system's DLLs, and
// instance handles for code linked into the process.

#include "host/loader.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "advapi32/advapi32_internal.h"
#include "kernel32/kernel32_internal.h"
#include "machine/machine_internal.h"
#include "machine/syscall_gate.h"
#include "winapi.h"

namespace host {
namespace {

typedef BOOL(WINAPI* DllEntry)(HINSTANCE, DWORD, LPVOID);

struct Module {
  std::string windowsPath;
  std::string nativeFile;  // empty for a linked module
  HINSTANCE handle = nullptr;
  bool linked = false;
  bool builtInRegistry = false;  // ADVAPI32.DLL, answered by the host
  void* library = nullptr;       // dlopen handle while loaded
  int references = 0;
};

struct Modules {
  // A deque, so that a Module& stays valid while a DllMain registers more.
  std::deque<Module> modules;
  std::vector<HINSTANCE> loadOrder;  // loaded modules, first loaded first
  uintptr_t nextHandle = kFirstHandle;
  // Instance handles look like the image bases Windows gives DLLs.
  static constexpr uintptr_t kFirstHandle = 0x10000000;
  static constexpr uintptr_t kHandleStep = 0x00010000;
};

Modules& TheModules() {
  static Modules modules;
  return modules;
}

// Exports a test put in place of a module's own: (upper-case base name,
// export name) -> address.
std::map<std::pair<std::string, std::string>, FARPROC>& Replacements() {
  static std::map<std::pair<std::string, std::string>, FARPROC> replacements;
  return replacements;
}

constexpr char kRegistryLibrary[] = "ADVAPI32.DLL";

Module* FindByHandle(HMODULE handle) {
  for (Module& m : TheModules().modules)
    if (m.handle == handle && handle != nullptr) return &m;
  return nullptr;
}

bool IsLoaded(const Module& m) { return m.linked || m.references > 0; }

HINSTANCE NewHandle() {
  Modules& modules = TheModules();
  HINSTANCE handle = reinterpret_cast<HINSTANCE>(modules.nextHandle);
  modules.nextHandle += Modules::kHandleStep;
  return handle;
}

Module* FindByName(const std::string& requested) {
  std::string name = LibraryName(requested);
  bool hasPath = name.find_first_of("\\/:") != std::string::npos;
  Modules& modules = TheModules();
  if (hasPath) {
    std::string full = FullWindowsPath(name);
    for (Module& m : modules.modules)
      if (EqualNoCase(FullWindowsPath(m.windowsPath), full)) return &m;
    return nullptr;
  }
  // A bare name finds a module already loaded first, as on Windows, then
  // the first one registered.
  Module* first = nullptr;
  for (Module& m : modules.modules) {
    if (!EqualNoCase(BaseName(m.windowsPath), name)) continue;
    if (IsLoaded(m)) return &m;
    if (first == nullptr) first = &m;
  }
  if (first == nullptr && EqualNoCase(name, kRegistryLibrary)) {
    Module registry;
    registry.windowsPath = Config().systemDir + "\\" + kRegistryLibrary;
    registry.handle = NewHandle();
    registry.linked = true;
    registry.builtInRegistry = true;
    modules.modules.push_back(registry);
    return &modules.modules.back();
  }
  return first;
}

// A symbol of this library itself, not of one it depends on (dlsym on a
// library handle also searches its dependencies; GetProcAddress does not).
void* OwnSymbol(void* library, const char* name) {
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) return nullptr;
  link_map* map = nullptr;
  Dl_info info{};
  if (dlinfo(library, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || dladdr(symbol, &info) == 0 ||
      info.dli_fname == nullptr || std::strcmp(info.dli_fname, map->l_name) != 0)
    return nullptr;
  return symbol;
}

BOOL CallEntry(Module& m, DWORD reason, LPVOID reserved) {
  DllEntry entry = reinterpret_cast<DllEntry>(OwnSymbol(m.library, "DllMain"));
  // A DLL without an entry point loads as on Windows.
  return entry == nullptr ? TRUE : entry(m.handle, reason, reserved);
}

void Unload(Module& m, LPVOID reserved) {
  CallEntry(m, DLL_PROCESS_DETACH, reserved);
  dlclose(m.library);
  m.library = nullptr;
  m.references = 0;
  auto& order = TheModules().loadOrder;
  order.erase(std::remove(order.begin(), order.end(), m.handle), order.end());
}

}  // namespace

void RegisterModule(const std::string& windowsPath, const std::string& nativeFile) {
  for (Module& m : TheModules().modules) {
    if (!m.linked && EqualNoCase(m.windowsPath, windowsPath)) {
      m.nativeFile = nativeFile;
      return;
    }
  }
  Module m;
  m.windowsPath = windowsPath;
  m.nativeFile = nativeFile;
  m.handle = NewHandle();
  TheModules().modules.push_back(m);
}

HINSTANCE RegisterLinkedModule(const std::string& windowsPath) {
  for (Module& m : TheModules().modules)
    if (m.linked && EqualNoCase(m.windowsPath, windowsPath)) return m.handle;
  Module m;
  m.windowsPath = windowsPath;
  m.handle = NewHandle();
  m.linked = true;
  TheModules().modules.push_back(m);
  return m.handle;
}

void DetachLoadedModules() {
  Modules& modules = TheModules();
  for (auto it = modules.loadOrder.rbegin(); it != modules.loadOrder.rend(); ++it) {
    Module* m = FindByHandle(*it);
    // A non-null reserved value tells DllMain that the process is ending.
    if (m != nullptr && m->library != nullptr)
      CallEntry(*m, DLL_PROCESS_DETACH, reinterpret_cast<LPVOID>(1));
  }
}

void ReplaceExport(const std::string& module, const std::string& name, FARPROC address) {
  auto key = std::make_pair(ExportModuleName(module), name);
  if (address == nullptr)
    Replacements().erase(key);
  else
    Replacements()[key] = address;
}

void ResetModules() {
  Replacements().clear();
  Modules& modules = TheModules();
  std::vector<HINSTANCE> order = modules.loadOrder;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    Module* m = FindByHandle(*it);
    if (m != nullptr && m->library != nullptr) Unload(*m, nullptr);
  }
  modules = Modules();
}

}  // namespace host

extern "C" {

HMODULE WINAPI LoadLibraryA(LPCSTR fileName) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (*fileName == '\0') {  // no module has an empty name
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  host::Module* m = host::FindByName(fileName);
  if (m == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (m->linked) return m->handle;
  if (m->references > 0) {
    ++m->references;
    return m->handle;
  }
  void* library = dlopen(m->nativeFile.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "host: LoadLibraryA(%s): %s\n", fileName, dlerror());
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  m->library = library;
  m->references = 1;
  HINSTANCE handle = m->handle;
  host::TheModules().loadOrder.push_back(handle);
  if (!host::CallEntry(*m, DLL_PROCESS_ATTACH, nullptr)) {
    // Windows tells the module it detaches, unloads it and fails the load.
    m = host::FindByHandle(handle);
    if (m != nullptr && m->library != nullptr) host::Unload(*m, nullptr);
    SetLastError(ERROR_DLL_INIT_FAILED);
    return nullptr;
  }
  return handle;
}

BOOL WINAPI FreeLibrary(HMODULE module) {
  host::Module* m = host::FindByHandle(module);
  if (m == nullptr || !host::IsLoaded(*m)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (m->linked) return TRUE;
  if (--m->references == 0) host::Unload(*m, nullptr);
  return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName) {
  host::Module* m = host::FindByHandle(module);
  if (m == nullptr || !host::IsLoaded(*m)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // Ordinals are not kept by the host.
  if (procName == nullptr || IS_INTRESOURCE(procName)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  std::string exportModule = host::ExportModuleName(m->windowsPath);
  if (host::sys::ExportHidden(exportModule, procName)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  auto replaced = host::Replacements().find(std::make_pair(exportModule, std::string(procName)));
  if (replaced != host::Replacements().end()) return replaced->second;
  FARPROC address = nullptr;
  if (m->builtInRegistry) {
    address = host::RegistryExport(procName);
  } else {
    void* symbol =
        m->linked ? dlsym(RTLD_DEFAULT, procName) : host::OwnSymbol(m->library, procName);
    address = reinterpret_cast<FARPROC>(symbol);
  }
  if (address == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return address;
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  host::Module* m = host::FindByHandle(module);
  if (m == nullptr || !host::IsLoaded(*m)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (fileName == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string& path = m->windowsPath;
  if (path.size() < size) {
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
  }
  // A path that does not fit fills the buffer, without a terminator.
  std::memcpy(fileName, path.data(), size);
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}

}  // extern "C"
