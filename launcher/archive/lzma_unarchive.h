// An UnLZMAer and an UnArchiver on their own threads: a compressed archive stream from a buffer
// extracted below a destination folder.
#pragma once

#include <string>

#include "archive/archive_reader.h"
#include "stream/ring_buffer.h"

constexpr int32_t kLzmaUnarchiveMiddleCapacity = 102400;

struct LzmaUnarchive;

// Starts both stages and returns at once. The UnArchiver ends the process when the archive is
// refused.
LzmaUnarchive* startLzmaUnarchive(RingBuffer* input, const std::string& destination,
                                  SignatureRule rule = SignatureRule::kVerifyWhenPresent);

// Waits for the UnArchiver, then for the UnLZMAer (the UnArchiver's end stops it), and frees the
// pipeline's middle buffer and record. The input stays the caller's.
void LzmaUnarchive_wait(LzmaUnarchive* pipeline);
