// The UnLZMAer's work: an xz or legacy LZMA stream from one buffer decoded into another.
#pragma once

#include "stream/ring_buffer.h"

constexpr int kUnlzmaChunk = 51200;

// Decodes input into output with liblzma's automatic decoder and closes output when done. Returns
// 0 at the stream's end or the end of input, 1 on a decoder error. Input is closed as well when the
// stage stops reading it, so a producer still writing is not left waiting for room.
int unlzmaStage(RingBuffer* input, RingBuffer* output);
