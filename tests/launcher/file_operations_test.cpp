// Folder copy, deletion, the rename with its copy fallback, and the subsystem patch.
#include <gtest/gtest.h>

#include <filesystem>

#include "captured_console.h"
#include "files/entry_kind.h"
#include "files/file_operations.h"
#include "files/subsystem_patch.h"
#include "log/launcher_log.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// a.txt, .x (skipped: a dot and one letter), .abc (copied), sub/b.txt
void fillSample(const fs::path& folder) {
  fs::create_directories(folder / "sub");
  writeWholeFile(folder / "a.txt", "A");
  writeWholeFile(folder / ".x", "hidden");
  writeWholeFile(folder / ".abc", "dots");
  writeWholeFile(folder / "sub" / "b.txt", std::string(120000, 'b')); // more than one copy chunk
}

TEST(FileOperations, ExistenceAndAccess) {
  TempFolder t;
  writeWholeFile(t.path() / "f", "x");
  CapturedConsole console;
  EXPECT_TRUE(fileExists(t.launcherPath("f")));
  EXPECT_FALSE(fileExists(t.launcherPath())); // a folder is no file
  EXPECT_FALSE(fileExists(t.launcherPath("missing")));
  EXPECT_TRUE(canReadAndWrite(t.launcherPath("f")));
  EXPECT_FALSE(canReadAndWrite(t.launcherPath("missing")));
}

TEST(FileOperations, CopyFolderCopiesTreesAndSkipsDotEntries) {
  TempFolder t;
  fillSample(t.path() / "src");
  fs::create_directory(t.path() / "dst");
  fs::create_directory(t.path() / "empty");
  fs::create_directory(t.path() / "dst2");
  CapturedConsole console;
  EXPECT_EQ(CopyFolder(t.launcherPath("src"), t.launcherPath("dst")), 0);
  EXPECT_EQ(readWholeFile(t.path() / "dst" / "a.txt"), "A");
  EXPECT_EQ(readWholeFile(t.path() / "dst" / "sub" / "b.txt"), std::string(120000, 'b'));
  EXPECT_TRUE(fs::exists(t.path() / "dst" / ".abc"));
  EXPECT_FALSE(fs::exists(t.path() / "dst" / ".x"));
  EXPECT_EQ(CopyFolder(t.launcherPath("empty"), t.launcherPath("dst2")), 0);
  EXPECT_TRUE(fs::is_empty(t.path() / "dst2"));
  EXPECT_EQ(CopyFolder(t.launcherPath("missing"), t.launcherPath("dst2")), 1);
}

TEST(FileOperations, DeleteFolderEmptiesTheFolderButNeverFollowsLinks) {
  TempFolder t;
  fillSample(t.path() / "victim");
  fs::create_directories(t.path() / "outside");
  writeWholeFile(t.path() / "outside" / "keep.txt", "keep");
  std::error_code linkError;
  fs::create_directory_symlink(t.path() / "outside", t.path() / "victim" / "link", linkError);
  CapturedConsole console;
  EXPECT_EQ(DeleteFolder(t.launcherPath("victim")), 0);
  EXPECT_TRUE(fs::is_directory(t.path() / "victim"));
  EXPECT_FALSE(fs::exists(t.path() / "victim" / "a.txt"));
  EXPECT_FALSE(fs::exists(t.path() / "victim" / "sub"));
  EXPECT_TRUE(fs::exists(t.path() / "victim" / ".x")); // a dot and one letter is skipped
  EXPECT_EQ(readWholeFile(t.path() / "outside" / "keep.txt"), "keep");
  if (!linkError) {
    EXPECT_FALSE(fs::exists(fs::symlink_status(t.path() / "victim" / "link")));
  }
  EXPECT_EQ(DeleteFolder(t.launcherPath("missing")), 1);
}

TEST(FileOperations, RenameIntoAFreshName) {
  TempFolder t;
  fillSample(t.path() / "a");
  CapturedConsole console;
  renameFolder(t.launcherPath("b"), t.launcherPath("a"));
  EXPECT_TRUE(fs::exists(t.path() / "b" / "a.txt"));
  EXPECT_FALSE(fs::exists(t.path() / "a"));
}

TEST(FileOperations, RenameOntoANonEmptyFolderFallsBackToACopy) {
  TempFolder t;
  fillSample(t.path() / "src");
  fs::create_directory(t.path() / "dst");
  writeWholeFile(t.path() / "dst" / "a.txt", "old");
  writeWholeFile(t.path() / "dst" / "other.txt", "other");
  CapturedConsole console;
  renameFolder(t.launcherPath("dst"), t.launcherPath("src"));
  EXPECT_EQ(readWholeFile(t.path() / "dst" / "a.txt"), "A");
  EXPECT_EQ(readWholeFile(t.path() / "dst" / "other.txt"), "other");
  EXPECT_TRUE(fs::exists(t.path() / "src" / "a.txt")); // the source stays after a copy
  EXPECT_NE(console.text().find("[Rename] Can do no better than a copy on this filesystem\n"), std::string::npos);
}

// A minimal PE image: DOS header pointing at offset 0x80, the signature there, a subsystem of 3. An
// earlier stray "PE\0\0" must not be taken for the header.
std::string peImage(unsigned char subsystem) {
  std::string image(0x80 + 4 + 20 + 96, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  image.replace(0x10, 4, "PE\0\0"s);
  image[0x3C] = static_cast<char>(0x80);
  image.replace(0x80, 4, "PE\0\0"s);
  image[0x80 + 4 + 88] = static_cast<char>(subsystem);
  return image;
}

TEST(SubsystemPatch, WritesTheWindowedSubsystemAtTheHeadersField) {
  TempFolder t;
  for (unsigned char before : {3, 2}) {
    writeWholeFile(t.path() / "tool.exe", peImage(before));
    CapturedConsole console;
    patchWindowsSubsystem(t.launcherPath("tool.exe"));
    const std::string after = readWholeFile(t.path() / "tool.exe");
    EXPECT_EQ(after[0x80 + 4 + 88], 2);
    EXPECT_EQ(after.substr(0, 0x80 + 4 + 88), peImage(before).substr(0, 0x80 + 4 + 88));
    char was[32];
    std::snprintf(was, sizeof(was), "Was %02X\n", before);
    EXPECT_NE(console.text().find(was), std::string::npos);
    EXPECT_NE(console.text().find("Found marker OK at 132 [+88 = 220]\n"), std::string::npos);
  }
}

TEST(SubsystemPatchDeath, FilesWithoutAValidHeaderEndTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempFolder t;
  std::string wrongPointer = peImage(3);
  wrongPointer[0x3C] = 0x10 + 1; // points next to the stray signature
  const std::string cases[] = {"PE\0\0 but no DOS header"s, wrongPointer, peImage(3).substr(0, 0x90)};
  for (const std::string& bytes : cases) {
    writeWholeFile(t.path() / "bad.exe", bytes);
    EXPECT_EXIT(
        {
          logSetConsoleStream(stderr);
          patchWindowsSubsystem(t.launcherPath("bad.exe"));
        },
        testing::ExitedWithCode(1), "Could not find marker: SS edit - PE sig");
  }
  EXPECT_EXIT(
      {
        logSetConsoleStream(stderr);
        patchWindowsSubsystem(t.launcherPath("none.exe"));
      },
      testing::ExitedWithCode(1), "Could not open file");
}

} // namespace
