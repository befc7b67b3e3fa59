#include "update_signing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "online/update_proof.h"

namespace savora::testing {

namespace {

std::string hex(const unsigned char* bytes, size_t size) {
  static const char* const kHex = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < size; ++i) out += {kHex[bytes[i] >> 4], kHex[bytes[i] & 15]};
  return out;
}

}  // namespace

TestSigningKey::TestSigningKey() {
  EVP_PKEY_CTX* context = EVP_PKEY_CTX_new_id(EVP_PKEY_ED25519, nullptr);
  if (!context || EVP_PKEY_keygen_init(context) != 1 || EVP_PKEY_keygen(context, &key_) != 1)
    ADD_FAILURE() << "no Ed25519 key";
  EVP_PKEY_CTX_free(context);
}

TestSigningKey::~TestSigningKey() {
  EVP_PKEY_free(key_);
}

std::string TestSigningKey::publicKeyHex() const {
  unsigned char raw[32];
  size_t size = sizeof raw;
  if (EVP_PKEY_get_raw_public_key(key_, raw, &size) != 1) return {};
  return hex(raw, size);
}

std::string TestSigningKey::signatureHex(const std::string& text) const {
  EVP_MD_CTX* context = EVP_MD_CTX_new();
  unsigned char signature[64];
  size_t size = sizeof signature;
  const bool signedOk =
      EVP_DigestSignInit(context, nullptr, nullptr, nullptr, key_) == 1 &&
      EVP_DigestSign(context, signature, &size, reinterpret_cast<const unsigned char*>(text.data()),
                     text.size()) == 1;
  EVP_MD_CTX_free(context);
  return signedOk ? hex(signature, size) : std::string();
}

std::string sha256Hex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr);
  return hex(digest, size);
}

std::string signedNews(const std::string& version, const std::string& archive,
                       const TestSigningKey& key) {
  const std::string sha = sha256Hex(archive);
  return "Fresh herbs!\nVersion " + version + "\nUpdate SHA-256: " + sha +
         "\nUpdate signature: " + key.signatureHex(online::signedUpdateText(version, sha)) + "\n";
}

std::string updateArchive(const TempFolder& scratch, const std::string& marker,
                          bool withInstaller) {
  const std::string folder = scratch.str() + "archive/";
  scratch.write("archive/install.exe", "#!/bin/sh\npwd > " + marker + "\n");
  scratch.write("archive/readme.txt", "What is new.");
  const std::string files = withInstaller ? "install.exe readme.txt" : "readme.txt";
  const std::string command = "cd " + folder + " && rm -f update.zip && zip -q update.zip " + files;
  EXPECT_EQ(std::system(command.c_str()), 0) << "zip is missing";
  return readFileBytes(folder + "update.zip");
}

}  // namespace savora::testing
