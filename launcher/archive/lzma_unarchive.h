// An UnLZMAer and an UnArchiver on their own threads: a compressed archive stream from a buffer
// extracted below a destination folder.
#pragma once

#include <string>

#include "archive/archive_reader.h"
#include "stream/ring_buffer.h"

constexpr int32_t kLzmaUnarchiveMiddleCapacity = 102400;

struct LzmaUnarchive;

enum class OnRefusal { kEndProcess, kReport };

// Starts both stages and returns at once. A refused archive ends the process from the UnArchiver,
// unless the caller takes the outcome itself (a nested archive reports to the archive around it).
LzmaUnarchive* startLzmaUnarchive(RingBuffer* input, const std::string& destination,
                                  SignatureRule rule = SignatureRule::kVerifyWhenPresent,
                                  OnRefusal onRefusal = OnRefusal::kEndProcess);

// Waits for the UnArchiver, then for the UnLZMAer (the UnArchiver's end stops it), frees the
// pipeline's middle buffer and record, and returns the archive's outcome. The input stays the
// caller's.
ArchiveOutcome LzmaUnarchive_wait(LzmaUnarchive* pipeline);
