// The kxarchive tool end to end: a folder packed, nested, signed and xz-compressed, then extracted by
// the launcher's pipeline, reproduces the tree byte for byte; one changed byte empties the
// destination.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "archive/lzma_unarchive.h"
#include "captured_console.h"
#include "signature/signature_check.h"
#include "temp_folder.h"
#include "test_keys.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> treeOf(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).generic_string();
    tree[name] = entry.is_directory() ? "<folder>" : readWholeFile(entry.path());
  }
  return tree;
}

ArchiveOutcome extractCompressed(const std::string& bytes, const std::string& destination) {
  RingBuffer* input = RingBuffer_create(static_cast<int32_t>(bytes.size()) + 1);
  RingBuffer_write(input, bytes.data(), static_cast<int32_t>(bytes.size()));
  RingBuffer_close(input);
  const ArchiveOutcome outcome = LzmaUnarchive_wait(
      startLzmaUnarchive(input, destination, SignatureRule::kRequireWhenKeyLoaded, OnRefusal::kReport));
  RingBuffer_destroy(input);
  return outcome;
}

TEST(ArchiveTool, PackedTreeRoundTripsAndATamperedByteIsRefused) {
  TempFolder work;
  const fs::path source = work.path() / "source";
  fs::create_directories(source / "bin");
  fs::create_directories(source / "jre" / "lib");
  fs::create_directories(source / "empty-folder");
  writeWholeFile(source / "bin" / "run.txt", "run");
  writeWholeFile(source / "empty.txt", "");
  std::string random(300000, '\0');
  uint32_t x = 12345;
  for (char& c : random) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  writeWholeFile(source / "jre" / "lib" / "rt.bin", random);
  writeWholeFile(source / "jre" / "release", std::string(100000, 't'));

  const fs::path archive = work.path() / "out.p2.l2";
  const std::string command = std::string(KX_ARCHIVE_TOOL) + " pack " + source.string() + " " + archive.string() +
                              " --key " + KX_TEST_KEY_DER + " --xz --nest jre";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  CapturedConsole console;
  loadPublicKey(testPublicKeyHex());
  const std::string bytes = readWholeFile(archive);
  fs::create_directory(work.path() / "dest");
  EXPECT_EQ(extractCompressed(bytes, work.launcherPath("dest")), ArchiveOutcome::kAccepted);
  std::map<std::string, std::string> expected = treeOf(source);
  expected.erase("empty.txt"); // an empty file is not created
  EXPECT_TRUE(treeOf(work.path() / "dest") == expected);

  // Bytes inside the compressed data: past the last one, only the xz index and footer follow, and
  // an archive whose bytes all decoded and verified is rightly kept.
  for (size_t at : {size_t{60}, bytes.size() / 3, bytes.size() / 2}) {
    SCOPED_TRACE(at);
    std::string tampered = bytes;
    tampered[at] ^= 0x01;
    fs::create_directories(work.path() / "dest" / "leftover");
    EXPECT_EQ(extractCompressed(tampered, work.launcherPath("dest")), ArchiveOutcome::kRefused);
    EXPECT_TRUE(fs::is_empty(work.path() / "dest"));
  }
  clearPublicKey();
}

} // namespace
