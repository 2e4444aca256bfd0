// Replays the fuzz target's seed corpus (and anything added to it after a finding): every input
// ends without a crash, and nothing is written outside the destination.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/archive_reader.h"
#include "captured_console.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

TEST(ArchiveCorpus, EveryInputEndsInsideTheDestination) {
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(KX_ARCHIVE_CORPUS)) {
    SCOPED_TRACE(entry.path().string());
    TempFolder scratch;
    fs::create_directory(scratch.path() / "dest");
    const std::string bytes = readWholeFile(entry.path());
    CapturedConsole quiet;
    RingBuffer* input = RingBuffer_create(static_cast<int32_t>(bytes.size()) + 1);
    RingBuffer_write(input, bytes.data(), static_cast<int32_t>(bytes.size()));
    RingBuffer_close(input);
    readArchive(input, scratch.launcherPath("dest"), SignatureRule::kVerifyWhenPresent);
    RingBuffer_destroy(input);
    for (const auto& child : fs::directory_iterator(scratch.path())) EXPECT_EQ(child.path().filename(), "dest");
    ++inputs;
  }
  EXPECT_GE(inputs, 8);
}
