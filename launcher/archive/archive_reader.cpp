#include "archive/archive_reader.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "archive/destination_clear.h"
#include "archive/entry_name.h"
#include "archive/lzma_unarchive.h"
#include "archive/unpack200.h"
#include "files/file_open.h"
#include "files/folder_create.h"
#include "locations/path_join.h"
#include "log/launcher_log.h"
#include "signature/archive_hashes.h"
#include "signature/hex_text.h"
#include "signature/signature_check.h"
#include "startup/process_exit.h"

namespace {

const char kSpecialBlockPrefix[] = "kxArcSpBlock_";
const char kSignatureBlockName[] = "kxArcSpBlock_DigitalSignature1";
const char kStarLine[] = "***********************************************************************\n";
constexpr int32_t kNestedInputCapacity = 1048576;

// What one reader carries from entry to entry. hash is null for extractNextEntry.
struct EntryReader {
  EntryReader(RingBuffer* in, std::string folder, hash_state* state, std::vector<uint8_t>& buffer)
      : input(in), destination(std::move(folder)), hash(state), content(buffer) {}
  RingBuffer* input;
  std::string destination;
  hash_state* hash;
  std::vector<uint8_t>& content;
  int32_t marker = -1;
  std::string signature;
  std::string refusal; // why the archive is refused, once it is
};

enum class Field { kRead, kEnd, kTooLong };

Field readField(RingBuffer* input, std::vector<char>& buffer, int32_t capacity, int32_t* count) {
  buffer.assign(static_cast<size_t>(capacity), '\0');
  const int32_t n = RingBuffer_readUntil(input, buffer.data(), capacity);
  if (n == kRingBufferFieldTooLong) return Field::kTooLong;
  if (n < 0) return Field::kEnd;
  *count = n;
  return Field::kRead;
}

void hashBytes(EntryReader& r, const void* data, size_t n) {
  if (r.hash && n > 0) mixedHashUpdate(r.hash, data, static_cast<unsigned long>(n));
}

EntryOutcome refuse(EntryReader& r, const std::string& why) {
  r.refusal = why;
  return EntryOutcome::kRefused;
}

EntryOutcome endOfArchive() {
  logMessage("[Unarchiver] WARNING. EOF encountered.\n");
  return EntryOutcome::kEnd;
}

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Copies length content bytes of the input to sink, hashing them; stops early at the end of input.
template <typename Sink> void copyContent(EntryReader& r, int32_t length, Sink sink) {
  int32_t due = length;
  while (due > 0) {
    const int32_t n = RingBuffer_read(r.input, r.content.data(), std::min(due, kContentBufferBytes));
    if (n <= 0) break;
    hashBytes(r, r.content.data(), static_cast<size_t>(n));
    sink(r.content.data(), n);
    due -= n;
  }
}

bool extractNested(EntryReader& r, int32_t length) {
  logMessage("\t[Unarchiver] .p2.l2 detected. Performing in sync unarchive.\n");
  RingBuffer* nested = RingBuffer_create(kNestedInputCapacity);
  // A refused nested archive has emptied the shared destination; the archive around it is refused
  // in turn, so the caller of the outermost reader decides what a refusal ends.
  LzmaUnarchive* pipeline =
      startLzmaUnarchive(nested, r.destination, SignatureRule::kVerifyWhenPresent, OnRefusal::kReport);
  // A decoder that stopped early closes its input; the rest of the content is still read (and
  // hashed) so the outer archive stays in step.
  bool open = true;
  copyContent(r, length, [&](const uint8_t* bytes, int32_t n) {
    if (open && RingBuffer_write(nested, bytes, n) < 0) open = false;
  });
  // A nested stream cut short must not leave the decoder waiting for bytes that never come.
  RingBuffer_close(nested);
  const ArchiveOutcome outcome = LzmaUnarchive_wait(pipeline);
  RingBuffer_destroy(nested);
  logMessage("\t[Unarchiver] .p2.l2 in sync unarchive complete.\n");
  return outcome == ArchiveOutcome::kAccepted;
}

bool fileExists(const std::string& path) {
  std::FILE* file = openFile(path, "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

EntryOutcome readEntry(EntryReader& r) {
  if (r.marker != -1) return EntryOutcome::kEnd;
  std::vector<std::string> pending;
  std::vector<char> field;
  int32_t count = 0;

  Field f = readField(r.input, field, kTypeFieldCapacity, &count);
  if (f == Field::kTooLong) return refuse(r, "an entry type field is too long");
  if (f == Field::kEnd || count == 1) return endOfArchive();
  pending.emplace_back(field.data(), static_cast<size_t>(count));
  const std::string typeText(field.data());
  const int32_t type = parseNumberField(field.data());

  f = readField(r.input, field, kNameFieldCapacity, &count);
  if (f == Field::kTooLong) return refuse(r, "an entry name is too long");
  if (f == Field::kEnd) return endOfArchive();
  pending.emplace_back(field.data(), static_cast<size_t>(count));
  const std::string rawName(field.data());
  if (rawName.compare(0, sizeof(kSpecialBlockPrefix) - 1, kSpecialBlockPrefix) == 0) {
    logMessage("[Unarchiver] Found special block %s\n", rawName.c_str());
  }
  const bool signatureBlock = rawName == kSignatureBlockName;

  const std::string name = entryNameWithBackslashes(rawName);
  logMessage("[Unarchiver] Extracting %s (::%ld from %s)\n", name.c_str(), static_cast<long>(type), typeText.c_str());
  if (!isSafeEntryName(name)) return refuse(r, "the entry name " + name + " leaves the destination folder");

  std::string target = joinPath(r.destination, name);
  std::string display = name;
  if (type == 2) {
    target += ".p2";
    display += ".p2";
  }
  for (size_t at = name.find('\\'); at != std::string::npos; at = name.find('\\', at + 1)) {
    createFolderIfMissing(joinPath(r.destination, name.substr(0, at)));
  }
  auto hashPending = [&] {
    for (const std::string& bytes : pending) hashBytes(r, bytes.data(), bytes.size());
    pending.clear();
  };

  if (type == 1) {
    createFolderIfMissing(target);
    logMessage("\t[Unarchiver] Created folder %s\n", display.c_str());
    hashPending();
    return EntryOutcome::kExtracted;
  }

  f = readField(r.input, field, kNumberFieldCapacity, &count);
  if (f == Field::kTooLong) return refuse(r, "an entry length field is too long");
  if (f == Field::kEnd) return endOfArchive();
  pending.emplace_back(field.data(), static_cast<size_t>(count));
  const int32_t length = parseNumberField(field.data());
  if (length == 0) {
    logMessage("\t[Unarchiver] Skipping empty file %s\n", display.c_str());
    hashPending();
    return EntryOutcome::kExtracted;
  }

  if (signatureBlock) {
    f = readField(r.input, field, kNumberFieldCapacity, &count);
    if (f == Field::kTooLong) return refuse(r, "the signature marker field is too long");
    if (f == Field::kEnd) return endOfArchive();
    r.marker = parseNumberField(field.data());
    f = readField(r.input, field, kSignatureFieldCapacity, &count);
    if (f == Field::kTooLong) return refuse(r, "the signature field is too long");
    r.signature = f == Field::kRead ? std::string(field.data()) : std::string();
    return EntryOutcome::kEnd;
  }

  hashPending();
  if (endsWith(target, "p2.l2")) {
    if (!extractNested(r, length)) return refuse(r, "a nested archive was refused");
  } else {
    std::FILE* file = openFile(target, "wb");
    logMessage("\t[Unarchiver] Extracting to file %s (length:%ld)\n", display.c_str(), static_cast<long>(length));
    if (!file) {
      logMessage("\t[Unarchiver] *************************** Unable to extract archive file. Unable to open file for "
                 "writing.\n");
      return refuse(r, "a file cannot be written");
    }
    copyContent(r, length,
                [&](const uint8_t* bytes, int32_t n) { std::fwrite(bytes, 1, static_cast<size_t>(n), file); });
    std::fflush(file);
    std::fclose(file);
    logMessage("[Unarchiver] Extracted %s length:%d\n", display.c_str(), static_cast<int>(length));
  }

  if (type == 2) {
    const std::string unpacked = target.substr(0, target.size() - 3);
    logMessage("\t[Unarchiver] Requires unpacking200...\n");
    runUnpack200(target, unpacked);
    if (!fileExists(unpacked)) logMessage("\t[Unarchiver] ERROR: unpack200 (%s) does not exist!\n", unpacked.c_str());
    std::remove(systemPath(target).c_str());
  }
  return EntryOutcome::kExtracted;
}

void emptyDestination(const std::string& destination) {
  if (!removeDestinationContents(destination)) {
    logMessage("[Unarchiver] WARNING. Could not remove everything inside %s\n", destination.c_str());
  }
}

void reportRefusal(const std::string& destination, const std::string& why) {
  logMessage("%s", kStarLine);
  logMessage("[Unarchiver] ERROR - %s.\n", why.c_str());
  logMessage("[Unarchiver] Ommel will disregard this update.\n");
  emptyDestination(destination);
  logMessage("%s", kStarLine);
}

std::vector<uint8_t>& processContentBuffer() {
  static std::vector<uint8_t> buffer(kContentBufferBytes);
  return buffer;
}

} // namespace

int32_t parseNumberField(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) value = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

ArchiveOutcome readArchive(RingBuffer* input, const std::string& destination, SignatureRule rule) {
  logMessage("[Unarchiver] [START] Extracting archive %s\n", destination.c_str());
  std::fflush(stdout);
  hash_state hash;
  if (!registerArchiveHashes()) {
    std::printf("WARNING: Error registering mixed hash");
    std::fflush(stdout);
  } else {
    kx::mixed_init(&hash);
  }
  std::vector<uint8_t> content(kContentBufferBytes);
  EntryReader r{input, destination, &hash, content};
  EntryOutcome outcome;
  while ((outcome = readEntry(r)) == EntryOutcome::kExtracted) {}
  if (outcome == EntryOutcome::kRefused) {
    reportRefusal(destination, r.refusal);
    return ArchiveOutcome::kRefused;
  }

  if (r.marker == -1) {
    if (rule == SignatureRule::kRequireWhenKeyLoaded && hasPublicKey()) {
      reportRefusal(destination, "the archive carries no signature");
      return ArchiveOutcome::kRefused;
    }
  } else {
    logMessage("[Unarchiver] Verifying signature\n");
    uint8_t digest[kMixedDigestBytes];
    kx::mixed_done(&hash, digest);
    std::vector<uint8_t> signature;
    decodeHexText(r.signature, signature);
    logMessage("[Unarchiver] Produced a signature of length %d\n", static_cast<int>(signature.size()));
    if (!signature.empty() &&
        verifyMixedSignature(signature.data(), static_cast<unsigned long>(signature.size()), digest)) {
      logMessage("[Unarchiver] Archive signature verified.\n");
    } else {
      logMessage("%s", kStarLine);
      logMessage("[Unarchiver] ERROR - unable to verify signature of hash of archive.\n");
      logMessage("[Unarchiver] Ommel will disregard this update.\n");
      emptyDestination(destination);
      logMessage("%s", kStarLine);
      return ArchiveOutcome::kRefused;
    }
  }
  logMessage("[Unarchiver] [END] Extracting archive %s\n", destination.c_str());
  return ArchiveOutcome::kAccepted;
}

int extractArchive(RingBuffer* input, const std::string& destination, SignatureRule rule) {
  if (readArchive(input, destination, rule) == ArchiveOutcome::kRefused) endProcess(kExitFatal);
  return 0;
}

EntryOutcome readNextEntry(RingBuffer* input, const std::string& destination) {
  EntryReader r{input, destination, nullptr, processContentBuffer()};
  const EntryOutcome outcome = readEntry(r);
  if (outcome == EntryOutcome::kRefused) reportRefusal(destination, r.refusal);
  return outcome;
}

int extractNextEntry(RingBuffer* input, const std::string& destination) {
  const EntryOutcome outcome = readNextEntry(input, destination);
  if (outcome == EntryOutcome::kRefused) endProcess(kExitFatal);
  return outcome == EntryOutcome::kExtracted ? 0 : -1;
}
