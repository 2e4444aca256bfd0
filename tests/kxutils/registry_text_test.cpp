// Registry names and the text forms of registry data.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "registry/registry_names.h"
#include "registry/registry_text.h"

TEST(RegistryNames, RootsAreMatchedWholeAndCaseSensitively) {
  const std::vector<std::pair<std::string, RegistryRoot>> cases = {{"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
                                                                   {"HKCR", RegistryRoot::ClassesRoot},
                                                                   {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
                                                                   {"HKCC", RegistryRoot::CurrentConfig},
                                                                   {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
                                                                   {"HKCU", RegistryRoot::CurrentUser},
                                                                   {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
                                                                   {"HKLM", RegistryRoot::LocalMachine},
                                                                   {"HKEY_USERS", RegistryRoot::Users},
                                                                   {"HKU", RegistryRoot::Users},
                                                                   {"hklm", RegistryRoot::None},
                                                                   {"HKLM ", RegistryRoot::None},
                                                                   {"HKEY_LOCAL", RegistryRoot::None},
                                                                   {"", RegistryRoot::None}};
  for (const auto& [name, root] : cases) EXPECT_EQ(registryRootNamed(name), root) << name;
}

TEST(RegistryNames, TypeNamesGiveTheirNumbersAndAnythingElseZero) {
  const std::vector<std::pair<std::string, uint32_t>> cases = {{"REG_DWORD", 4},
                                                               {"REG_DWORD_LE", 4},
                                                               {"REG_DWORD_BE", 5},
                                                               {"REG_QWORD", 11},
                                                               {"REG_QWORD_LE", 11},
                                                               {"REG_EXPAND_SZ", 2},
                                                               {"REG_SZ", 1},
                                                               {"REG_BINARY", 3},
                                                               {"REG_LINK", 6},
                                                               {"REG_MULTI_SZ", 7},
                                                               {"reg_sz", 0},
                                                               {"REG_NONE", 0},
                                                               {"", 0}};
  for (const auto& [name, type] : cases) EXPECT_EQ(registryTypeNamed(name), type) << name;
}

TEST(RegistryText, NumbersAreReadLikeStrtolOfA32BitLong) {
  const std::vector<std::pair<std::string, int32_t>> cases = {{"12abc", 12},
                                                              {"abc", 0},
                                                              {"", 0},
                                                              {"  -7", -7},
                                                              {"+5", 5},
                                                              {"0x10", 0},
                                                              {"-1", -1},
                                                              {"2147483647", INT32_MAX},
                                                              {"2147483648", INT32_MAX},
                                                              {"4294967295", INT32_MAX},
                                                              {"99999999999999999999999", INT32_MAX},
                                                              {"-2147483648", INT32_MIN},
                                                              {"-99999999999", INT32_MIN}};
  for (const auto& [text, number] : cases) EXPECT_EQ(registryNumberFromText(text.c_str()), number) << text;
}

namespace {
std::vector<unsigned char> bytes(std::initializer_list<int> values) {
  std::vector<unsigned char> out;
  for (int v : values) out.push_back(static_cast<unsigned char>(v));
  return out;
}
} // namespace

TEST(RegistryText, DataTextStopsAtTheTerminatorOrTheReportedSize) {
  struct Case {
    uint32_t type;
    std::vector<unsigned char> data;
    std::string listed;
    std::string read;
  };
  const std::vector<Case> cases = {
      {1, bytes({'a', 'b', 'c'}), "abc", "abc"},       // stored without its terminator
      {1, bytes({'a', 'b', 0, 'x', 'y'}), "ab", "ab"}, // bytes after the terminator
      {2, bytes({'%', 'P', '%', 0}), "%P%", "%P%"},    // never expanded
      {1, {}, "", ""},                                 // empty data
      {4, bytes({0xff, 0xff, 0xff, 0xff}), "-1", "-1"},
      {4, bytes({0x0c, 0, 0, 0}), "12", "12"},
      {4, bytes({0x34, 0x12}), "4660", "4660"},                 // short number, zero-padded
      {11, bytes({1, 0, 0, 0, 1, 0, 0, 0}), "1", "4294967297"}, // listing shows the low 32 bits
      {11, bytes({0xfe, 0xff, 0xff, 0xff}), "-2", "-2"},        // four bytes, as regSet stores
      {11, bytes({0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}), "-1", "-1"},
      {3, bytes({1, 2, 3}), "", ""},
      {7, bytes({'a', 0, 'b', 0, 0}), "", ""},
      {5, bytes({0, 0, 0, 1}), "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(registryListedDataText(c.type, c.data.data(), c.data.size()), c.listed) << c.type;
    EXPECT_EQ(registryReadDataText(c.type, c.data.data(), c.data.size()), c.read) << c.type;
  }
}

TEST(RegistryText, ChildElementJoinsNameTypeAndData) {
  EXPECT_EQ(registryChildElement("x", 1, "y"), "x-|-|-|1-|-|-|y");
  EXPECT_EQ(registryChildElement("blob", 3, ""), "blob-|-|-|3-|-|-|");
  EXPECT_EQ(std::string(kRegistryChildrenSeparator), "--------------");
}
