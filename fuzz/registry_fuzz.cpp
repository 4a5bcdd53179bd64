// The REGEDIT4 reader and the registry queries. Any registry.reg loads
// (bad lines are skipped); the registry it gives, written back and read
// again, is the same registry; and every key's name and value reads back
// whole through buffers of exactly the size needed, while one byte less
// gives ERROR_MORE_DATA and leaves the buffer untouched.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz_machine.h"
#include "host/src/machine/machine_internal.h"
#include "host/src/machine/registry/registry_tree.h"
#include "host/src/reset_host.h"
#include "winapi.h"

namespace {

constexpr unsigned char kSentinel = 0xA5;
constexpr size_t kMostKeysVisited = 200;

std::string LoadedText(const std::string& file) {
  // The machine opens once; the registry is read anew for every text.
  static const bool opened = (fuzz::OpenFreshMachine("[machine]\n"), true);
  (void)opened;
  fuzz::WriteMachineFile("registry.reg", file);
  host::ResetRegistry();
  {
    fuzz::QuietStderr quiet;
    host::registry::LoadRegistryFile();
  }
  return host::registry::RegistryFileText();
}

bool Untouched(const std::vector<unsigned char>& buffer, size_t from) {
  for (size_t i = from; i < buffer.size(); ++i)
    if (buffer[i] != kSentinel) return false;
  return true;
}

void CheckValue(HKEY handle, const host::registry::Value& value, size_t slack) {
  const char* name = value.name.c_str();
  DWORD needed = 0, type = 0;
  if (RegQueryValueExA(handle, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS)
    fuzz::Fail("a value of the tree is not found: " + value.name);
  if (needed != value.data.size() || type != value.type) fuzz::Fail("a value's size or type");
  if (needed > 0) {
    // One byte more than the size offered, so that the buffer of a 1-byte
    // value offered 0 is still a buffer: a null address asks for the size.
    std::vector<unsigned char> small(needed + slack, kSentinel);
    DWORD size = needed - 1;
    if (RegQueryValueExA(handle, name, nullptr, nullptr, small.data(), &size) != ERROR_MORE_DATA ||
        size != needed || !Untouched(small, 0))
      fuzz::Fail("a buffer one byte short is not refused whole");
  }
  std::vector<unsigned char> exact(needed + slack, kSentinel);
  DWORD size = needed;
  if (RegQueryValueExA(handle, name, nullptr, nullptr, exact.data(), &size) != ERROR_SUCCESS ||
      size != needed || std::memcmp(exact.data(), value.data.data(), needed) != 0 ||
      !Untouched(exact, needed))
    fuzz::Fail("a value does not read back whole through an exact buffer");
}

void CheckKey(HKEY handle, const host::registry::Key& key, size_t slack, size_t* visited) {
  if (++*visited > kMostKeysVisited) return;
  for (const host::registry::Value& value : key.values) CheckValue(handle, value, slack);
  DWORD index = 0;
  for (const auto& [upper, subkey] : key.subkeys) {
    const std::string& name = subkey->name;
    std::vector<unsigned char> buffer(name.size() + 1 + slack, kSentinel);
    char* text = reinterpret_cast<char*>(buffer.data());
    if (RegEnumKeyA(handle, index, text, static_cast<DWORD>(name.size())) != ERROR_MORE_DATA ||
        !Untouched(buffer, 0))
      fuzz::Fail("a subkey name one byte too long for its buffer is written");
    if (RegEnumKeyA(handle, index, text, static_cast<DWORD>(name.size() + 1)) != ERROR_SUCCESS ||
        name != text || !Untouched(buffer, name.size() + 1))
      fuzz::Fail("a subkey name does not read back through an exact buffer: " + name);
    HKEY child = nullptr;
    if (RegOpenKeyExA(handle, text, 0, KEY_READ, &child) != ERROR_SUCCESS)
      fuzz::Fail("an enumerated subkey does not open: " + name);
    CheckKey(child, *subkey, slack, visited);
    RegCloseKey(child);
    ++index;
  }
  char beyond[4];
  if (RegEnumKeyA(handle, index, beyond, sizeof beyond) != ERROR_NO_MORE_ITEMS)
    fuzz::Fail("the enumeration does not end after the last subkey");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const size_t slack = input.ConsumeIntegralInRange<size_t>(0, 8);
  const std::string file = input.ConsumeRemainingBytesAsString();

  const std::string written = LoadedText(file);
  size_t visited = 0;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS, HKEY_CURRENT_CONFIG}) {
    std::shared_ptr<host::registry::Key> key;
    if (host::registry::Resolve(root, &key) != ERROR_SUCCESS) fuzz::Fail("a root is missing");
    CheckKey(root, *key, slack, &visited);
  }
  if (LoadedText(written) != written)
    fuzz::Fail("the registry written back reads as another:\n" + written);
  return 0;
}
