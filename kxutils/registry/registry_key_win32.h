// Owner of an open registry key.
#pragma once

#include <windows.h>

class RegistryKey {
public:
  RegistryKey() = default;
  ~RegistryKey() { reset(); }
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
      reset();
      key_ = other.key_;
      other.key_ = nullptr;
    }
    return *this;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY get() const { return key_; }
  HKEY* receive() {
    reset();
    return &key_;
  }
  explicit operator bool() const { return key_ != nullptr; }

  // Closing keeps the thread's last error, so a report after a failed call still shows it.
  void reset() {
    if (!key_) return;
    const DWORD error = GetLastError();
    RegCloseKey(key_);
    SetLastError(error);
    key_ = nullptr;
  }

private:
  HKEY key_ = nullptr;
};
