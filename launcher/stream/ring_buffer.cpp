#include "stream/ring_buffer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "threads/wait_lock.h"

struct RingBuffer {
  std::vector<uint8_t> data;
  int32_t capacity = 0;
  int32_t start = 0;
  int32_t end = -1; // one past the newest byte, modulo capacity; -1 when empty
  bool closed = false;
  WaitLock lock;
  WaitCondition spaceAvailable;
  WaitCondition dataAvailable;
  // Each side wakes the other only when it is waiting: most hand-overs then cost no system call.
  bool writerWaiting = false;
  bool readerWaiting = false;
};

namespace {

int32_t storedBytes(const RingBuffer& b) {
  if (b.end < 0) return 0;
  if (b.end == b.start) return b.capacity;
  return b.end > b.start ? b.end - b.start : b.end + b.capacity - b.start;
}

// Copies n stored bytes from the oldest on and removes them; the caller holds the lock.
void takeBytes(RingBuffer& b, uint8_t* destination, int32_t n) {
  const int32_t stored = storedBytes(b);
  const int32_t first = std::min(n, b.capacity - b.start);
  std::memcpy(destination, b.data.data() + b.start, static_cast<size_t>(first));
  std::memcpy(destination + first, b.data.data(), static_cast<size_t>(n - first));
  if (n == stored) {
    b.start = 0;
    b.end = -1;
  } else {
    b.start = (b.start + n) % b.capacity;
  }
}

// Distance from start of the first NUL among the first `limit` stored bytes, or -1.
int32_t findNul(const RingBuffer& b, int32_t limit) {
  for (int32_t k = 0; k < limit; ++k) {
    if (b.data[static_cast<size_t>((b.start + k) % b.capacity)] == 0) return k;
  }
  return -1;
}

// The caller holds the lock and re-tests its condition afterwards (wake-ups may be spurious).
void waitForSpace(RingBuffer& b) {
  b.writerWaiting = true;
  b.spaceAvailable.wait(b.lock);
  b.writerWaiting = false;
}

void waitForData(RingBuffer& b) {
  b.readerWaiting = true;
  b.dataAvailable.wait(b.lock);
  b.readerWaiting = false;
}

} // namespace

RingBuffer* RingBuffer_create(int32_t capacity) {
  RingBuffer* buffer = new RingBuffer;
  buffer->capacity = std::max<int32_t>(capacity, 1);
  buffer->data.assign(static_cast<size_t>(buffer->capacity), 0);
  return buffer;
}

void RingBuffer_destroy(RingBuffer* buffer) { delete buffer; }

int32_t RingBuffer_write(RingBuffer* buffer, const void* bytes, int32_t length) {
  if (length <= 0) return 0;
  RingBuffer& b = *buffer;
  const uint8_t* source = static_cast<const uint8_t*>(bytes);
  WaitLockHold hold(b.lock);
  // A closed buffer takes a write only when all of it fits now.
  if (b.closed && b.capacity - storedBytes(b) < length) return -1;
  // The bytes are stored as room appears rather than all at once: a consumer waiting for the end
  // of a long field must see its start, or producer and consumer would wait on each other.
  int32_t written = 0;
  while (written < length) {
    while (storedBytes(b) == b.capacity) {
      if (b.closed) return -1;
      waitForSpace(b);
    }
    const int32_t n = std::min(length - written, b.capacity - storedBytes(b));
    if (b.end < 0) b.end = b.start;
    const int32_t first = std::min(n, b.capacity - b.end);
    std::memcpy(b.data.data() + b.end, source + written, static_cast<size_t>(first));
    std::memcpy(b.data.data(), source + written + first, static_cast<size_t>(n - first));
    b.end = (b.end + n) % b.capacity;
    written += n;
    if (b.readerWaiting) b.dataAvailable.wakeOne();
  }
  return length;
}

int32_t RingBuffer_read(RingBuffer* buffer, void* destination, int32_t maximum) {
  if (maximum <= 0) return 0;
  RingBuffer& b = *buffer;
  WaitLockHold hold(b.lock);
  while (storedBytes(b) == 0) {
    if (b.closed) return -1;
    waitForData(b);
  }
  const int32_t n = std::min(maximum, storedBytes(b));
  takeBytes(b, static_cast<uint8_t*>(destination), n);
  if (b.writerWaiting) b.spaceAvailable.wakeOne();
  return n;
}

int32_t RingBuffer_readUntil(RingBuffer* buffer, void* destination, int32_t destinationCapacity) {
  RingBuffer& b = *buffer;
  WaitLockHold hold(b.lock);
  int32_t scanned = 0;
  for (;;) {
    const int32_t stored = storedBytes(b);
    if (stored > scanned) {
      const int32_t limit = std::min(stored, destinationCapacity);
      const int32_t k = findNul(b, limit);
      if (k >= 0) {
        takeBytes(b, static_cast<uint8_t*>(destination), k + 1);
        if (b.writerWaiting) b.spaceAvailable.wakeOne();
        return k + 1;
      }
      // No NUL can come in time: the destination is full, or the producer waits for room that
      // only this read could make.
      if (stored >= destinationCapacity || stored == b.capacity) return kRingBufferFieldTooLong;
      scanned = stored;
    }
    if (b.closed) return -1;
    waitForData(b);
  }
}

void RingBuffer_close(RingBuffer* buffer) {
  RingBuffer& b = *buffer;
  WaitLockHold hold(b.lock);
  if (b.closed) return;
  b.closed = true;
  b.spaceAvailable.wakeAll();
  b.dataAvailable.wakeAll();
}

bool RingBuffer_isClosed(RingBuffer* buffer) {
  WaitLockHold hold(buffer->lock);
  return buffer->closed;
}

RingBufferState RingBuffer_state(RingBuffer* buffer) {
  WaitLockHold hold(buffer->lock);
  return RingBufferState{buffer->capacity, buffer->start, buffer->end, storedBytes(*buffer), buffer->closed};
}
