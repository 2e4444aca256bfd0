#include "archive/lzma_unarchive.h"

#include <thread>

#include "archive/unlzma_stage.h"
#include "log/launcher_log.h"

struct LzmaUnarchive {
  RingBuffer* input = nullptr;
  RingBuffer* middle = nullptr;
  std::string destination;
  SignatureRule rule = SignatureRule::kVerifyWhenPresent;
  OnRefusal onRefusal = OnRefusal::kEndProcess;
  ArchiveOutcome outcome = ArchiveOutcome::kAccepted;
  std::thread unlzmaer;
  std::thread unarchiver;
};

LzmaUnarchive* startLzmaUnarchive(RingBuffer* input, const std::string& destination, SignatureRule rule,
                                  OnRefusal onRefusal) {
  LzmaUnarchive* p = new LzmaUnarchive;
  p->input = input;
  p->middle = RingBuffer_create(kLzmaUnarchiveMiddleCapacity);
  p->destination = destination;
  p->rule = rule;
  p->onRefusal = onRefusal;
  p->unlzmaer = std::thread([p] {
    logMessage("[Streamer] [UnLZMAer] Starting...\n");
    const int result = unlzmaStage(p->input, p->middle);
    logMessage("[Streamer] [UnLZMAer] Done (%d).\n", result);
  });
  p->unarchiver = std::thread([p] {
    logMessage("[Streamer] [UnArchiver] Starting...\n");
    if (p->onRefusal == OnRefusal::kEndProcess) {
      extractArchive(p->middle, p->destination, p->rule);
    } else {
      p->outcome = readArchive(p->middle, p->destination, p->rule);
    }
    // Whatever the decoder still produces after the archive's end is not wanted.
    RingBuffer_close(p->middle);
    logMessage("[Streamer] [UnArchiver] Done.\n");
  });
  return p;
}

ArchiveOutcome LzmaUnarchive_wait(LzmaUnarchive* p) {
  p->unarchiver.join();
  p->unlzmaer.join();
  const ArchiveOutcome outcome = p->outcome;
  RingBuffer_destroy(p->middle);
  delete p;
  return outcome;
}
