#include "registry/registry_names.h"

namespace {

struct RootName {
  const char* longName;
  const char* shortName;
  RegistryRoot root;
};

constexpr RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", RegistryRoot::ClassesRoot},
    {"HKEY_CURRENT_CONFIG", "HKCC", RegistryRoot::CurrentConfig},
    {"HKEY_CURRENT_USER", "HKCU", RegistryRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", "HKLM", RegistryRoot::LocalMachine},
    {"HKEY_USERS", "HKU", RegistryRoot::Users},
};

struct TypeName {
  const char* name;
  uint32_t type;
};

constexpr TypeName kTypes[] = {
    {"REG_DWORD", 4},     {"REG_DWORD_LE", 4}, {"REG_DWORD_BE", 5}, {"REG_QWORD", 11}, {"REG_QWORD_LE", 11},
    {"REG_EXPAND_SZ", 2}, {"REG_SZ", 1},       {"REG_BINARY", 3},   {"REG_LINK", 6},   {"REG_MULTI_SZ", 7},
};

} // namespace

RegistryRoot registryRootNamed(const std::string& name) {
  for (const RootName& entry : kRoots)
    if (name == entry.longName || name == entry.shortName) return entry.root;
  return RegistryRoot::None;
}

uint32_t registryTypeNamed(const std::string& name) {
  for (const TypeName& entry : kTypes)
    if (name == entry.name) return entry.type;
  return 0;
}
