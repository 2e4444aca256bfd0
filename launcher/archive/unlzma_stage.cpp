#include "archive/unlzma_stage.h"

#include <lzma.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

int finish(lzma_stream* stream, RingBuffer* input, RingBuffer* output, int result) {
  RingBuffer_close(output);
  RingBuffer_close(input);
  lzma_end(stream);
  return result;
}

const char* initialisationError(lzma_ret ret) {
  if (ret == LZMA_MEM_ERROR) return "Memory allocation failed";
  if (ret == LZMA_OPTIONS_ERROR) return "Unsupported decompressor flags";
  return "Unknown error, possibly a bug";
}

} // namespace

int unlzmaStage(RingBuffer* input, RingBuffer* output) {
  lzma_stream stream = LZMA_STREAM_INIT;
  const lzma_ret init = lzma_auto_decoder(&stream, UINT64_MAX, 0);
  if (init != LZMA_OK) {
    std::fprintf(stderr, "Error initializing the decoder: %s (error code %u)\n", initialisationError(init),
                 static_cast<unsigned>(init));
    RingBuffer_close(output);
    RingBuffer_close(input);
    return 1;
  }
  std::vector<uint8_t> in(kUnlzmaChunk);
  std::vector<uint8_t> out(kUnlzmaChunk);
  for (;;) {
    const int32_t got = RingBuffer_read(input, in.data(), kUnlzmaChunk);
    if (got <= 0) return finish(&stream, input, output, 0);
    stream.next_in = in.data();
    stream.avail_in = static_cast<size_t>(got);
    while (stream.avail_in > 0) {
      stream.next_out = out.data();
      stream.avail_out = out.size();
      const lzma_ret ret = lzma_code(&stream, LZMA_RUN);
      const int32_t produced = static_cast<int32_t>(out.size() - stream.avail_out);
      // A consumer that closed its side has stopped reading: nothing more to decode for it.
      if (produced > 0 && RingBuffer_write(output, out.data(), produced) < 0) return finish(&stream, input, output, 0);
      if (ret == LZMA_STREAM_END) return finish(&stream, input, output, 0);
      if (ret != LZMA_OK) {
        std::fprintf(stderr, "lzma_code failed: %d", static_cast<int>(ret));
        return finish(&stream, input, output, 1);
      }
    }
  }
}
