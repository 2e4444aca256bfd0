// Writing the Tail and Params areas into a copy of a built launcher.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The twelve tail fields by their property names (jre_version for the unrecorded third field).
extern const char* const kTailFieldNames[12];

struct BundleContents {
  std::vector<std::pair<std::string, std::string>> tailFields; // any order; missing fields are empty
  std::vector<std::string> entries;                            // archive entries' bytes, in order
  std::vector<std::pair<std::string, std::string>> params;     // dynamic properties, in order
};

// The launcher's bytes followed by the Tail area (marker, fields, entries) and the Params area
// (marker, count, pairs). None, with the reason in *error, when a field exceeds its capacity, a text
// holds a NUL byte or a tail field name is unknown.
std::optional<std::string> buildBundle(const std::string& launcher, const BundleContents& contents, std::string* error);
