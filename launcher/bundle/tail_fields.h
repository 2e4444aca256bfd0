// The twelve static fields at the start of the Tail area.
#pragma once

#include <optional>
#include <string>

#include "bundle/property_block.h"
#include "stream/ring_buffer.h"

struct TailFields {
  std::string appName;
  std::string appVersion; // wrapper_app_version
  std::string jreVersion;
  std::string guVersion; // wrapper_gu_version
  std::string minSplashMs;
  std::optional<std::string> publicKey; // kxsig_public_key; none when the tail ended before it
  std::string canOverrideSplash;
  std::string installType;
  std::string silentParameter;
  std::string javaVersion;
  std::string updateUrl;
  std::string skipSystemJre;
};

// Reads the fields in order with their capacities; fields missing because the file ended read as
// empty. A field over its capacity ends the process. The stream stays open for the archive entries.
TailFields readTailFields(RingBuffer* stream);

// The static properties in their fixed order, then show_no_ui for a silent run.
void appendStaticProperties(PropertyBlock& block, const TailFields& tail, bool silent);
