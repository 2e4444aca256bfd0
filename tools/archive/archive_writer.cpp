#include "tools/archive/archive_writer.h"

#include <lzma.h>

#include <mutex>
#include <stdexcept>

#include "signature/archive_hashes.h"
#include "signature/keccak.h"

namespace {

void addField(ArchiveText& archive, const std::string& text) {
  archive.bytes += text;
  archive.bytes.push_back('\0');
}

void prepareLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    ltc_mp = ltm_desc;
    register_prng(&sprng_desc);
  });
  registerArchiveHashes();
}

std::string compressWith(const std::string& bytes, bool legacy) {
  lzma_stream stream = LZMA_STREAM_INIT;
  lzma_ret ret;
  if (legacy) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    ret = lzma_alone_encoder(&stream, &options);
  } else {
    ret = lzma_easy_encoder(&stream, 6, LZMA_CHECK_CRC64);
  }
  if (ret != LZMA_OK) throw std::runtime_error("lzma encoder initialisation failed");
  std::string out;
  uint8_t buffer[65536];
  stream.next_in = reinterpret_cast<const uint8_t*>(bytes.data());
  stream.avail_in = bytes.size();
  do {
    stream.next_out = buffer;
    stream.avail_out = sizeof(buffer);
    ret = lzma_code(&stream, LZMA_FINISH);
    out.append(reinterpret_cast<char*>(buffer), sizeof(buffer) - stream.avail_out);
  } while (ret == LZMA_OK);
  lzma_end(&stream);
  if (ret != LZMA_STREAM_END) throw std::runtime_error("lzma encoding failed");
  return out;
}

} // namespace

void addFolderEntry(ArchiveText& archive, const std::string& name) {
  addField(archive, "1");
  addField(archive, name);
}

void addFileEntry(ArchiveText& archive, const std::string& name, const std::string& content, EntryType type) {
  addField(archive, std::to_string(static_cast<int>(type)));
  addField(archive, name);
  addField(archive, std::to_string(content.size()));
  archive.bytes += content;
}

void addRawBytes(ArchiveText& archive, const std::string& bytes) { archive.bytes += bytes; }

std::string withEndRecord(const ArchiveText& archive) { return archive.bytes + std::string(1, '\0'); }

std::vector<uint8_t> mixedDigestOf(const std::string& bytes, SecondHalf second) {
  std::vector<uint8_t> digest(kMixedDigestBytes);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  hash_state sha;
  sha256_init(&sha);
  sha256_process(&sha, data, bytes.size());
  sha256_done(&sha, digest.data());
  if (second == SecondHalf::kKeccak256) {
    KeccakState keccak;
    kx::keccak_init(&keccak);
    kx::keccak_update(&keccak, data, 8ULL * bytes.size());
    kx::keccak_final(&keccak, digest.data() + 32, 32);
  } else {
    hash_state sha3;
    ::sha3_256_init(&sha3);
    sha3_process(&sha3, data, bytes.size());
    sha3_done(&sha3, digest.data() + 32);
  }
  return digest;
}

SigningKey::~SigningKey() {
  if (loaded) rsa_free(&key);
}

bool generateSigningKey(SigningKey& key, int bits) {
  prepareLibrary();
  if (key.loaded) rsa_free(&key.key);
  key.loaded = rsa_make_key(nullptr, find_prng("sprng"), bits / 8, 65537, &key.key) == CRYPT_OK;
  return key.loaded;
}

bool importSigningKey(SigningKey& key, const std::vector<uint8_t>& der) {
  prepareLibrary();
  if (key.loaded) rsa_free(&key.key);
  key.loaded = rsa_import(der.data(), static_cast<unsigned long>(der.size()), &key.key) == CRYPT_OK &&
               key.key.type == PK_PRIVATE;
  return key.loaded;
}

static std::vector<uint8_t> exportKey(const SigningKey& key, int type) {
  std::vector<uint8_t> out(8192);
  unsigned long length = static_cast<unsigned long>(out.size());
  if (rsa_export(out.data(), &length, type, const_cast<rsa_key*>(&key.key)) != CRYPT_OK) return {};
  out.resize(length);
  return out;
}

std::vector<uint8_t> exportPrivateKeyDer(const SigningKey& key) { return exportKey(key, PK_PRIVATE); }
std::vector<uint8_t> exportPublicKeyDer(const SigningKey& key) { return exportKey(key, PK_PUBLIC | PK_STD); }

std::string toHexText(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    text.push_back(digits[b >> 4]);
    text.push_back(digits[b & 15]);
  }
  return text;
}

std::vector<uint8_t> fromHexText(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    out.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return out;
}

std::vector<uint8_t> signDigest(const SigningKey& key, const std::vector<uint8_t>& digest) {
  prepareLibrary();
  std::vector<uint8_t> signature(1024);
  unsigned long length = static_cast<unsigned long>(signature.size());
  const int result = rsa_sign_hash_ex(digest.data(), static_cast<unsigned long>(digest.size()), signature.data(),
                                      &length, LTC_PKCS_1_PSS, nullptr, find_prng("sprng"), find_hash("mixed"), 64,
                                      const_cast<rsa_key*>(&key.key));
  if (result != CRYPT_OK) throw std::runtime_error(std::string("signing failed: ") + error_to_string(result));
  signature.resize(length);
  return signature;
}

std::string withSignatureBlock(const ArchiveText& archive, const std::string& marker, const std::string& hex) {
  ArchiveText signedArchive = archive;
  addField(signedArchive, "0");
  addField(signedArchive, "kxArcSpBlock_DigitalSignature1");
  addField(signedArchive, "1");
  addField(signedArchive, marker);
  addField(signedArchive, hex);
  return signedArchive.bytes;
}

std::string withSignature(const ArchiveText& archive, const SigningKey& key, SecondHalf second) {
  return withSignatureBlock(archive, "1", toHexText(signDigest(key, mixedDigestOf(archive.bytes, second))));
}

std::string compressXz(const std::string& bytes) { return compressWith(bytes, false); }
std::string compressLegacyLzma(const std::string& bytes) { return compressWith(bytes, true); }
