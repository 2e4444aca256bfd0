// Throughput of a RingBuffer between two threads, in the FileReader's shape (51200-byte writes into a
// 204800-byte buffer), against a single-threaded memcpy of the same bytes in the same run.
// Goal: at least 0.3 of memcpy's throughput.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "stream/ring_buffer.h"

namespace {

constexpr int32_t kCapacity = 204800;
constexpr int32_t kWrite = 51200;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// memcpy from a source block into a destination block of the same sizes as the buffer path uses.
double memcpySeconds(int64_t total, std::vector<char>& source, std::vector<char>& destination) {
  const auto start = Clock::now();
  for (int64_t moved = 0; moved < total; moved += kWrite) {
    const size_t offset = static_cast<size_t>(moved % kCapacity);
    std::memcpy(destination.data() + offset, source.data(), kWrite);
    std::memcpy(source.data(), destination.data() + offset, kWrite); // the consumer's copy out
  }
  return secondsSince(start);
}

double ringBufferSeconds(int64_t total, const std::vector<char>& source) {
  RingBuffer* buffer = RingBuffer_create(kCapacity);
  const auto start = Clock::now();
  std::thread producer([&] {
    for (int64_t sent = 0; sent < total; sent += kWrite) RingBuffer_write(buffer, source.data(), kWrite);
    RingBuffer_close(buffer);
  });
  std::vector<char> into(kCapacity); // the consumer takes whatever is stored
  int64_t received = 0;
  for (int32_t n; (n = RingBuffer_read(buffer, into.data(), kCapacity)) > 0;) received += n;
  producer.join();
  const double seconds = secondsSince(start);
  RingBuffer_destroy(buffer);
  if (received != total) {
    std::fprintf(stderr, "lost bytes: %lld of %lld\n", static_cast<long long>(received), static_cast<long long>(total));
    std::exit(2);
  }
  return seconds;
}

} // namespace

int main(int argc, char** argv) {
  const int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 2000;
  const int64_t total = megabytes * 1024 * 1024 / kWrite * kWrite;
  std::vector<char> source(kCapacity, 'x'), destination(kCapacity, 'y');
  double best_memcpy = 1e9, best_ring = 1e9;
  for (int round = 0; round < 3; ++round) { // best of three of each, interleaved
    best_memcpy = std::min(best_memcpy, memcpySeconds(total, source, destination));
    best_ring = std::min(best_ring, ringBufferSeconds(total, source));
  }
  const double mb = static_cast<double>(total) / (1024.0 * 1024.0);
  std::printf("bytes moved      %lld (%d-byte writes, %d-byte buffer)\n", static_cast<long long>(total), kWrite,
              kCapacity);
  std::printf("memcpy in + out  %8.0f MB/s   (each byte copied in and out, as through the buffer)\n", mb / best_memcpy);
  std::printf("RingBuffer       %8.0f MB/s\n", mb / best_ring);
  const double ratio = best_memcpy / best_ring;
  std::printf("ratio            %8.2f of memcpy (goal >= 0.30): %s\n", ratio, ratio >= 0.3 ? "met" : "NOT met");
  return 0;
}
