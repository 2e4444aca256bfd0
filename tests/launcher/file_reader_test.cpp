// The FileReader: whole files in order, short files end instead of hanging, a consumer that closes
// early stops it.
#include <gtest/gtest.h>

#include <string>

#include "captured_console.h"
#include "files/file_open.h"
#include "stream/file_reader.h"
#include "temp_folder.h"

namespace {

std::string patternText(size_t size) {
  std::string text(size, '\0');
  for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 131) % 251);
  return text;
}

std::string drain(RingBuffer* b) {
  std::string out;
  char piece[7000];
  for (int32_t n; (n = RingBuffer_read(b, piece, sizeof(piece))) > 0;) out.append(piece, static_cast<size_t>(n));
  return out;
}

class FileReaderTest : public ::testing::Test {
protected:
  std::FILE* openWith(const std::string& bytes) {
    writeWholeFile(folder.path() / "input.bin", bytes);
    return openFile(folder.launcherPath("input.bin"), "rb");
  }
  TempFolder folder;
};

TEST_F(FileReaderTest, DeliversWholeFilesAndThenTheEnd) {
  // Empty, smaller than one chunk, a chunk exactly, and more than the buffer holds at once.
  for (size_t size : {size_t(0), size_t(1000), size_t(kFileReaderChunk), size_t(3 * kFileReaderBufferCapacity + 17)}) {
    const std::string bytes = patternText(size);
    RingBuffer* b = RingBuffer_create(kFileReaderBufferCapacity);
    FileReader* reader = startFileReader(openWith(bytes), b);
    EXPECT_EQ(drain(b), bytes) << size;
    FileReader_wait(reader);
    RingBuffer_destroy(b);
  }
}

TEST_F(FileReaderTest, AReadForBytesThatNeverComeEnds) {
  RingBuffer* b = RingBuffer_create(kFileReaderBufferCapacity);
  FileReader* reader = startFileReader(openWith(std::string("field\0half", 10)), b);
  char field[64];
  EXPECT_EQ(RingBuffer_readUntil(b, field, sizeof(field)), 6);
  EXPECT_EQ(RingBuffer_readUntil(b, field, sizeof(field)), -1); // "half" has no NUL and never will
  FileReader_wait(reader);
  RingBuffer_destroy(b);
}

TEST_F(FileReaderTest, ConsumerClosingEarlyStopsTheReader) {
  RingBuffer* b = RingBuffer_create(kFileReaderBufferCapacity);
  FileReader* reader = startFileReader(openWith(patternText(8 * kFileReaderBufferCapacity)), b);
  char head[100];
  ASSERT_GT(RingBuffer_read(b, head, sizeof(head)), 0);
  RingBuffer_close(b);
  FileReader_wait(reader); // returns: the reader saw the closed buffer
  RingBuffer_destroy(b);
}

TEST_F(FileReaderTest, LogsItsStartAndEnd) {
  CapturedConsole console;
  RingBuffer* b = RingBuffer_create(kFileReaderBufferCapacity);
  FileReader* reader = startFileReader(openWith("abc"), b);
  drain(b);
  FileReader_wait(reader);
  RingBuffer_destroy(b);
  const std::string text = console.text();
  EXPECT_NE(text.find("[Streamer] [FileReader] Starting...\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Streamer] [FileReader] Done.\n"), std::string::npos) << text;
}

TEST_F(FileReaderTest, StreamFileHandsBackABufferOfTheReadersSize) {
  static RingBuffer* b = nullptr; // kept reachable: the launcher never frees its buffers
  b = streamFile(openWith("xyz"));
  EXPECT_EQ(RingBuffer_state(b).capacity, kFileReaderBufferCapacity);
  EXPECT_EQ(drain(b), "xyz");
}

} // namespace
