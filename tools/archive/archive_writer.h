// Writing archive streams for the launcher: entries, optional nested compressed archives, the
// signature block (RSA-PSS over the mixed digest of everything before it, salt 64) and xz or
// legacy LZMA compression. Used by the archive tool and by the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <tomcrypt.h> // the targets define LTM_DESC

enum class EntryType : int { kFile = 0, kFolder = 1, kPack200 = 2 };

// The covered part of an archive, built entry by entry.
struct ArchiveText {
  std::string bytes;
};

void addFolderEntry(ArchiveText& archive, const std::string& name);
// A file (type 0 unless given) with its length field and content.
void addFileEntry(ArchiveText& archive, const std::string& name, const std::string& content,
                  EntryType type = EntryType::kFile);
// Any field sequence as it is, for archives that break the rules on purpose.
void addRawBytes(ArchiveText& archive, const std::string& bytes);

// The end record: one empty type field.
std::string withEndRecord(const ArchiveText& archive);

enum class SecondHalf { kKeccak256, kFips202Sha3_256 };

// SHA-256 then Keccak-256 of the bytes (or, to make signatures that must not verify, FIPS 202
// SHA3-256 in the second half).
std::vector<uint8_t> mixedDigestOf(const std::string& bytes, SecondHalf second = SecondHalf::kKeccak256);

struct SigningKey {
  rsa_key key{};
  bool loaded = false;
  SigningKey() = default;
  ~SigningKey();
  SigningKey(const SigningKey&) = delete;
  SigningKey& operator=(const SigningKey&) = delete;
};

// Makes a key of the given size in bits (e 65537). False on failure.
bool generateSigningKey(SigningKey& key, int bits);
// Imports a private key from DER (PKCS #1 RSAPrivateKey as LibTomCrypt exports it).
bool importSigningKey(SigningKey& key, const std::vector<uint8_t>& der);
std::vector<uint8_t> exportPrivateKeyDer(const SigningKey& key);
// SubjectPublicKeyInfo DER.
std::vector<uint8_t> exportPublicKeyDer(const SigningKey& key);

std::string toHexText(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> fromHexText(const std::string& text);

// RSA-PSS signature (mixed hash as PSS and MGF1 hash, salt 64) over a 64-byte digest.
std::vector<uint8_t> signDigest(const SigningKey& key, const std::vector<uint8_t>& digest);

// The archive followed by its signature block with marker 1 and the signature of its mixed digest.
std::string withSignature(const ArchiveText& archive, const SigningKey& key,
                          SecondHalf second = SecondHalf::kKeccak256);
// The archive followed by a signature block with the given marker and hex text, as they are.
std::string withSignatureBlock(const ArchiveText& archive, const std::string& marker, const std::string& hex);

// xz container (check CRC64) or the legacy LZMA-alone format, preset 6.
std::string compressXz(const std::string& bytes);
std::string compressLegacyLzma(const std::string& bytes);
