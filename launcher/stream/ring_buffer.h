// A bounded, blocking byte queue between one producer thread and one consumer thread.
// Producers wait for room instead of growing anything; a closed buffer drains, then reads report
// the end with -1.
#pragma once

#include <cstdint>

struct RingBuffer;

// Result of RingBuffer_readUntil when no NUL can arrive within the destination's capacity.
constexpr int32_t kRingBufferFieldTooLong = -2;

// A new, empty, open buffer of capacity bytes (at least 1).
RingBuffer* RingBuffer_create(int32_t capacity);

// The launcher keeps its buffers for the life of the process; tools and tests free theirs once
// neither side uses them any more.
void RingBuffer_destroy(RingBuffer* buffer);

// Stores all of length, waiting for room as needed (the bytes become readable as they are stored,
// so a write may be longer than the capacity). Returns length; 0 for a length of 0 or less; -1 when
// the buffer is closed and lacks room.
int32_t RingBuffer_write(RingBuffer* buffer, const void* bytes, int32_t length);

// Waits for at least one byte; copies up to maximum bytes and returns the count, or -1 once the
// buffer is closed and empty. A maximum of 0 or less returns 0 at once.
int32_t RingBuffer_read(RingBuffer* buffer, void* destination, int32_t maximum);

// Waits until the stored bytes hold a NUL, then copies everything up to and including the first NUL
// and returns that count. Returns -1 when the buffer is closed and holds no NUL, and
// kRingBufferFieldTooLong when destinationCapacity bytes (or a full buffer) hold no NUL; in both cases
// the bytes stay stored.
int32_t RingBuffer_readUntil(RingBuffer* buffer, void* destination, int32_t destinationCapacity);

// Marks the buffer closed and wakes both sides. Closing twice is harmless.
void RingBuffer_close(RingBuffer* buffer);

bool RingBuffer_isClosed(RingBuffer* buffer);

// A snapshot of the indices, for tests and diagnostics.
struct RingBufferState {
  int32_t capacity;
  int32_t start;
  int32_t end; // -1 when empty
  int32_t stored;
  bool closed;
};
RingBufferState RingBuffer_state(RingBuffer* buffer);
