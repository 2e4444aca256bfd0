#include "archive/lzma_unarchive.h"

#include <thread>

#include "archive/unlzma_stage.h"
#include "log/launcher_log.h"

struct LzmaUnarchive {
  RingBuffer* input = nullptr;
  RingBuffer* middle = nullptr;
  std::string destination;
  SignatureRule rule = SignatureRule::kVerifyWhenPresent;
  std::thread unlzmaer;
  std::thread unarchiver;
};

LzmaUnarchive* startLzmaUnarchive(RingBuffer* input, const std::string& destination, SignatureRule rule) {
  LzmaUnarchive* p = new LzmaUnarchive;
  p->input = input;
  p->middle = RingBuffer_create(kLzmaUnarchiveMiddleCapacity);
  p->destination = destination;
  p->rule = rule;
  p->unlzmaer = std::thread([p] {
    logMessage("[Streamer] [UnLZMAer] Starting...\n");
    const int result = unlzmaStage(p->input, p->middle);
    logMessage("[Streamer] [UnLZMAer] Done (%d).\n", result);
  });
  p->unarchiver = std::thread([p] {
    logMessage("[Streamer] [UnArchiver] Starting...\n");
    extractArchive(p->middle, p->destination, p->rule);
    // Whatever the decoder still produces after the archive's end is not wanted.
    RingBuffer_close(p->middle);
    logMessage("[Streamer] [UnArchiver] Done.\n");
  });
  return p;
}

void LzmaUnarchive_wait(LzmaUnarchive* p) {
  p->unarchiver.join();
  p->unlzmaer.join();
  RingBuffer_destroy(p->middle);
  delete p;
}
