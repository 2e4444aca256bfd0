#include "stream/file_reader.h"

#include <thread>
#include <vector>

#include "log/launcher_log.h"

struct FileReader {
  std::FILE* file = nullptr;
  RingBuffer* output = nullptr;
  std::thread thread;
};

namespace {

void pumpFile(FileReader* reader, bool freeWhenDone) {
  logMessage("[Streamer] [FileReader] Starting...\n");
  std::vector<char> chunk(kFileReaderChunk);
  while (!RingBuffer_isClosed(reader->output)) {
    const size_t got = std::fread(chunk.data(), 1, chunk.size(), reader->file);
    if (got == 0) break;
    if (RingBuffer_write(reader->output, chunk.data(), static_cast<int32_t>(got)) < 0) break;
    if (std::feof(reader->file)) break;
  }
  std::fclose(reader->file);
  reader->file = nullptr;
  // Nothing more will come: let the consumer's reads end instead of waiting.
  RingBuffer_close(reader->output);
  logMessage("[Streamer] [FileReader] Done.\n");
  if (freeWhenDone) delete reader;
}

} // namespace

FileReader* startFileReader(std::FILE* file, RingBuffer* output) {
  FileReader* reader = new FileReader;
  reader->file = file;
  reader->output = output;
  reader->thread = std::thread(pumpFile, reader, false);
  return reader;
}

RingBuffer* streamFile(std::FILE* file) {
  RingBuffer* output = RingBuffer_create(kFileReaderBufferCapacity);
  // Nobody waits for this reader: its thread runs detached and frees the record when it ends. The
  // buffer stays, like every launcher buffer, for the life of the process.
  FileReader* reader = new FileReader;
  reader->file = file;
  reader->output = output;
  std::thread(pumpFile, reader, true).detach();
  return output;
}

void FileReader_wait(FileReader* reader) {
  if (reader->thread.joinable()) reader->thread.join();
  delete reader;
}
