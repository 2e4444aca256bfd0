#include "bundle/bundle_writer.h"

#include "bundle/bundle_markers.h"

const char* const kTailFieldNames[12] = {
    "app_name",         "wrapper_app_version", "jre_version",         "wrapper_gu_version",
    "min_splash_ms",    "kxsig_public_key",    "can_override_splash", "install_type",
    "silent_parameter", "java_version",        "update_url",          "skip_system_jre"};

namespace {

const size_t kTailFieldCapacities[12] = {1024, 1024, 1024, 1024, 1024, 8192, 1024, 1024, 1024, 1024, 5000, 2};
constexpr size_t kNameCapacity = 1024;
constexpr size_t kValueCapacity = 200000;

// A text fits a field of the capacity when it and its NUL do, and it holds no NUL of its own.
bool checkText(const std::string& what, const std::string& text, size_t capacity, std::string* error) {
  if (text.find('\0') != std::string::npos) {
    if (error) *error = what + " holds a NUL byte";
    return false;
  }
  if (text.size() + 1 > capacity) {
    if (error) *error = what + " is longer than " + std::to_string(capacity - 1) + " bytes";
    return false;
  }
  return true;
}

} // namespace

std::optional<std::string> buildBundle(const std::string& launcher, const BundleContents& contents,
                                       std::string* error) {
  std::string fields[12];
  for (const auto& [name, value] : contents.tailFields) {
    size_t i = 0;
    while (i < 12 && name != kTailFieldNames[i]) ++i;
    if (i == 12) {
      if (error) *error = "unknown tail field " + name;
      return std::nullopt;
    }
    if (!checkText("tail field " + name, value, kTailFieldCapacities[i], error)) return std::nullopt;
    fields[i] = value;
  }
  std::string bundle = launcher + tailMarker();
  for (const std::string& field : fields) bundle += field + '\0';
  for (const std::string& entry : contents.entries) bundle += entry;
  bundle += paramsMarker() + std::to_string(contents.params.size()) + '\0';
  for (const auto& [name, value] : contents.params) {
    if (!checkText("property name " + name, name, kNameCapacity, error)) return std::nullopt;
    if (!checkText("value of " + name, value, kValueCapacity, error)) return std::nullopt;
    bundle += name + '\0' + value + '\0';
  }
  return bundle;
}
