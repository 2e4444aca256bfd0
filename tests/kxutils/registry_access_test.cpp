// Registry access on the real (Wine) registry through the functions beneath the exports. Keys are
// unique to the test process and removed at the end, since other runs may share the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registry_access.h"

namespace {

std::string uniqueKeyName(const char* purpose) {
  return std::string("KxUtilsTest-") + purpose + "-" + std::to_string(GetCurrentProcessId());
}

// What the system itself stored, read without the code under test.
struct StoredValue {
  LONG result = -1;
  DWORD type = 0;
  std::vector<unsigned char> data;
};

StoredValue storedValue(HKEY root, const std::string& subKey, const std::string& name, REGSAM view = 0) {
  StoredValue stored;
  HKEY key = nullptr;
  stored.result = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ | view, &key);
  if (stored.result != ERROR_SUCCESS) return stored;
  DWORD size = 0;
  stored.result = RegQueryValueExA(key, name.c_str(), nullptr, &stored.type, nullptr, &size);
  stored.data.resize(size);
  if (stored.result == ERROR_SUCCESS)
    stored.result = RegQueryValueExA(key, name.c_str(), nullptr, &stored.type, stored.data.data(), &size);
  stored.data.resize(size);
  RegCloseKey(key);
  return stored;
}

bool keyExists(HKEY root, const std::string& subKey, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

struct RootCase {
  const char* name;
  HKEY key;
};
void PrintTo(const RootCase& root, std::ostream* out) { *out << root.name; }

// A test key under <root>\Software, deleted with everything in it at the end.
class RegistryAccess : public ::testing::TestWithParam<RootCase> {
protected:
  void SetUp() override {
    subKey_ = "Software\\" + uniqueKeyName("access");
    ASSERT_TRUE(registryCreateKey(key()));
  }
  void TearDown() override { RegDeleteTreeA(GetParam().key, subKey_.c_str()); }

  RegistryKeyPath key(const std::string& child = "") const {
    return {GetParam().name, child.empty() ? subKey_ : subKey_ + "\\" + child};
  }
  StoredValue stored(const std::string& name) const { return storedValue(GetParam().key, subKey_, name); }

  std::string subKey_;
};

} // namespace

TEST_P(RegistryAccess, TextValuesRoundTripUnexpandedAndWhole) {
  const std::string longText(20000, 'w'); // more than the first read buffer holds
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"REG_SZ", "plain text"}, {"REG_EXPAND_SZ", "%SystemRoot%\\x"}, {"REG_SZ", longText}, {"REG_SZ", ""}};
  for (const auto& [type, text] : cases) {
    ASSERT_TRUE(registrySet(key(), "v", text, type)) << type;
    EXPECT_EQ(registryGet(key(), "v"), text) << type;
  }
  const StoredValue empty = stored("v");
  EXPECT_EQ(empty.type, DWORD{REG_SZ});
  EXPECT_EQ(empty.data, std::vector<unsigned char>{0}); // just the terminator

  ASSERT_TRUE(registrySet(key(), "", "default", "REG_SZ"));
  EXPECT_EQ(registryGet(key(), ""), "default");
}

TEST_P(RegistryAccess, NumbersAreStoredAsFourLittleEndianBytesUnderTheNamedType) {
  struct Case {
    const char* type;
    const char* text;
    DWORD storedType;
    std::vector<unsigned char> storedBytes;
    std::string readBack;
  };
  const std::vector<Case> cases = {
      {"REG_DWORD", "12abc", REG_DWORD, {12, 0, 0, 0}, "12"},
      {"REG_DWORD", "abc", REG_DWORD, {0, 0, 0, 0}, "0"},
      {"REG_DWORD", "-1", REG_DWORD, {0xff, 0xff, 0xff, 0xff}, "-1"},
      {"REG_DWORD_LE", "4294967295", REG_DWORD, {0xff, 0xff, 0xff, 0x7f}, "2147483647"},
      {"REG_DWORD_BE", "1", REG_DWORD_BIG_ENDIAN, {1, 0, 0, 0}, ""},
      {"REG_QWORD", "-2", REG_QWORD, {0xfe, 0xff, 0xff, 0xff}, "-2"},
      {"REG_QWORD_LE", "7", REG_QWORD, {7, 0, 0, 0}, "7"},
      {"REG_MULTI_SZ", "3", REG_MULTI_SZ, {3, 0, 0, 0}, ""},
      {"REG_UNKNOWN", "258", REG_NONE, {2, 1, 0, 0}, ""},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(registrySet(key(), "n", c.text, c.type)) << c.type;
    const StoredValue value = stored("n");
    EXPECT_EQ(value.type, c.storedType) << c.type;
    EXPECT_EQ(value.data, c.storedBytes) << c.type;
    EXPECT_EQ(registryGet(key(), "n"), c.readBack) << c.type;
  }
}

TEST_P(RegistryAccess, BinaryDataIsStoredUnchangedAndReadBackBounded) {
  const unsigned char blob[] = {0, 1, 2, 0xff};
  ASSERT_TRUE(registrySetBinary(key(), "blob", blob, sizeof blob, "REG_BINARY"));
  const StoredValue value = stored("blob");
  EXPECT_EQ(value.type, DWORD{REG_BINARY});
  EXPECT_EQ(value.data, std::vector<unsigned char>(blob, blob + sizeof blob));
  EXPECT_EQ(registryGet(key(), "blob"), "");

  const unsigned char qword[] = {1, 0, 0, 0, 1, 0, 0, 0};
  ASSERT_TRUE(registrySetBinary(key(), "q", qword, sizeof qword, "REG_QWORD"));
  EXPECT_EQ(registryGet(key(), "q"), "4294967297");

  // A string stored without its terminator comes back without anything after it.
  const unsigned char unterminated[] = {'a', 'b', 'c'};
  ASSERT_TRUE(registrySetBinary(key(), "s", unterminated, sizeof unterminated, "REG_SZ"));
  EXPECT_EQ(registryGet(key(), "s"), "abc");
}

TEST_P(RegistryAccess, MissingKeysAndValuesGiveTheFailureValues) {
  const RegistryKeyPath missing = key("missing");
  EXPECT_EQ(registryGet(missing, "v"), "");
  EXPECT_EQ(registryGet(key(), "no such value"), "");
  EXPECT_FALSE(registrySet(missing, "v", "1", "REG_SZ"));
  EXPECT_FALSE(keyExists(GetParam().key, missing.subKey)); // regSet never creates the key
  const unsigned char byte = 1;
  EXPECT_FALSE(registrySetBinary(missing, "v", &byte, 1, "REG_BINARY"));
  EXPECT_FALSE(registryDeleteValue(missing, "v"));
  EXPECT_FALSE(registryDeleteValue(key(), "no such value"));
  EXPECT_FALSE(registryDeleteKey(missing, "child"));
  EXPECT_FALSE(registryDeleteKey(key(), "no such child"));
  EXPECT_FALSE(registryGetChildren(missing).has_value());

  ASSERT_TRUE(registryCreateKey(missing));
  EXPECT_TRUE(registryCreateKey(missing)); // already there
  EXPECT_TRUE(registrySet(missing, "v", "now", "REG_SZ"));
  EXPECT_EQ(registryGet(missing, "v"), "now");
}

TEST_P(RegistryAccess, UnknownOrLowerCaseRootNamesFailEverywhere) {
  for (const char* root : {"hklm", "hkcu", "HKEY_NOWHERE", ""}) {
    const RegistryKeyPath wrong{root, subKey_};
    EXPECT_EQ(registryGet(wrong, "v"), "") << root;
    EXPECT_FALSE(registrySet(wrong, "v", "1", "REG_SZ")) << root;
    EXPECT_FALSE(registryCreateKey({root, subKey_ + "\\new"})) << root;
    EXPECT_FALSE(registryDeleteValue(wrong, "v")) << root;
    EXPECT_FALSE(registryDeleteKey(wrong, "x")) << root;
    EXPECT_FALSE(registryGetChildren(wrong).has_value()) << root;
  }
}

TEST_P(RegistryAccess, ChildrenListSubKeysSeparatorAndValues) {
  auto empty = registryGetChildren(key());
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(empty->slots, 1u);
  EXPECT_EQ(empty->elements, std::vector<std::string>{"--------------"});

  ASSERT_TRUE(registryCreateKey(key("A")));
  ASSERT_TRUE(registryCreateKey(key("B")));
  ASSERT_TRUE(registrySet(key(), "x", "y", "REG_SZ"));
  auto listed = registryGetChildren(key());
  ASSERT_TRUE(listed.has_value());
  EXPECT_EQ(listed->slots, 4u);
  EXPECT_EQ(listed->elements, (std::vector<std::string>{"A", "B", "--------------", "x-|-|-|1-|-|-|y"}));
}

TEST_P(RegistryAccess, ChildrenShowEachValueTypeWithoutLeftoversOfTheValueBefore) {
  // Named in alphabetical order, the order both Windows (creation) and Wine (name) list them in.
  const std::string large(40000, 'L'); // more than the first listing buffer
  ASSERT_TRUE(registrySet(key(), "a_large", large, "REG_SZ"));
  const unsigned char unterminated[] = {'a', 'b', 'c'};
  ASSERT_TRUE(registrySetBinary(key(), "b_short", unterminated, sizeof unterminated, "REG_SZ"));
  const unsigned char blob[] = {9, 9, 9};
  ASSERT_TRUE(registrySetBinary(key(), "blob", blob, sizeof blob, "REG_BINARY"));
  ASSERT_TRUE(registrySet(key(), "d", "-5", "REG_DWORD"));
  ASSERT_TRUE(registrySet(key(), "e", "%TEMP%", "REG_EXPAND_SZ"));
  const unsigned char qword[] = {2, 0, 0, 0, 1, 0, 0, 0};
  ASSERT_TRUE(registrySetBinary(key(), "q", qword, sizeof qword, "REG_QWORD"));

  auto listed = registryGetChildren(key());
  ASSERT_TRUE(listed.has_value());
  EXPECT_EQ(listed->slots, 7u);
  std::vector<std::string> expected = {
      "--------------",   "a_large-|-|-|1-|-|-|" + large, "b_short-|-|-|1-|-|-|abc", "blob-|-|-|3-|-|-|",
      "d-|-|-|4-|-|-|-5", "e-|-|-|2-|-|-|%TEMP%",         "q-|-|-|11-|-|-|2"};
  EXPECT_EQ(listed->elements, expected);
}

TEST_P(RegistryAccess, DeletesValuesAndChildKeysButNotKeysWithSubKeys) {
  ASSERT_TRUE(registrySet(key(), "v", "1", "REG_SZ"));
  EXPECT_TRUE(registryDeleteValue(key(), "v"));
  EXPECT_NE(stored("v").result, ERROR_SUCCESS);
  EXPECT_FALSE(registryDeleteValue(key(), "v"));

  ASSERT_TRUE(registryCreateKey(key("parent\\child")));
  EXPECT_FALSE(registryDeleteKey(key(), "parent"));
  EXPECT_TRUE(keyExists(GetParam().key, subKey_ + "\\parent\\child"));
  EXPECT_TRUE(registryDeleteKey(key("parent"), "child"));
  EXPECT_TRUE(registryDeleteKey(key(), "parent"));
  EXPECT_FALSE(keyExists(GetParam().key, subKey_ + "\\parent"));
}

INSTANTIATE_TEST_SUITE_P(Roots, RegistryAccess,
                         ::testing::Values(RootCase{"HKCU", HKEY_CURRENT_USER},
                                           RootCase{"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}),
                         [](const auto& info) {
                           return std::string(info.param.key == HKEY_CURRENT_USER ? "HKCU" : "HKLM");
                         });

// What the 32-bit build does in its own view, done here with the view flag a 32-bit process gets
// by default: the data lands under WOW6432Node as the 64-bit view sees it.
TEST(RegistryViews, TheThirtyTwoBitViewIsSeenUnderWow6432Node) {
  const std::string name = uniqueKeyName("view");
  const RegistryKeyPath in32{"HKLM", "Software\\" + name, RegistryView::Bits32};
  const std::string seenFrom64 = "Software\\WOW6432Node\\" + name;

  ASSERT_TRUE(registryCreateKey(in32));
  ASSERT_TRUE(registryCreateKey({in32.root, in32.subKey + "\\child", RegistryView::Bits32}));
  EXPECT_TRUE(registrySet(in32, "width", "32", "REG_SZ"));

  EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, seenFrom64));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, in32.subKey)); // not in the 64-bit view
  EXPECT_EQ(registryGet({"HKLM", seenFrom64}, "width"), "32");
  EXPECT_EQ(registryGet({"HKLM", in32.subKey}, "width"), "");
  EXPECT_EQ(registryGet(in32, "width"), "32");
  auto listed = registryGetChildren(in32);
  ASSERT_TRUE(listed.has_value());
  EXPECT_EQ(listed->elements, (std::vector<std::string>{"child", "--------------", "width-|-|-|1-|-|-|32"}));

  EXPECT_TRUE(registryDeleteValue(in32, "width"));
  EXPECT_TRUE(registryDeleteKey(in32, "child"));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, seenFrom64 + "\\child"));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, seenFrom64.c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, in32.subKey.c_str());
}
