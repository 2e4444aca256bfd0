#include <gtest/gtest.h>

#include "locations/path_join.h"

namespace {

TEST(PathJoin, OneBackslashBetweenPartsAndNothingElseNormalised) {
  struct Case {
    const char* path;
    const char* part;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\a", "b", "C:\\a\\b"},
      {"C:\\a\\", "b", "C:\\a\\b"},
      {"C:/a/", "b/c", "C:\\a\\b\\c"},
      {"", "b", "\\b"},
      {"C:\\a", "..\\b\\\\c\\", "C:\\a\\..\\b\\\\c\\"},
      {"C:\\a", "", "C:\\a\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(joinPath(c.path, c.part), c.expected) << c.path << " + " << c.part;
  EXPECT_EQ(joinPaths({"C:/m", "logs", "Wrapper-x.log"}), "C:\\m\\logs\\Wrapper-x.log");
}

} // namespace
