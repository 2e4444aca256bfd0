#include "bundle/tail_fields.h"

#include "bundle/text_fields.h"
#include "log/launcher_log.h"

namespace {

struct TailFieldSpec {
  const char* name;
  int32_t capacity;
};

const TailFieldSpec kTailFieldSpecs[] = {
    {"app_name", 1024},
    {"wrapper_app_version", 1024},
    {"jre_version", 1024},
    {"wrapper_gu_version", 1024},
    {"min_splash_ms", 1024},
    {"kxsig_public_key", 8192},
    {"can_override_splash", 1024},
    {"install_type", 1024},
    {"silent_parameter", 1024},
    {"java_version", 1024},
    {"update_url", 5000},
    {"skip_system_jre", 2},
};

} // namespace

TailFields readTailFields(RingBuffer* stream) {
  TailFields tail;
  std::string* targets[] = {&tail.appName,         &tail.appVersion,  &tail.jreVersion,        &tail.guVersion,
                            &tail.minSplashMs,     nullptr,           &tail.canOverrideSplash, &tail.installType,
                            &tail.silentParameter, &tail.javaVersion, &tail.updateUrl,         &tail.skipSystemJre};
  static_assert(sizeof(targets) / sizeof(targets[0]) == sizeof(kTailFieldSpecs) / sizeof(kTailFieldSpecs[0]),
                "one target per field");
  bool ended = false;
  for (size_t i = 0; i < sizeof(kTailFieldSpecs) / sizeof(kTailFieldSpecs[0]); ++i) {
    const TailFieldSpec& layout = kTailFieldSpecs[i];
    // Once the file has ended, every later field is missing too (what is left of a cut field stays
    // in the stream and is not read as a field of its own).
    const TextField field = ended ? TextField{} : readField(stream, layout.capacity);
    if (field.status == FieldStatus::TooLong) endOnOverlongField("Tail", layout.name, layout.capacity);
    if (field.status == FieldStatus::Missing) ended = true;
    if (targets[i]) {
      *targets[i] = field.text;
    } else if (field.status == FieldStatus::Read) {
      tail.publicKey = field.text;
    }
  }
  if (!tail.javaVersion.empty()) logMessage("[Extractor] Required Java version %s\n", tail.javaVersion.c_str());
  if (!tail.skipSystemJre.empty()) logMessage("[Extractor] Skipping System JRE\n");
  return tail;
}

void appendStaticProperties(PropertyBlock& block, const TailFields& tail, bool silent) {
  appendStaticProperty(block, "update_url", tail.updateUrl);
  appendStaticProperty(block, "install_type", tail.installType);
  appendStaticProperty(block, "min_splash_ms", tail.minSplashMs);
  appendStaticProperty(block, "kxsig_public_key", tail.publicKey.value_or(""));
  appendStaticProperty(block, "can_override_splash", tail.canOverrideSplash);
  appendStaticProperty(block, "app_name", tail.appName);
  appendStaticProperty(block, "wrapper_app_version", tail.appVersion);
  appendStaticProperty(block, "wrapper_gu_version", tail.guVersion);
  appendStaticProperty(block, "silent_parameter", tail.silentParameter);
  appendStaticProperty(block, "java_version", tail.javaVersion);
  appendStaticProperty(block, "skip_system_jre", tail.skipSystemJre);
  if (silent) appendStaticProperty(block, "show_no_ui", "true");
}
