// Extracting archives: the tree they describe, signatures and their failure path, refused names and
// fields, streams cut short, nested compressed archives and the process exit on refusal.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archive/archive_reader.h"
#include "archive/lzma_unarchive.h"
#include "archive/unpack200.h"
#include "captured_console.h"
#include "signature/signature_check.h"
#include "temp_folder.h"
#include "test_keys.h"

namespace fs = std::filesystem;

namespace {

// The archive bytes in a closed buffer, as a finished download would leave them.
RingBuffer* bufferHolding(const std::string& bytes) {
  RingBuffer* b = RingBuffer_create(static_cast<int32_t>(bytes.size()) + 16);
  RingBuffer_write(b, bytes.data(), static_cast<int32_t>(bytes.size()));
  RingBuffer_close(b);
  return b;
}

class ArchiveReader : public ::testing::Test {
protected:
  void SetUp() override { loadPublicKey(testPublicKeyHex()); }
  void TearDown() override { clearPublicKey(); }

  ArchiveOutcome read(const std::string& bytes, SignatureRule rule = SignatureRule::kVerifyWhenPresent) {
    RingBuffer* b = bufferHolding(bytes);
    const ArchiveOutcome outcome = readArchive(b, dest.launcherPath(), rule);
    RingBuffer_destroy(b);
    return outcome;
  }
  bool destinationEmpty() const { return fs::is_empty(dest.path()); }

  ArchiveText sample() const {
    ArchiveText a;
    addFolderEntry(a, "bin");
    addFileEntry(a, "bin/tool.txt", "tool");
    addFileEntry(a, "lib\\deep\\x.jar", std::string(3 * 1024 * 1024 + 5, 'x'));
    addFileEntry(a, "empty.txt", "");
    addFileEntry(a, "kxArcSpBlock_Other", "special");
    return a;
  }
  void expectSampleTree() const {
    EXPECT_EQ(readWholeFile(dest.path() / "bin" / "tool.txt"), "tool");
    EXPECT_EQ(readWholeFile(dest.path() / "lib" / "deep" / "x.jar").size(), 3u * 1024 * 1024 + 5);
    EXPECT_FALSE(fs::exists(dest.path() / "empty.txt"));
    EXPECT_EQ(readWholeFile(dest.path() / "kxArcSpBlock_Other"), "special");
  }

  TempFolder dest;
  CapturedConsole console;
};

TEST_F(ArchiveReader, SignedAndUnsignedArchivesReproduceTheirTree) {
  EXPECT_EQ(read(withSignature(sample(), testSigningKey())), ArchiveOutcome::kAccepted);
  expectSampleTree();
  EXPECT_NE(console.text().find("[Unarchiver] Archive signature verified.\n"), std::string::npos);
  fs::remove_all(dest.path() / "bin");
  EXPECT_EQ(read(withEndRecord(sample())), ArchiveOutcome::kAccepted);
  expectSampleTree();
  EXPECT_EQ(read(withSignatureBlock(sample(), "-1", "")), ArchiveOutcome::kAccepted);
}

TEST_F(ArchiveReader, EmptyArchiveLogsStartEofAndEnd) {
  EXPECT_EQ(read(std::string(1, '\0')), ArchiveOutcome::kAccepted);
  const std::string log = console.text();
  const size_t start = log.find("[Unarchiver] [START] Extracting archive");
  const size_t eof = log.find("[Unarchiver] WARNING. EOF encountered.\n");
  const size_t end = log.find("[Unarchiver] [END] Extracting archive");
  EXPECT_TRUE(start < eof && eof < end && end != std::string::npos) << log;
  EXPECT_TRUE(destinationEmpty());
}

TEST_F(ArchiveReader, RefusedArchivesLeaveAnEmptyDestination) {
  const std::string good = withSignature(sample(), testSigningKey());
  std::string tampered = good;
  tampered[tampered.find("tool") + 1] ^= 1;
  std::string shortSignature = good;
  shortSignature.erase(shortSignature.size() - 3, 2);
  ArchiveText longName;
  addFileEntry(longName, std::string(1024, 'n'), "x");
  ArchiveText longLength;
  addRawBytes(longLength, std::string("0\0a\0", 4) + std::string(40, '1') + std::string(1, '\0'));
  ArchiveText inner;
  addFileEntry(inner, "inner.txt", "nested");
  std::string badInner = withSignature(inner, testSigningKey());
  badInner[badInner.find("nested")] ^= 1;
  ArchiveText nested;
  addFileEntry(nested, "outer.txt", "outside");
  addFileEntry(nested, "n.p2.l2", compressXz(badInner));
  struct Case {
    const char* what;
    std::string bytes;
    SignatureRule rule;
  };
  const Case cases[] = {
      {"a changed content byte", tampered, SignatureRule::kVerifyWhenPresent},
      {"a signature one byte short", shortSignature, SignatureRule::kVerifyWhenPresent},
      {"a signature over FIPS 202 SHA3", withSignature(sample(), testSigningKey(), SecondHalf::kFips202Sha3_256),
       SignatureRule::kVerifyWhenPresent},
      {"no signature where one is required", withEndRecord(sample()), SignatureRule::kRequireWhenKeyLoaded},
      {"marker -1 where a signature is required", withSignatureBlock(sample(), "-1", ""),
       SignatureRule::kRequireWhenKeyLoaded},
      {"a name over 1023 characters", withEndRecord(longName), SignatureRule::kVerifyWhenPresent},
      {"a length over 39 characters", withEndRecord(longLength), SignatureRule::kVerifyWhenPresent},
      {"a nested archive whose own signature fails", withSignature(nested, testSigningKey()),
       SignatureRule::kVerifyWhenPresent},
      {"a signature that is not hex", withSignatureBlock(sample(), "1", "XYZ"), SignatureRule::kVerifyWhenPresent},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(read(c.bytes, c.rule), ArchiveOutcome::kRefused);
    EXPECT_TRUE(destinationEmpty());
  }
}

TEST_F(ArchiveReader, WithoutAKeyASignatureFailsAndNothingIsRequired) {
  clearPublicKey();
  EXPECT_EQ(read(withSignature(sample(), testSigningKey())), ArchiveOutcome::kRefused);
  EXPECT_TRUE(destinationEmpty());
  EXPECT_EQ(read(withEndRecord(sample()), SignatureRule::kRequireWhenKeyLoaded), ArchiveOutcome::kAccepted);
}

TEST_F(ArchiveReader, NamesLeavingTheDestinationAreRefused) {
  fs::create_directories(dest.path() / "inner");
  TempFolder outside;
  for (const char* name : {"/abs.txt", "\\abs.txt", "\\\\server\\share\\x", "C:\\x.txt", "c:x.txt", "../up.txt",
                           "a/../../up.txt", "a\\..\\b", "file.txt:stream", "a/.../b", "a/. ./b", ""}) {
    SCOPED_TRACE(name);
    ArchiveText a;
    addFileEntry(a, "first.txt", "kept until the refusal");
    addFileEntry(a, name, "x");
    EXPECT_EQ(read(withEndRecord(a)), ArchiveOutcome::kRefused);
    EXPECT_TRUE(destinationEmpty());
  }
  EXPECT_TRUE(fs::is_empty(outside.path()));
}

TEST_F(ArchiveReader, AStreamCutShortKeepsWhatArrived) {
  ArchiveText a;
  addFileEntry(a, "cut.bin", "0123456789");
  const std::string bytes = withEndRecord(a);
  EXPECT_EQ(read(bytes.substr(0, bytes.size() - 6)), ArchiveOutcome::kAccepted);
  EXPECT_EQ(readWholeFile(dest.path() / "cut.bin"), "01234");
}

TEST_F(ArchiveReader, NestedCompressedArchivesExtractUnderTheirOwnSignature) {
  ArchiveText inner;
  addFileEntry(inner, "inner/data.txt", "nested");
  ArchiveText outer;
  addFileEntry(outer, "outer.txt", "outside");
  addFileEntry(outer, "jre.p2.l2", compressXz(withSignature(inner, testSigningKey())));
  ArchiveText legacy;
  addFileEntry(legacy, "legacy.txt", "lzma");
  addFileEntry(outer, "old.p2.l2", compressLegacyLzma(withEndRecord(legacy)));
  EXPECT_EQ(read(withSignature(outer, testSigningKey())), ArchiveOutcome::kAccepted);
  EXPECT_EQ(readWholeFile(dest.path() / "inner" / "data.txt"), "nested");
  EXPECT_EQ(readWholeFile(dest.path() / "legacy.txt"), "lzma");
  EXPECT_EQ(readWholeFile(dest.path() / "outer.txt"), "outside");
  EXPECT_FALSE(fs::exists(dest.path() / "jre.p2.l2"));
}

TEST_F(ArchiveReader, BrokenNestedStreamsDoNotHang) {
  ArchiveText inner;
  addFileEntry(inner, "a.txt", std::string(200000, 'a'));
  const std::string xz = compressXz(withEndRecord(inner));
  ArchiveText outer;
  addFileEntry(outer, "cut.p2.l2", xz.substr(0, xz.size() / 2));
  addFileEntry(outer, "garbage.p2.l2", std::string(3 * 1024 * 1024, 'g'));
  addFileEntry(outer, "after.txt", "still read");
  EXPECT_EQ(read(withEndRecord(outer)), ArchiveOutcome::kAccepted);
  EXPECT_EQ(readWholeFile(dest.path() / "after.txt"), "still read");
}

TEST_F(ArchiveReader, Pack200EntriesGoThroughTheToolAndLoseTheirP2File) {
  int preparations = 0;
  static int* counter = nullptr;
  counter = &preparations;
  setUnpack200Preparation([](const std::string&) { ++*counter; });
  setUnpack200Path(KX_STUB_UNPACK200);
  ArchiveText a;
  addFileEntry(a, "lib/x.jar", "packed", EntryType::kPack200);
  addFileEntry(a, "lib/y.jar", "more", EntryType::kPack200);
  EXPECT_EQ(read(withSignature(a, testSigningKey())), ArchiveOutcome::kAccepted);
  EXPECT_EQ(readWholeFile(dest.path() / "lib" / "x.jar"), "unpacked:packed");
  EXPECT_EQ(readWholeFile(dest.path() / "lib" / "y.jar"), "unpacked:more");
  EXPECT_FALSE(fs::exists(dest.path() / "lib" / "x.jar.p2"));
  EXPECT_EQ(preparations, 1);

  setUnpack200Path(dest.launcherPath("missing-tool"));
  ArchiveText b;
  addFileEntry(b, "z.jar", "packed", EntryType::kPack200);
  EXPECT_EQ(read(withEndRecord(b)), ArchiveOutcome::kAccepted);
  EXPECT_FALSE(fs::exists(dest.path() / "z.jar.p2"));
  EXPECT_NE(console.text().find("\t[Unarchiver] ERROR: unpack200 ("), std::string::npos);
  setUnpack200Preparation(nullptr);
}

TEST_F(ArchiveReader, NextEntryReadsOneEntryAtATime) {
  ArchiveText a;
  addFolderEntry(a, "f");
  addFileEntry(a, "f/one.txt", "1");
  RingBuffer* b = bufferHolding(withEndRecord(a));
  EXPECT_EQ(extractNextEntry(b, dest.launcherPath()), 0);
  EXPECT_TRUE(fs::is_directory(dest.path() / "f"));
  EXPECT_FALSE(fs::exists(dest.path() / "f" / "one.txt"));
  EXPECT_EQ(extractNextEntry(b, dest.launcherPath()), 0);
  EXPECT_EQ(readWholeFile(dest.path() / "f" / "one.txt"), "1");
  EXPECT_EQ(extractNextEntry(b, dest.launcherPath()), -1);
  RingBuffer_destroy(b);
}

TEST(NumberField, FollowsTheAtolRule) {
  const std::pair<const char*, int32_t> cases[] = {{"42", 42},
                                                   {"  -7x", -7},
                                                   {"+3", 3},
                                                   {"", 0},
                                                   {"abc", 0},
                                                   {"99999999999", INT32_MAX},
                                                   {"-99999999999", INT32_MIN}};
  for (const auto& c : cases) EXPECT_EQ(parseNumberField(c.first), c.second) << c.first;
}

using ArchiveReaderDeathTest = ArchiveReader;

TEST_F(ArchiveReaderDeathTest, ARefusedArchiveEndsTheProcessWithCode1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string tampered = withSignature(sample(), testSigningKey());
  tampered[tampered.find("tool")] ^= 1;
  const std::string destination = dest.launcherPath();
  EXPECT_EXIT(
      {
        RingBuffer* b = bufferHolding(tampered);
        extractArchive(b, destination);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_TRUE(destinationEmpty());
}

TEST_F(ArchiveReader, XzArchiveThroughTheLzmaPipeline) {
  const std::string xz = compressXz(withSignature(sample(), testSigningKey()));
  RingBuffer* b = bufferHolding(xz);
  LzmaUnarchive_wait(startLzmaUnarchive(b, dest.launcherPath(), SignatureRule::kRequireWhenKeyLoaded));
  RingBuffer_destroy(b);
  expectSampleTree();
}

} // namespace
