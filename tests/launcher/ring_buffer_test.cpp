// RingBuffer: blocking, wrapping, full and empty states, closing, and readUntil with its bounds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "stream/ring_buffer.h"

namespace {

struct BufferDeleter {
  void operator()(RingBuffer* b) const { RingBuffer_destroy(b); }
};
using Buffer = std::unique_ptr<RingBuffer, BufferDeleter>;
Buffer makeBuffer(int32_t capacity) { return Buffer(RingBuffer_create(capacity)); }

int32_t writeText(RingBuffer* b, const std::string& text) {
  return RingBuffer_write(b, text.data(), static_cast<int32_t>(text.size()));
}

std::string readText(RingBuffer* b, int32_t maximum) {
  std::string out(static_cast<size_t>(maximum), '\0');
  const int32_t n = RingBuffer_read(b, out.data(), maximum);
  return n < 0 ? "<end>" : out.substr(0, static_cast<size_t>(n));
}

void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

TEST(RingBuffer, ReadBlocksUntilTheFirstWrite) {
  Buffer b = makeBuffer(16);
  std::atomic<bool> written{false};
  std::thread writer([&] {
    pause();
    written = true;
    writeText(b.get(), "hello");
  });
  EXPECT_EQ(readText(b.get(), 16), "hello");
  EXPECT_TRUE(written);
  writer.join();
}

TEST(RingBuffer, ClosingAnEmptyBufferEndsReadsAtOnce) {
  Buffer b = makeBuffer(16);
  RingBuffer_close(b.get());
  char byte;
  EXPECT_EQ(RingBuffer_read(b.get(), &byte, 1), -1);
  EXPECT_EQ(RingBuffer_readUntil(b.get(), &byte, 1), -1);
}

TEST(RingBuffer, WriteOfExactlyCapacityFillsTheBuffer) {
  Buffer b = makeBuffer(8);
  EXPECT_EQ(writeText(b.get(), "12345678"), 8);
  const RingBufferState s = RingBuffer_state(b.get());
  EXPECT_EQ(s.end, s.start);
  EXPECT_EQ(s.stored, 8);
  EXPECT_EQ(readText(b.get(), 100), "12345678");
}

TEST(RingBuffer, BytesComeBackInOrderAcrossTheWrap) {
  Buffer b = makeBuffer(8);
  ASSERT_EQ(writeText(b.get(), "abcdef"), 6);
  ASSERT_EQ(readText(b.get(), 4), "abcd");
  ASSERT_EQ(writeText(b.get(), "ghijk"), 5); // "gh" at the end of the storage, "ijk" at its start
  EXPECT_EQ(RingBuffer_state(b.get()).stored, 7);
  EXPECT_EQ(readText(b.get(), 3), "efg");
  EXPECT_EQ(readText(b.get(), 8), "hijk");
}

TEST(RingBuffer, DrainingResetsToStartZeroAndEmpty) {
  Buffer b = makeBuffer(8);
  writeText(b.get(), "abcde");
  readText(b.get(), 3);
  EXPECT_EQ(RingBuffer_state(b.get()).start, 3);
  readText(b.get(), 2);
  const RingBufferState s = RingBuffer_state(b.get());
  EXPECT_EQ(s.start, 0);
  EXPECT_EQ(s.end, -1);
  EXPECT_EQ(s.stored, 0);
}

TEST(RingBuffer, ReadNeverReturnsMoreThanIsStoredOrAsked) {
  Buffer b = makeBuffer(8);
  writeText(b.get(), "abc");
  EXPECT_EQ(readText(b.get(), 2), "ab");
  EXPECT_EQ(readText(b.get(), 8), "c");
  char byte;
  EXPECT_EQ(RingBuffer_read(b.get(), &byte, 0), 0);
}

TEST(RingBuffer, WriteResults) {
  struct Case {
    const char* name;
    int32_t capacity;
    std::string prefill;
    bool close;
    std::string write;
    int32_t expected;
  };
  const Case cases[] = {
      {"empty write", 8, "", false, "", 0},
      {"closed buffer with room still takes the write", 8, "abc", true, "defg", 4},
      {"closed buffer without room refuses", 8, "abcdef", true, "ghi", -1},
      {"closed buffer takes no write longer than its room", 8, "", true, "123456789", -1},
  };
  for (const Case& c : cases) {
    Buffer b = makeBuffer(c.capacity);
    writeText(b.get(), c.prefill);
    if (c.close) RingBuffer_close(b.get());
    EXPECT_EQ(writeText(b.get(), c.write), c.expected) << c.name;
  }
}

TEST(RingBuffer, FullBufferMakesTheWriterWaitForTheReader) {
  Buffer b = makeBuffer(4);
  writeText(b.get(), "abcd");
  std::atomic<bool> done{false};
  std::thread writer([&] {
    EXPECT_EQ(writeText(b.get(), "ef"), 2);
    done = true;
  });
  pause();
  EXPECT_FALSE(done);
  EXPECT_EQ(readText(b.get(), 3), "abc");
  writer.join();
  EXPECT_EQ(readText(b.get(), 8), "def");
}

TEST(RingBuffer, WriteLongerThanTheCapacityFlowsThroughAReader) {
  Buffer b = makeBuffer(4);
  const std::string text = "a write of many more bytes than the buffer holds";
  std::thread writer([&] { EXPECT_EQ(writeText(b.get(), text), static_cast<int32_t>(text.size())); });
  std::string received;
  while (received.size() < text.size()) received += readText(b.get(), 3);
  writer.join();
  EXPECT_EQ(received, text);
}

TEST(RingBuffer, LongFieldDoesNotDeadlockAProducerWritingLargePieces) {
  // The consumer waits for the NUL of a field that fills most of the buffer while the producer's
  // next piece is larger than the room left: the piece must flow in as room appears.
  Buffer b = makeBuffer(16);
  const std::string field = std::string(13, 'f') + std::string(1, '\0');
  std::thread writer([&] {
    writeText(b.get(), field.substr(0, 10));
    writeText(b.get(), field.substr(10) + "tail-of-next"); // 16 bytes into 6 free
  });
  char into[16];
  EXPECT_EQ(RingBuffer_readUntil(b.get(), into, sizeof(into)), 14);
  std::string rest;
  while (rest.size() < 12) rest += readText(b.get(), 16);
  EXPECT_EQ(rest, "tail-of-next");
  writer.join();
}

TEST(RingBuffer, CloseWakesAWaitingWriterAndReader) {
  Buffer full = makeBuffer(4), empty = makeBuffer(4);
  writeText(full.get(), "abcd");
  int32_t write_result = 0, read_result = 0;
  std::thread writer([&] { write_result = writeText(full.get(), "e"); });
  std::thread reader([&] {
    char byte;
    read_result = RingBuffer_read(empty.get(), &byte, 1);
  });
  pause();
  RingBuffer_close(full.get());
  RingBuffer_close(empty.get());
  writer.join();
  reader.join();
  EXPECT_EQ(write_result, -1);
  EXPECT_EQ(read_result, -1);
  // What was stored before closing still drains, then the end is reported.
  EXPECT_EQ(readText(full.get(), 8), "abcd");
  EXPECT_EQ(readText(full.get(), 8), "<end>");
}

TEST(RingBuffer, ClosingTwiceIsLikeClosingOnce) {
  Buffer b = makeBuffer(8);
  writeText(b.get(), "ab");
  RingBuffer_close(b.get());
  const RingBufferState once = RingBuffer_state(b.get());
  RingBuffer_close(b.get());
  const RingBufferState twice = RingBuffer_state(b.get());
  EXPECT_TRUE(twice.closed);
  EXPECT_EQ(once.stored, twice.stored);
  // The lock is free: both sides still work.
  EXPECT_EQ(writeText(b.get(), "c"), 1);
  EXPECT_EQ(readText(b.get(), 8), "abc");
}

TEST(RingBuffer, ReadUntilTakesOneFieldAndLeavesTheRest) {
  Buffer b = makeBuffer(16);
  writeText(b.get(), std::string("ab\0cd", 5));
  char field[16] = {};
  EXPECT_EQ(RingBuffer_readUntil(b.get(), field, sizeof(field)), 3);
  EXPECT_EQ(std::string(field, 3), std::string("ab\0", 3));
  EXPECT_EQ(RingBuffer_state(b.get()).stored, 2);

  RingBuffer_close(b.get());
  EXPECT_EQ(RingBuffer_readUntil(b.get(), field, sizeof(field)), -1);
  EXPECT_EQ(RingBuffer_state(b.get()).stored, 2);
  EXPECT_EQ(readText(b.get(), 8), "cd");
}

TEST(RingBuffer, ReadUntilWaitsForTheNulAcrossWritesAndTheWrap) {
  Buffer b = makeBuffer(8);
  writeText(b.get(), "..xxxx");
  readText(b.get(), 2);     // oldest byte now at index 2
  writeText(b.get(), "ab"); // fills up to the end of the storage
  std::thread writer([&] {
    pause();
    writeText(b.get(), std::string("c\0", 2)); // lands at the storage's start
  });
  char field[8] = {};
  EXPECT_EQ(RingBuffer_readUntil(b.get(), field, sizeof(field)), 8);
  EXPECT_STREQ(field, "xxxxabc");
  writer.join();
}

TEST(RingBuffer, ReadUntilRefusesAFieldThatCannotFit) {
  // No NUL within the destination's capacity: the field is too long, and nothing is consumed.
  Buffer b = makeBuffer(16);
  writeText(b.get(), "abcdef");
  char small[4];
  EXPECT_EQ(RingBuffer_readUntil(b.get(), small, sizeof(small)), kRingBufferFieldTooLong);
  EXPECT_EQ(RingBuffer_state(b.get()).stored, 6);

  // A full buffer without a NUL could only deadlock with its producer: refused too.
  Buffer full = makeBuffer(4);
  writeText(full.get(), "abcd");
  char large[64];
  EXPECT_EQ(RingBuffer_readUntil(full.get(), large, sizeof(large)), kRingBufferFieldTooLong);

  // A NUL exactly at the capacity's last byte still fits.
  Buffer edge = makeBuffer(16);
  writeText(edge.get(), std::string("abc\0", 4));
  EXPECT_EQ(RingBuffer_readUntil(edge.get(), small, sizeof(small)), 4);
}

} // namespace
