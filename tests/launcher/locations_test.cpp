// Shared folder resolution against a stand-in system, versioned folder names and PickFolder.
#include <gtest/gtest.h>

#include <map>

#include "captured_console.h"
#include "files/folder_listing.h"
#include "locations/shared_folder.h"
#include "locations/versioned_folders.h"
#include "temp_folder.h"

namespace {

// The stand-in system's state for one case.
struct FakeSystem {
  std::map<std::string, std::string> environment;
  std::optional<int> major = 10;
  std::optional<std::string> shortForm;
  std::string user = "bob";
  bool accessible = true;
};
FakeSystem* current = nullptr;

LocationSystem fakeLocations() {
  return LocationSystem{
      [](const char* name) -> std::optional<std::string> {
        const auto it = current->environment.find(name);
        if (it == current->environment.end()) return std::nullopt;
        return it->second;
      },
      [] { return current->major; },
      [](const std::string&) { return current->shortForm; },
      [] { return current->user; },
      [](const std::string&) { return current->accessible; },
      [](const std::string&) { return true; },
  };
}

TEST(SharedFolder, EveryBranchOfTheResolution) {
  const std::map<std::string, std::string> env = {{"APPDATA", "C:\\Users\\bob\\AppData\\Roaming"},
                                                  {"LOCALAPPDATA", "C:\\Users\\bob\\AppData\\Local"},
                                                  {"USERPROFILE", "C:\\Users\\bob"},
                                                  {"ALLUSERSPROFILE", "C:\\ProgramData"},
                                                  {"PROGRAMDATA", "C:\\PD"}};
  struct Case {
    const char* what;
    std::string installType;
    FakeSystem system;
    std::optional<std::string> expected;
  };
  auto with = [&](std::map<std::string, std::string> changes, std::optional<int> major = 10,
                  std::optional<std::string> shortForm = std::nullopt, bool accessible = true) {
    FakeSystem s;
    s.environment = env;
    for (const auto& [k, v] : changes) {
      if (v == "<unset>") {
        s.environment.erase(k);
      } else {
        s.environment[k] = v;
      }
    }
    s.major = major;
    s.shortForm = shortForm;
    s.accessible = accessible;
    return s;
  };
  // FNV-1a of "bob" is 0x..., printed as the magnitude of its signed value.
  const std::string fallback =
      "C:\\ProgramData\\KXUser-" + std::to_string(std::abs(int64_t(int32_t(fnv1aLogged("bob"))))) + "-bob";
  const Case cases[] = {
      {"all users on Vista and later", "perm_all", with({}), "C:\\PD"},
      {"all users before Vista", "perm_all", with({}, 5), "C:\\ProgramData\\Application Data"},
      {"all users, version unknown", "perm_all", with({}, std::nullopt), "C:\\ProgramData\\Application Data"},
      {"all users without PROGRAMDATA", "perm_all", with({{"PROGRAMDATA", "<unset>"}}), std::nullopt},
      {"per user, local APPDATA", "perm_user", with({}), "C:\\Users\\bob\\AppData\\Roaming"},
      {"temporary is per user too", "temp_user", with({}), "C:\\Users\\bob\\AppData\\Roaming"},
      {"roaming APPDATA on a share", "perm_user", with({{"APPDATA", "\\\\server\\share\\bob"}}),
       "C:\\Users\\bob\\AppData\\Local"},
      {"roaming before Vista", "perm_user", with({{"APPDATA", "\\\\server\\share\\bob"}}, 5),
       "C:\\Users\\bob\\Local Settings\\Application Data"},
      {"roaming, version unknown", "perm_user", with({{"APPDATA", "\\\\server\\share\\bob"}}, std::nullopt),
       "\\\\server\\share\\bob"},
      {"non-ASCII path takes the short form", "perm_user", with({{"APPDATA", "C:\\B\xf6"}}, 10, "C:\\BF~1"),
       "C:\\BF~1"},
      {"'!' path takes the short form", "perm_user", with({{"APPDATA", "C:\\a!b"}}, 10, "C:\\AB~1"), "C:\\AB~1"},
      {"'!' path without a short form falls back", "perm_user", with({{"APPDATA", "C:\\a!b"}}), fallback},
      {"unwritable folder falls back", "perm_user", with({}, 10, "C:\\X~1", false), fallback},
      {"missing APPDATA falls back", "perm_user", with({{"APPDATA", "<unset>"}}), fallback},
      {"no fallback variable either", "perm_user", with({{"APPDATA", "<unset>"}, {"ALLUSERSPROFILE", "<unset>"}}),
       std::nullopt},
  };
  CapturedConsole console;
  for (const Case& c : cases) {
    FakeSystem system = c.system;
    current = &system;
    EXPECT_EQ(resolveSharedFolder(c.installType, fakeLocations()), c.expected) << c.what;
  }
}

TEST(SharedFolder, FallbackHashesTheRawNameAndCleansTheFolderName) {
  FakeSystem system;
  system.environment = {{"ALLUSERSPROFILE", "C:\\All"}};
  system.user = "J\xf6rg";
  current = &system;
  CapturedConsole console;
  // FNV-1a 32 of the four bytes 4a f6 72 67, computed by hand from the standard constants.
  uint32_t h = 2166136261u;
  for (unsigned char b : std::string("J\xf6rg")) h = (h ^ b) * 16777619u;
  const int32_t s = static_cast<int32_t>(h);
  EXPECT_EQ(fallbackSharedFolder(fakeLocations()),
            "C:\\All\\KXUser-" + std::to_string(s < 0 ? -int64_t(s) : s) + "-J_rg");
  EXPECT_NE(console.text().find("[1] -10 "), std::string::npos); // 0xf6 logged as a signed byte
}

TEST(VersionedFolders, NamesAndVersions) {
  EXPECT_EQ(versionedFolderName("C:\\m", "Ommel", "12"), "C:\\m\\Ommel-Ommel-12-complete");
  EXPECT_EQ(temporaryFolderName("C:\\does-not-exist", 1700000000), "C:\\does-not-exist\\OmmelTemp-1700000000-0-app");
  const std::pair<const char*, int32_t> versions[] = {{"Ommel-Ommel-700-complete", 700},
                                                      {"Ommel-Ommel-700", -1},
                                                      {"Ommel-Ommel-700-anything", 700},
                                                      {"a-b--c", 0},
                                                      {"Ommel-J-00000000000-complete", 0}};
  for (const auto& [name, version] : versions) EXPECT_EQ(folderVersion(name), version) << name;
}

TEST(PickFolder, ChoosesTheNewestMatchingFolder) {
  struct Case {
    std::vector<std::string> folders;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {{"Ommel-Ommel-700-complete", "Ommel-Ommel-91-complete"}, "Ommel-Ommel-700-complete"},
      {{"Ommel-Ommel-700", "Ommel-Ommel-5-x"}, "Ommel-Ommel-5-x"},
      {{"Ommel-Ommel-9-x.plugin", "Ommel-Ommels-9-x", "Ommel-Omme-9-x"}, std::nullopt},
      {{"X-Ommel-00000000000-complete"}, "X-Ommel-00000000000-complete"},
      {{"a-Ommel-3-x", "b-Ommel-3-x"}, "a-Ommel-3-x"}, // ties keep the first listed
      {{}, std::nullopt},
  };
  CapturedConsole console;
  for (const Case& c : cases) {
    TempFolder master;
    for (const std::string& f : c.folders) std::filesystem::create_directory(master.path() / f);
    // Listing order is the file system's; ties are decided in that order.
    if (c.folders.size() == 2 && c.folders[0] == "a-Ommel-3-x") {
      const auto listed = listFolder(master.launcherPath());
      for (const std::string& name : *listed) {
        if (name == "a-Ommel-3-x" || name == "b-Ommel-3-x") {
          EXPECT_EQ(PickFolder(master.launcherPath(), "Ommel"), name);
          break;
        }
      }
      continue;
    }
    EXPECT_EQ(PickFolder(master.launcherPath(), "Ommel"), c.expected);
  }
  EXPECT_EQ(PickFolder("/no/such/master", "Ommel"), std::nullopt);
}

} // namespace
