// The FileReader stage: pumps an open file into a RingBuffer on a thread of its own.
#pragma once

#include <cstdio>

#include "stream/ring_buffer.h"

constexpr int kFileReaderBufferCapacity = 204800;
constexpr int kFileReaderChunk = 51200;

struct FileReader;

// Starts a FileReader on an open file and returns its 204800-byte output buffer at once. The reader
// closes the file when it stops, and closes the buffer at the end of the file, so a consumer that
// expects more bytes than the file holds drains what is there and then reads -1 instead of waiting
// for ever. A consumer that has read all it needs closes the buffer, which also stops the reader.
RingBuffer* streamFile(std::FILE* file);

// The same on a buffer of the caller's; the returned record lets the caller wait for the reader.
FileReader* startFileReader(std::FILE* file, RingBuffer* output);

// Waits for the reader's thread to end and frees the record (tools and tests).
void FileReader_wait(FileReader* reader);
