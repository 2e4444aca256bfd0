// The dynamic properties of the Params area: recorded in the property block, and the few keys the
// launcher acts on itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bundle/property_block.h"
#include "stream/ring_buffer.h"

constexpr int32_t kPropertyNameCapacity = 1024;
constexpr int32_t kPropertyValueCapacity = 200000;

struct DynamicSettings {
  bool silent = false;
  bool autotest = false;
  bool forceSpawn = false;
  int splashBuffer = 0;
  std::optional<std::string> updateUrl;
  std::string jreName;
  std::optional<std::string> windowsAppId;
  std::optional<std::vector<uint8_t>> splashImage; // decoded picture; none when absent or undecodable
};

// Reads the count and the pairs (a missing count reads as -1, a missing field ends the pair loop),
// logs and records each pair and applies its key. A field over its capacity ends the process.
void readDynamicProperties(RingBuffer* stream, PropertyBlock& block, DynamicSettings& settings);

// The effect of one pair on the settings (with its log lines).
void applyDynamicProperty(const std::string& name, const std::string& value, DynamicSettings& settings);
