// Registry writes at their edges, below HKCU\Software\ConformWrites: string
// data with and without its zero, names at and past their longest, and
// RegQueryValueA's size taken as a DWORD.
#include <cstring>
#include <string>

#include "report.h"

namespace conformance {
namespace {

constexpr char kArea[] = "registry_writes";
constexpr char kKey[] = "Software\\ConformWrites";

std::string Status(LONG status) { return Number(status); }

// The data given is a prefix of text; what follows it in memory is the
// rest of text (a letter, or the zero that ends it).
void StringTermination(HKEY key) {
  const char text[] = "FullString";
  struct {
    const char* label;
    DWORD type;
    DWORD size;
  } cases[] = {
      {"with its zero", REG_SZ, 11},
      {"zero left out", REG_SZ, 10},
      {"a letter after", REG_SZ, 9},
      {"nothing", REG_SZ, 0},
      {"expand, a letter after", REG_EXPAND_SZ, 4},
      {"binary, a letter after", REG_BINARY, 4},
  };
  for (const auto& c : cases) {
    Observe(kArea, "RegSetValueExA", c.label,
            Status(RegSetValueExA(key, c.label, 0, c.type, reinterpret_cast<const BYTE*>(text),
                                  c.size)));
    DWORD type = 99, size = 0;
    LONG status = RegQueryValueExA(key, c.label, nullptr, &type, nullptr, &size);
    Observe(kArea, "RegQueryValueExA", Quote(c.label) + " no data",
            Status(status) + " type " + Number(type) + " size " + Number(size));
    const DWORD stored = size;
    struct {
      const char* label;
      DWORD size;
    } offers[] = {{"exact", stored}, {"one more", stored + 1}, {"16", 16}};
    for (const auto& offer : offers) {
      Buffer data(16);
      size = offer.size;
      status = RegQueryValueExA(key, c.label, nullptr, nullptr,
                                reinterpret_cast<BYTE*>(data.data()), &size);
      Observe(kArea, "RegQueryValueExA", Quote(c.label) + " size " + offer.label,
              Status(status) + " size " + Number(size) + " " + data.Shown(13));
    }
  }
}

void NameLimits(HKEY key) {
  const std::string longest(16383, 'v'), tooLong(16384, 'v');
  for (const std::string* name : {&longest, &tooLong}) {
    const std::string label = "name of " + Number(static_cast<long long>(name->size()));
    Observe(kArea, "RegSetValueExA", label,
            Status(RegSetValueExA(key, name->c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"),
                                  2)));
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name->c_str(), nullptr, nullptr, nullptr, &size);
    Observe(kArea, "RegQueryValueExA", label, Status(status) + " size " + Number(size));
  }
  const std::string name255(255, 'k'), name256(256, 'k');
  struct {
    const char* label;
    std::string path;
  } creates[] = {
      {"name of 255", name255},
      {"name of 256", name256},
      {"name of 256 below a new key", "A\\" + name256},
      {"name of 256 above", name256 + "\\B"},
  };
  for (const auto& c : creates) {
    HKEY made = nullptr;
    DWORD disposition = 0;
    LONG status = RegCreateKeyExA(key, c.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &made, &disposition);
    Observe(kArea, "RegCreateKeyExA", c.label,
            Status(status) + (made != nullptr ? " key" : " NULL") + " disposition " +
                Number(disposition));
    if (made != nullptr) RegCloseKey(made);
  }
  HKEY made = nullptr;
  Observe(kArea, "RegCreateKeyA", "name of 256",
          Status(RegCreateKeyA(key, name256.c_str(), &made)));
  if (made != nullptr) RegCloseKey(made);
  for (const char* path : {"A"}) {
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(key, path, 0, KEY_READ, &opened);
    Observe(kArea, "RegOpenKeyExA", Quote(path), Status(status));
    if (opened != nullptr) RegCloseKey(opened);
  }
  RegDeleteKeyA(key, name255.c_str());
  RegDeleteKeyA(key, "A");
}

void NegativeSizes(HKEY key) {
  RegSetValueA(key, "Default", REG_SZ, "value", 0);
  for (LONG offered : {LONG{-1}, LONG{-100}, LONG{0x7FFFFFFF}}) {
    Buffer data(16);
    LONG size = offered;
    LONG status = RegQueryValueA(key, "Default", data.data(), &size);
    Observe(kArea, "RegQueryValueA", "size " + Number(offered),
            Status(status) + " size " + Number(size) + " " + data.Shown(8));
  }
  RegDeleteKeyA(key, "Default");
}

}  // namespace

void RunRegistryWrites() {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kKey, &key) != ERROR_SUCCESS) return;
  StringTermination(key);
  NameLimits(key);
  NegativeSizes(key);
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

}  // namespace conformance
