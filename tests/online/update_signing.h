// A signing key made for one test, standing in for the maker's, and what the maker publishes
// with it: update archives holding an installer, and news that names and signs them.
#pragma once

#include <openssl/evp.h>

#include <string>

#include "temp_folder.h"

namespace savora::testing {

class TestSigningKey {
 public:
  TestSigningKey();  // a fresh Ed25519 key
  ~TestSigningKey();
  TestSigningKey(const TestSigningKey&) = delete;
  TestSigningKey& operator=(const TestSigningKey&) = delete;

  std::string publicKeyHex() const;
  std::string signatureHex(const std::string& text) const;

 private:
  EVP_PKEY* key_ = nullptr;
};

std::string sha256Hex(const std::string& bytes);

// News announcing `version` of `archive`, with its SHA-256 and signature.
std::string signedNews(const std::string& version, const std::string& archive,
                       const TestSigningKey& key);

// A ZIP archive holding "install.exe" (a shell script that writes `marker` in the folder it runs
// in) and a readme; without the installer when `withInstaller` is false. Made with `zip`.
std::string updateArchive(const TempFolder& scratch, const std::string& marker,
                          bool withInstaller = true);

}  // namespace savora::testing
