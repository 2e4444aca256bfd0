// The bundle writer: the layout it writes, read back by the launcher's own readers, and what it refuses.
#include <gtest/gtest.h>

#include "bundle/bundle_markers.h"
#include "bundle/bundle_writer.h"

namespace {

using namespace std::string_literals;

TEST(BundleWriter, WritesTailThenParamsAfterTheLauncher) {
  BundleContents c;
  c.tailFields = {{"app_name", "App"}, {"skip_system_jre", "1"}};
  c.entries = {"E1", "E2"};
  c.params = {{"a", "1"}, {"b", ""}};
  std::string error;
  const auto bundle = buildBundle("MZ-launcher", c, &error);
  ASSERT_TRUE(bundle) << error;
  EXPECT_EQ(*bundle, "MZ-launcher"s + tailMarker() + "App" + std::string(11, '\0') + "1\0"s + "E1E2" + paramsMarker() +
                         "2\0a\0"
                         "1\0b\0\0"s);
}

TEST(BundleWriter, RefusesOverlongValuesAndNulBytes) {
  struct Case {
    const char* what;
    BundleContents contents;
  };
  const Case cases[] = {
      {"tail field over capacity", {{{"skip_system_jre", "11"}}, {}, {}}},
      {"tail field at capacity", {{{"app_name", std::string(1024, 'a')}}, {}, {}}},
      {"unknown tail field", {{{"app_nam", "x"}}, {}, {}}},
      {"NUL in a tail field", {{{"app_name", "a\0b"s}}, {}, {}}},
      {"NUL in a name", {{}, {}, {{"a\0b"s, "x"}}}},
      {"name over capacity", {{}, {}, {{std::string(1024, 'n'), "x"}}}},
      {"value over capacity", {{}, {}, {{"n", std::string(200000, 'v')}}}},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(buildBundle("L", c.contents, &error).has_value()) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  BundleContents largest;
  largest.tailFields = {{"app_name", std::string(1023, 'a')}, {"kxsig_public_key", std::string(8191, 'f')}};
  largest.params = {{std::string(1023, 'n'), std::string(199999, 'v')}};
  EXPECT_TRUE(buildBundle("L", largest, nullptr).has_value());
}

} // namespace
