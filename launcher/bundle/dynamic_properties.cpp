#include "bundle/dynamic_properties.h"

#include <cstdlib>

#include "bundle/base64_decode.h"
#include "bundle/text_fields.h"
#include "log/launcher_log.h"

namespace {

const char kPlusLine[] = "++++++++++++++++++++++++++++++++++++++++++++++++\n";

// Long values are logged by their first 99 characters.
constexpr size_t kLoggedValueLength = 100;

std::string shortened(const std::string& value) { return value.substr(0, kLoggedValueLength - 1); }

void applySplashImage(const std::string& value, DynamicSettings& settings) {
  if (value.size() < kLoggedValueLength) {
    logMessage("[DynProps] Splash Image is %s\n", value.c_str());
  } else {
    logMessage("[DynProps] Splash Image is %s...\n", shortened(value).c_str());
  }
  logMessage("[DynProps] Base64 decoding image...\n");
  settings.splashImage = base64Decode(value.data(), value.size());
  const size_t size = settings.splashImage ? settings.splashImage->size() : 0;
  logMessage("[DynProps] Decode complete [image size is %d]\n", static_cast<int>(size));
}

} // namespace

void applyDynamicProperty(const std::string& name, const std::string& value, DynamicSettings& settings) {
  if (name == "update_url") {
    settings.updateUrl = value;
    logMessage("[DynProps] Dynamic Update URL: %s\n", value.c_str());
  } else if (name == "wrapper_autotest") {
    settings.autotest = true;
  } else if (name == "show_no_ui") {
    if (value == "true") settings.silent = true;
  } else if (name == "force_spawn") {
    settings.forceSpawn = value == "true";
  } else if (name == "splash_buffer") {
    if (!value.empty()) settings.splashBuffer = std::atoi(value.c_str());
  } else if (name == "splash_image") {
    applySplashImage(value, settings);
  } else if (name == "jre_name") {
    settings.jreName = value;
    logMessage("[DynProps] JRE name from dynamic launch properties is %s\n", value.c_str());
  } else if (name == "windows_app_id") {
    logMessage("[DynProps] Windows APP ID is %s\n", value.c_str());
    settings.windowsAppId = value;
  }
}

void readDynamicProperties(RingBuffer* stream, PropertyBlock& block, DynamicSettings& settings) {
  settings.silent = false;
  FieldStatus countStatus = FieldStatus::Read;
  const int32_t count = readNumberField(stream, &countStatus);
  if (countStatus == FieldStatus::TooLong) endOnOverlongField("Params", "count", kNumberFieldCapacity);
  logMessage("\n");
  logMessage("%s", kPlusLine);
  logMessage("+++ Processing %d dynamic properties\n", count);
  logMessage("%s", kPlusLine);
  for (int32_t i = 0; i < count; ++i) {
    const TextField name = readField(stream, kPropertyNameCapacity);
    if (name.status == FieldStatus::TooLong) endOnOverlongField("Params", "name", kPropertyNameCapacity);
    if (name.status != FieldStatus::Read) break;
    const TextField value = readField(stream, kPropertyValueCapacity);
    if (value.status == FieldStatus::TooLong) endOnOverlongField("Params", name.text.c_str(), kPropertyValueCapacity);
    if (value.status != FieldStatus::Read) break;
    if (value.text.size() <= kLoggedValueLength) {
      logMessage("[DynProps] Dynamic Param %d: %s=[%s]\n", i, name.text.c_str(), value.text.c_str());
    } else {
      logMessage("[DynProps] Dynamic Param %d: %s=[%s...]\n", i, name.text.c_str(), shortened(value.text).c_str());
    }
    appendDynamicProperty(block, name.text, value.text);
    applyDynamicProperty(name.text, value.text, settings);
  }
  RingBuffer_close(stream);
  logEndBanner("Processing dynamic properties");
}
