// Reading the bundle's areas: marker search, fields, dynamic and static properties, and the text
// conversions they need.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bundle/base64_decode.h"
#include "bundle/bundle_markers.h"
#include "bundle/dynamic_properties.h"
#include "bundle/hex_bytes.h"
#include "bundle/marker_search.h"
#include "bundle/property_block.h"
#include "bundle/tail_fields.h"
#include "bundle/text_fields.h"
#include "captured_console.h"
#include "files/file_open.h"
#include "log/launcher_log.h"
#include "temp_folder.h"

namespace {

using namespace std::string_literals;

struct StreamDeleter {
  void operator()(RingBuffer* stream) const { RingBuffer_destroy(stream); }
};
using OwnedStream = std::unique_ptr<RingBuffer, StreamDeleter>;

// A closed stream holding exactly these bytes.
OwnedStream streamOf(const std::string& bytes) {
  OwnedStream stream(RingBuffer_create(static_cast<int32_t>(bytes.size()) + 1));
  RingBuffer_write(stream.get(), bytes.data(), static_cast<int32_t>(bytes.size()));
  RingBuffer_close(stream.get());
  return stream;
}

// Runs a statement that should end the process, with the log on standard error where the death
// test looks for it.
template <typename Statement> void inDeathTest(Statement statement) {
  logSetConsoleStream(stderr);
  statement();
}

std::string blockText(const PropertyBlock& block) {
  return std::string(block.bytes.data(), propertyBlockLength(block));
}

TEST(MarkerSearch, FindsTheFirstTrueOccurrence) {
  const std::string marker = tailMarker();
  const std::string m0(1, marker[0]);
  const size_t block = 1 << 20;
  struct Case {
    const char* what;
    std::string file;
    int64_t expectedEnd;
  };
  const Case cases[] = {
      {"at the start", marker + "x", static_cast<int64_t>(marker.size())},
      {"after its own first byte", "ab" + m0 + marker, static_cast<int64_t>(3 + marker.size())},
      {"after a partial match of itself", marker.substr(0, 40) + marker, static_cast<int64_t>(40 + marker.size())},
      {"across a block boundary", std::string(block - 10, 'z') + marker,
       static_cast<int64_t>(block - 10 + marker.size())},
      {"twice: the first counts", "q" + marker + marker, static_cast<int64_t>(1 + marker.size())},
      {"absent", std::string(3000, 'z') + marker.substr(0, 127), -1},
      {"empty file", "", -1},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    writeWholeFile(folder.path() / "f", c.file);
    std::FILE* file = openFile(folder.launcherPath("f"), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(findMarkerEnd(file, marker), c.expectedEnd) << c.what;
    std::fclose(file);
  }
}

TEST(MarkerSearch, MarkersHaveTheirLengthsAndStreamStartsAfterTheMarker) {
  EXPECT_EQ(paramsMarker().size(), size_t(kParamsMarkerLength));
  EXPECT_EQ(tailMarker().size(), size_t(kTailMarkerLength));
  EXPECT_EQ(static_cast<unsigned char>(paramsMarker()[0]), 0x59);
  EXPECT_EQ(static_cast<unsigned char>(tailMarker()[127]), 0x63);
  TempFolder folder;
  writeWholeFile(folder.path() / "f", "junk"s + paramsMarker() + "2\0a\0"s);
  CapturedConsole console;
  RingBuffer* stream = openMarkedStream(folder.launcherPath("f"), paramsMarker(), "Params");
  EXPECT_EQ(readNumberField(stream), 2);
  EXPECT_EQ(readField(stream, 10).text, "a");
  EXPECT_EQ(readField(stream, 10).status, FieldStatus::Missing); // the file ended: no hang
  RingBuffer_destroy(stream);
}

TEST(MarkerSearchDeath, MissingMarkerOrFileEndsTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempFolder folder;
  writeWholeFile(folder.path() / "f", "no marker here");
  EXPECT_EXIT(inDeathTest([&] { openMarkedStream(folder.launcherPath("f"), tailMarker(), "Tail"); }),
              testing::ExitedWithCode(1), "Could not find marker: Tail\n");
  EXPECT_EXIT(inDeathTest([&] { openMarkedStream(folder.launcherPath("absent"), paramsMarker(), "Params"); }),
              testing::ExitedWithCode(1), "Failed to extract wrapper params - couldn't open file");
}

TEST(TextFields, FieldsNumbersAndTheirBounds) {
  OwnedStream owned = streamOf("abc\0 -12x\0"s + std::string(10, 'y') + "\0"s + "tail"s);
  RingBuffer* stream = owned.get();
  EXPECT_EQ(readField(stream, 4).text, "abc"); // three characters and the NUL fit 4 bytes
  EXPECT_EQ(readNumberField(stream), -12);
  EXPECT_EQ(readField(stream, 10).status, FieldStatus::TooLong);
  EXPECT_EQ(readField(stream, 11).text, std::string(10, 'y'));
  EXPECT_EQ(readField(stream, 100).status, FieldStatus::Missing);
  EXPECT_EQ(readNumberField(stream), -1);

  const std::pair<const char*, int32_t> numbers[] = {{"7", 7},
                                                     {"  +42abc", 42},
                                                     {"-0", 0},
                                                     {"", 0},
                                                     {"x1", 0},
                                                     {"2147483647", INT32_MAX},
                                                     {"99999999999", INT32_MAX},
                                                     {"-99999999999", INT32_MIN},
                                                     {"00000000000", 0}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(atolRule(text), value) << text;
}

TEST(PropertyBlock, EntriesEmptyValuesAndCapacity) {
  PropertyBlock block = makePropertyBlock();
  EXPECT_EQ(propertyBlockLength(block), 0u);
  EXPECT_TRUE(appendDynamicProperty(block, "a", "1"));
  EXPECT_TRUE(appendDynamicProperty(block, "e", ""));
  EXPECT_TRUE(appendStaticProperty(block, "a", "2"));
  EXPECT_EQ(blockText(block), "kxdyna_a\0"s
                              "1\0"s
                              "kxdyna_e\0\x04\0"s
                              "kxstat_a\0"s
                              "2");
  EXPECT_EQ(block.bytes[propertyBlockLength(block) + 1], '\0');

  PropertyBlock small = makePropertyBlock(20);
  CapturedConsole console;
  EXPECT_TRUE(appendStaticProperty(small, "ab", "12345")); // 7 + 2 + 1 + 5 + 2 = 17 bytes
  EXPECT_FALSE(appendStaticProperty(small, "c", "1"));
  EXPECT_EQ(blockText(small), "kxstat_ab\0"s
                              "12345");
}

TEST(DynamicProperties, RecordsLogsAndAppliesPairs) {
  const std::string v100(100, 'v'), v101(101, 'w');
  const std::string params = "8\0"s
                             "jre_name\0first\0"s
                             "jre_name\0second\0"s
                             "Force_spawn\0true\0"s
                             "force_spawn\0TRUE\0"s
                             "empty\0\0"s
                             "long100\0"s +
                             v100 + "\0"s + "long101\0"s + v101 + "\0"s + "update_url\0http://u/\0"s;
  OwnedStream owned = streamOf(params);
  RingBuffer* stream = owned.get();
  PropertyBlock block = makePropertyBlock();
  DynamicSettings settings;
  CapturedConsole console;
  readDynamicProperties(stream, block, settings);
  const std::string log = console.text();
  EXPECT_NE(log.find("+++ Processing 8 dynamic properties\n"), std::string::npos);
  EXPECT_NE(log.find("Dynamic Param 5: long100=[" + v100 + "]\n"), std::string::npos);
  EXPECT_NE(log.find("Dynamic Param 6: long101=[" + v101.substr(0, 99) + "...]\n"), std::string::npos);
  EXPECT_NE(log.find("[DynProps] Dynamic Update URL: http://u/\n"), std::string::npos);
  EXPECT_NE(log.find("--- End: Processing dynamic properties"), std::string::npos);
  EXPECT_EQ(settings.jreName, "second");
  EXPECT_FALSE(settings.forceSpawn);
  EXPECT_EQ(settings.updateUrl, "http://u/");
  EXPECT_EQ(blockText(block).substr(0, 62),
            "kxdyna_jre_name\0first\0kxdyna_jre_name\0second\0kxdyna_Force_spawn\0true"s.substr(0, 62));
  EXPECT_NE(blockText(block).find("\0kxdyna_empty\0\x04\0"s), std::string::npos);
}

TEST(DynamicProperties, CountZeroAndTruncatedAreas) {
  struct Case {
    std::string params;
    int expectedCount;
    size_t expectedPairs;
  };
  const Case cases[] = {
      {"0\0"s, 0, 0},
      {""s, -1, 0},             // the file ended right after the marker
      {"3\0a\0x\0b\0"s, 3, 1},  // ended inside the second pair
      {"2\0a\0x\0b\0y"s, 2, 1}, // the last value has no NUL
  };
  for (const Case& c : cases) {
    PropertyBlock block = makePropertyBlock();
    DynamicSettings settings;
    CapturedConsole console;
    readDynamicProperties(streamOf(c.params).get(), block, settings);
    EXPECT_NE(console.text().find("+++ Processing " + std::to_string(c.expectedCount) + " dynamic properties\n"),
              std::string::npos);
    size_t pairs = 0;
    for (size_t at = blockText(block).find("kxdyna_"); at != std::string::npos;
         at = blockText(block).find("kxdyna_", at + 1)) {
      ++pairs;
    }
    EXPECT_EQ(pairs, c.expectedPairs) << c.params;
  }
}

TEST(DynamicProperties, KeysTheLauncherActsOn) {
  DynamicSettings s;
  CapturedConsole console;
  applyDynamicProperty("show_no_ui", "TRUE", s);
  EXPECT_FALSE(s.silent);
  applyDynamicProperty("show_no_ui", "true", s);
  applyDynamicProperty("force_spawn", "true", s);
  applyDynamicProperty("splash_buffer", "250", s);
  applyDynamicProperty("wrapper_autotest", "", s);
  applyDynamicProperty("splash_image", "QQ==", s);
  EXPECT_TRUE(s.silent && s.forceSpawn && s.autotest);
  EXPECT_EQ(s.splashBuffer, 250);
  ASSERT_TRUE(s.splashImage.has_value());
  EXPECT_EQ(*s.splashImage, std::vector<uint8_t>{0x41});
  applyDynamicProperty("splash_image", "QQ=", s);
  EXPECT_FALSE(s.splashImage.has_value());
  EXPECT_NE(console.text().find("[DynProps] Decode complete [image size is 0]\n"), std::string::npos);
}

TEST(DynamicPropertiesDeath, OverlongFieldsEndTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string longName(kPropertyNameCapacity, 'n');
  const std::string longValue(kPropertyValueCapacity, 'v');
  for (const std::string& params : {"1\0"s + longName + "\0x\0"s, "1\0a\0"s + longValue + "\0"s}) {
    EXPECT_EXIT(inDeathTest([&] {
                  PropertyBlock block = makePropertyBlock();
                  DynamicSettings settings;
                  RingBuffer* stream = RingBuffer_create(204800);
                  RingBuffer_write(stream, params.data(), static_cast<int32_t>(params.size()));
                  RingBuffer_close(stream);
                  readDynamicProperties(stream, block, settings);
                  RingBuffer_destroy(stream);
                }),
                testing::ExitedWithCode(1), "field .* is longer than its");
  }
}

TEST(TailFields, ReadsTwelveFieldsAndRecordsThemInOrder) {
  const std::string tail = "App\0"s
                           "3\0"s
                           "\0"s
                           "2\0"s
                           "700\0"s
                           "ABCD\0"s
                           "1\0"s
                           "perm_user\0"s
                           "/S\0"s
                           "7\0"s
                           "D\0"s
                           "1\0"s
                           "ENTRIES";
  CapturedConsole console;
  OwnedStream owned = streamOf(tail);
  RingBuffer* stream = owned.get();
  const TailFields t = readTailFields(stream);
  EXPECT_EQ(t.appName, "App");
  EXPECT_EQ(t.guVersion, "2");
  EXPECT_EQ(t.publicKey, "ABCD");
  EXPECT_EQ(t.installType, "perm_user");
  EXPECT_EQ(t.updateUrl, "D");
  EXPECT_EQ(t.skipSystemJre, "1");
  char rest[8] = {0};
  EXPECT_EQ(RingBuffer_read(stream, rest, 7), 7); // the entries stay in the stream
  EXPECT_NE(console.text().find("[Extractor] Required Java version 7\n"), std::string::npos);
  EXPECT_NE(console.text().find("[Extractor] Skipping System JRE\n"), std::string::npos);

  PropertyBlock block = makePropertyBlock();
  appendStaticProperties(block, t, true);
  EXPECT_EQ(blockText(block), "kxstat_update_url\0D\0kxstat_install_type\0perm_user\0kxstat_min_splash_ms\0"
                              "700\0"
                              "kxstat_kxsig_public_key\0ABCD\0kxstat_can_override_splash\0"
                              "1\0"
                              "kxstat_app_name\0App\0kxstat_wrapper_app_version\0"
                              "3\0"
                              "kxstat_wrapper_gu_version\0"
                              "2\0kxstat_silent_parameter\0/S\0"
                              "kxstat_java_version\0"
                              "7\0kxstat_skip_system_jre\0"
                              "1\0kxstat_show_no_ui\0true"s);
}

TEST(TailFields, TruncatedTailLeavesMissingFieldsEmpty) {
  CapturedConsole console;
  const TailFields t = readTailFields(streamOf("App\0"
                                               "3\0"
                                               "\0"
                                               "2\0"
                                               "70"s)
                                          .get());
  EXPECT_EQ(t.appName, "App");
  EXPECT_EQ(t.minSplashMs, "");
  EXPECT_FALSE(t.publicKey.has_value());
  EXPECT_EQ(t.installType, "");
}

TEST(TailFieldsDeath, OverlongTailFieldEndsTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // skip_system_jre holds one character at most.
  const std::string tail = std::string(11, '\0') + "11\0"s;
  EXPECT_EXIT(inDeathTest([&] { readTailFields(streamOf(tail).get()); }), testing::ExitedWithCode(1),
              "The Tail field skip_system_jre is longer than its 2 bytes");
}

TEST(Base64, DecodesAndRejectsBadText) {
  struct Case {
    std::string text;
    bool ok;
    std::string bytes;
  };
  const Case cases[] = {
      {"QQ==", true, "A"},        {"QUI=", true, "AB"}, {"QUJD", true, "ABC"}, {"", true, ""},
      {"QUJDRA==", true, "ABCD"}, {"QQ=", false, ""},   {"QUJDR", false, ""},  {"QU*D", false, ""},
      {"Q===", false, ""},        {"QQ\n=", false, ""}, {"=QQQ", false, ""},
  };
  CapturedConsole console;
  for (const Case& c : cases) {
    const auto decoded = base64Decode(c.text.data(), c.text.size());
    ASSERT_EQ(decoded.has_value(), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(std::string(decoded->begin(), decoded->end()), c.bytes) << c.text;
    }
  }
  EXPECT_NE(console.text().find("input_length is not aligned"), std::string::npos);
}

TEST(HexToBytes, ParsesPairsAndNeverWritesPastCapacity) {
  struct Case {
    const char* text;
    int capacity;
    std::string bytes;
  };
  const Case cases[] = {
      {"00ff7A", 5, "\x00\xff\x7a"s}, {"  0a 1", 5, "\x0a\x01"s}, {"abz1", 5, "\xab"s}, {"", 2, ""},
      {"010203", 3, "\x01\x02"s},     {"30 1", 4, "\x30\x01"s},
  };
  for (const Case& c : cases) {
    std::string out(static_cast<size_t>(c.capacity) + 4, '#');
    const int count = HexToBytes(c.text, reinterpret_cast<uint8_t*>(out.data()), c.capacity);
    EXPECT_EQ(out.substr(0, static_cast<size_t>(count)), c.bytes) << c.text;
    EXPECT_EQ(out[static_cast<size_t>(count)], '\0') << c.text;
    EXPECT_EQ(out.substr(static_cast<size_t>(c.capacity)), "####") << c.text;
  }
}

} // namespace
