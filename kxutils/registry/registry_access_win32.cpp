#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "frame/last_error_trace.h"
#include "frame/trace_log.h"
#include "registry/registry_access.h"
#include "registry/registry_key_win32.h"
#include "registry/registry_names.h"
#include "registry/registry_text.h"

namespace {

constexpr DWORD kFirstValueBuffer = 8192;
constexpr DWORD kSubKeyNameBuffer = 256;  // 255 characters and the terminator
constexpr DWORD kValueNameBuffer = 16384; // 16383 characters and the terminator
constexpr DWORD kFirstListDataBuffer = 32767;

HKEY rootKeyOf(const std::string& name) {
  switch (registryRootNamed(name)) {
  case RegistryRoot::ClassesRoot:
    return HKEY_CLASSES_ROOT;
  case RegistryRoot::CurrentConfig:
    return HKEY_CURRENT_CONFIG;
  case RegistryRoot::CurrentUser:
    return HKEY_CURRENT_USER;
  case RegistryRoot::LocalMachine:
    return HKEY_LOCAL_MACHINE;
  case RegistryRoot::Users:
    return HKEY_USERS;
  case RegistryRoot::None:
    break;
  }
  return nullptr; // the open or create that follows fails with the system's invalid-handle error
}

REGSAM viewFlag(RegistryView view) {
  switch (view) {
  case RegistryView::Bits32:
    return KEY_WOW64_32KEY;
  case RegistryView::Bits64:
    return KEY_WOW64_64KEY;
  case RegistryView::Own:
    break;
  }
  return 0;
}

// Opens root\subKey. A failure is traced under failureTag unless it is null.
RegistryKey openKey(const RegistryKeyPath& key, REGSAM access, const char* failureTag) {
  RegistryKey opened;
  const LONG result =
      RegOpenKeyExA(rootKeyOf(key.root), key.subKey.c_str(), 0, access | viewFlag(key.view), opened.receive());
  if (result != ERROR_SUCCESS) {
    if (failureTag) {
      if (result == ERROR_FILE_NOT_FOUND)
        traceLog(failureTag, "Key not found: %s\n", key.subKey.c_str());
      else
        traceLog(failureTag, "Error opening key: %s\n", key.subKey.c_str());
    }
    return RegistryKey();
  }
  return opened;
}

bool isStringType(uint32_t type) { return type == kRegistryString || type == kRegistryExpandString; }

bool writeValue(const RegistryKeyPath& key, const char* failureTag, const std::string& valueName, uint32_t type,
                const unsigned char* data, size_t size) {
  if (size > MAXDWORD) return false;
  RegistryKey opened = openKey(key, KEY_SET_VALUE, failureTag);
  if (!opened) return false;
  return RegSetValueExA(opened.get(), valueName.c_str(), 0, type, data, static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

// RegDeleteKeyExA exists from Windows XP x64 on; the library still loads where it is missing.
LONG deleteChildKey(HKEY parent, const std::string& keyName, RegistryView view) {
  if (view == RegistryView::Own) return RegDeleteKeyA(parent, keyName.c_str());
  using DeleteKeyEx = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  HMODULE advapi = GetModuleHandleA("advapi32");
  auto deleteKeyEx =
      advapi ? reinterpret_cast<DeleteKeyEx>(reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExA")))
             : nullptr;
  if (!deleteKeyEx) return ERROR_CALL_NOT_IMPLEMENTED;
  return deleteKeyEx(parent, keyName.c_str(), viewFlag(view), 0);
}

// One value's name and data text, or false when it cannot be read. A value whose data outgrew the
// buffer is asked for once more with the size the system named.
bool readListedValue(HKEY key, DWORD index, std::vector<char>& name, std::vector<unsigned char>& data,
                     std::string& element) {
  DWORD type = 0;
  DWORD nameLength = 0;
  DWORD dataSize = 0;
  LONG result = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 2 && result == ERROR_MORE_DATA; ++attempt) {
    if (attempt > 0) data.resize(std::max<size_t>(dataSize, data.size()));
    std::fill(data.begin(), data.end(), 0);
    nameLength = static_cast<DWORD>(name.size());
    dataSize = static_cast<DWORD>(data.size());
    result = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
  }
  if (result != ERROR_SUCCESS) return false;
  const size_t stored = std::min<size_t>(dataSize, data.size());
  element = registryChildElement(std::string(name.data(), std::min<size_t>(nameLength, name.size())), type,
                                 registryListedDataText(type, data.data(), stored));
  return true;
}

} // namespace

std::string registryGet(const RegistryKeyPath& key, const std::string& valueName) {
  RegistryKey opened = openKey(key, KEY_READ, nullptr);
  if (!opened) return "";
  std::vector<unsigned char> buffer(kFirstValueBuffer, 0);
  for (;;) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExA(opened.get(), valueName.c_str(), nullptr, &type, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
      buffer.assign(std::max<size_t>(size, buffer.size()) * 2, 0);
      continue;
    }
    if (result != ERROR_SUCCESS) return "";
    return registryReadDataText(type, buffer.data(), std::min<size_t>(size, buffer.size()));
  }
}

bool registrySet(const RegistryKeyPath& key, const std::string& valueName, const std::string& value,
                 const std::string& typeName) {
  const uint32_t type = registryTypeNamed(typeName);
  if (isStringType(type))
    return writeValue(key, "regSet", valueName, type, reinterpret_cast<const unsigned char*>(value.c_str()),
                      value.size() + 1);
  const uint32_t number = static_cast<uint32_t>(registryNumberFromText(value.c_str()));
  const unsigned char bytes[4] = {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                                  static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
  return writeValue(key, "regSet", valueName, type, bytes, sizeof bytes);
}

bool registrySetBinary(const RegistryKeyPath& key, const std::string& valueName, const unsigned char* data, size_t size,
                       const std::string& typeName) {
  return writeValue(key, "regSetBinary", valueName, registryTypeNamed(typeName), data, size);
}

bool registryCreateKey(const RegistryKeyPath& key) {
  RegistryKey created;
  const LONG result = RegCreateKeyExA(rootKeyOf(key.root), key.subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_WRITE | viewFlag(key.view), nullptr, created.receive(), nullptr);
  if (result != ERROR_SUCCESS) {
    // The registry functions answer with the code instead of setting the thread's last error.
    SetLastError(static_cast<DWORD>(result));
    traceLastError("RegCreateKeyEx");
    return false;
  }
  return true;
}

bool registryDeleteKey(const RegistryKeyPath& key, const std::string& keyName) {
  RegistryKey opened = openKey(key, DELETE, "regDeleteKey");
  if (!opened) return false;
  return deleteChildKey(opened.get(), keyName, key.view) == ERROR_SUCCESS;
}

bool registryDeleteValue(const RegistryKeyPath& key, const std::string& valueName) {
  RegistryKey opened = openKey(key, KEY_SET_VALUE, "RegDeleteValue");
  if (!opened) return false;
  return RegDeleteValueA(opened.get(), valueName.c_str()) == ERROR_SUCCESS;
}

std::optional<RegistryChildren> registryGetChildren(const RegistryKeyPath& key) {
  RegistryKey opened = openKey(key, KEY_READ, "regGetChildren");
  if (!opened) return std::nullopt;
  DWORD subKeys = 0, longestSubKey = 0, values = 0, longestValueName = 0, largestData = 0;
  // The key's class is of no use here; leaving it out spares a failure for a long class text.
  if (RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, &values,
                       &longestValueName, &largestData, nullptr, nullptr) != ERROR_SUCCESS) {
    traceLog("regGetChildren", "Error reading key: %s\n", key.subKey.c_str());
    return std::nullopt;
  }

  RegistryChildren children;
  children.slots = static_cast<size_t>(subKeys) + values + 1;
  std::vector<char> subKeyName(std::max<size_t>(kSubKeyNameBuffer, size_t{longestSubKey} + 1));
  for (DWORD index = 0; index < subKeys; ++index) {
    DWORD length = static_cast<DWORD>(subKeyName.size());
    if (RegEnumKeyExA(opened.get(), index, subKeyName.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      continue;
    children.elements.emplace_back(subKeyName.data(), std::min<size_t>(length, subKeyName.size()));
  }
  children.elements.emplace_back(kRegistryChildrenSeparator);

  if (values > 0) {
    std::vector<char> valueName(std::max<size_t>(kValueNameBuffer, size_t{longestValueName} + 1));
    std::vector<unsigned char> data(std::max<size_t>(kFirstListDataBuffer, largestData));
    std::string element;
    for (DWORD index = 0; index < values; ++index)
      if (readListedValue(opened.get(), index, valueName, data, element)) children.elements.push_back(element);
  }
  return children;
}
