// Registry access for the Java side on plain C++ types: read, write, create, delete and list, with
// keys named by a root name ("HKCU", "HKEY_LOCAL_MACHINE", ...) and a sub-key path. Failures are
// reported by result and, where the caller expects it, a trace line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The exports work in their own build's view (no view flag), so a 32-bit build is redirected like
// any 32-bit program. The explicit views let a 64-bit build act as the 32-bit build would.
enum class RegistryView { Own, Bits32, Bits64 };

struct RegistryKeyPath {
  std::string root;
  std::string subKey;
  RegistryView view = RegistryView::Own;
};

// The value's data as text (strings unexpanded, numbers in decimal); empty when the key or value is
// missing or unreadable. An empty name reads the key's default value.
std::string registryGet(const RegistryKeyPath& key, const std::string& valueName);

// Writes the value into an existing key: strings with their terminating zero byte, every other
// type as the 32-bit number read from the text.
bool registrySet(const RegistryKeyPath& key, const std::string& valueName, const std::string& value,
                 const std::string& typeName);

// Writes `size` bytes unchanged under the named type.
bool registrySetBinary(const RegistryKeyPath& key, const std::string& valueName, const unsigned char* data, size_t size,
                       const std::string& typeName);

// Creates the key and any missing keys on its path; true also when it existed.
bool registryCreateKey(const RegistryKeyPath& key);

// Deletes the child keyName of the key; the system refuses a child with sub-keys of its own.
bool registryDeleteKey(const RegistryKeyPath& key, const std::string& keyName);

bool registryDeleteValue(const RegistryKeyPath& key, const std::string& valueName);

// A key's sub-key names, the separator, then "<name>-|-|-|<type>-|-|-|<data text>" per value.
// `slots` is sub-keys + values + 1 as counted when the key was opened; entries that could not be
// read are missing from `elements`, so the list then has fewer elements than slots.
struct RegistryChildren {
  size_t slots = 0;
  std::vector<std::string> elements;
};

// Nothing when the key cannot be opened or counted.
std::optional<RegistryChildren> registryGetChildren(const RegistryKeyPath& key);
