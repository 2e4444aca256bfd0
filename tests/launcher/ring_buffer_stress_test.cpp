// One producer and one consumer through small and odd-sized buffers with random piece sizes; every
// byte is checked. Also built with ThreadSanitizer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "stream/ring_buffer.h"

namespace {

// A producer that fails closes its buffer, so the consumer reports instead of waiting for ever.
void failProducer(RingBuffer* b) {
  ADD_FAILURE() << "write refused";
  RingBuffer_close(b);
}

uint8_t patternByte(uint64_t index) { return static_cast<uint8_t>((index * 2654435761u) >> 13); }

struct StressCase {
  int32_t capacity;
  int64_t total;
};

class RingBufferStress : public ::testing::TestWithParam<StressCase> {};

TEST_P(RingBufferStress, EveryByteArrivesInOrder) {
  const StressCase c = GetParam();
  RingBuffer* b = RingBuffer_create(c.capacity);
  std::thread producer([&] {
    std::mt19937 random(c.capacity);
    std::uniform_int_distribution<int32_t> piece(1, c.capacity);
    std::vector<uint8_t> chunk(static_cast<size_t>(c.capacity));
    for (int64_t sent = 0; sent < c.total;) {
      const int32_t n = static_cast<int32_t>(std::min<int64_t>(piece(random), c.total - sent));
      for (int32_t i = 0; i < n; ++i) chunk[static_cast<size_t>(i)] = patternByte(static_cast<uint64_t>(sent + i));
      if (RingBuffer_write(b, chunk.data(), n) != n) return failProducer(b);
      sent += n;
    }
    RingBuffer_close(b);
  });

  std::mt19937 random(c.capacity * 7 + 1);
  std::uniform_int_distribution<int32_t> piece(1, 2 * c.capacity + 3);
  std::vector<uint8_t> into(static_cast<size_t>(2 * c.capacity + 3));
  int64_t received = 0;
  for (;;) {
    const int32_t n = RingBuffer_read(b, into.data(), piece(random));
    if (n < 0) break;
    for (int32_t i = 0; i < n; ++i) {
      ASSERT_EQ(into[static_cast<size_t>(i)], patternByte(static_cast<uint64_t>(received + i)))
          << "at byte " << received + i;
    }
    received += n;
  }
  producer.join();
  EXPECT_EQ(received, c.total);
  RingBuffer_destroy(b);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RingBufferStress,
                         ::testing::Values(StressCase{1, 20000}, StressCase{3, 60000}, StressCase{7, 200000},
                                           StressCase{64, 1000000}, StressCase{4093, 4000000},
                                           StressCase{204800, 16000000}),
                         [](const auto& info) { return "capacity" + std::to_string(info.param.capacity); });

// Fields of random length, each ended by a NUL, taken one by one with readUntil.
TEST(RingBufferStressFields, EveryFieldArrivesWhole) {
  constexpr int32_t kCapacity = 37;
  constexpr int kFields = 20000;
  RingBuffer* b = RingBuffer_create(kCapacity);
  auto fieldText = [](int index) {
    const int length = (index * 7919) % 30;
    std::string text(static_cast<size_t>(length), '\0');
    for (int i = 0; i < length; ++i) text[static_cast<size_t>(i)] = static_cast<char>('a' + (index + i) % 26);
    return text;
  };
  std::thread producer([&] {
    std::mt19937 random(5);
    std::string pending;
    for (int f = 0; f < kFields; ++f) pending += fieldText(f) + std::string(1, '\0');
    std::uniform_int_distribution<int32_t> piece(1, kCapacity);
    for (size_t sent = 0; sent < pending.size();) {
      const int32_t n =
          static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(piece(random)), pending.size() - sent));
      if (RingBuffer_write(b, pending.data() + sent, n) != n) return failProducer(b);
      sent += static_cast<size_t>(n);
    }
    RingBuffer_close(b);
  });
  char field[32];
  for (int f = 0; f < kFields; ++f) {
    const int32_t n = RingBuffer_readUntil(b, field, sizeof(field));
    ASSERT_GT(n, 0) << "field " << f;
    ASSERT_EQ(std::string(field, static_cast<size_t>(n - 1)), fieldText(f)) << "field " << f;
  }
  EXPECT_EQ(RingBuffer_readUntil(b, field, sizeof(field)), -1);
  producer.join();
  RingBuffer_destroy(b);
}

} // namespace
