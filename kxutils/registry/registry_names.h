// The names the Java side gives registry roots and value types by. Matched whole and case-sensitively.
#pragma once

#include <cstdint>
#include <string>

enum class RegistryRoot { None, ClassesRoot, CurrentConfig, CurrentUser, LocalMachine, Users };

// "HKEY_CURRENT_USER" or "HKCU" and so on; anything else is RegistryRoot::None.
RegistryRoot registryRootNamed(const std::string& name);

// "REG_SZ" is 1, "REG_DWORD" 4, ...; a name not in the table is 0 (no type).
uint32_t registryTypeNamed(const std::string& name);

// Registry type numbers the text routines tell apart.
constexpr uint32_t kRegistryString = 1;
constexpr uint32_t kRegistryExpandString = 2;
constexpr uint32_t kRegistryNumber32 = 4;
constexpr uint32_t kRegistryNumber64 = 11;
