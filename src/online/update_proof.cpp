#include "online/update_proof.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <memory>
#include <vector>

namespace savora::online {

namespace {

constexpr std::string_view kShaLabel = "Update SHA-256:";
constexpr std::string_view kSignatureLabel = "Update signature:";
constexpr size_t kShaDigits = 64;
constexpr size_t kSignatureDigits = 128;
constexpr size_t kPublicKeyBytes = 32;

// The hex digits that follow `label` (after blanks), lower case; empty unless exactly `digits`.
std::string hexAfter(std::string_view news, std::string_view label, size_t digits) {
  const size_t at = news.find(label);
  if (at == std::string_view::npos) return {};
  size_t start = at + label.size();
  while (start < news.size() && (news[start] == ' ' || news[start] == '\t')) ++start;
  size_t end = start;
  while (end < news.size() && std::isxdigit(static_cast<unsigned char>(news[end]))) ++end;
  if (end - start != digits) return {};
  std::string hex(news.substr(start, digits));
  std::transform(hex.begin(), hex.end(), hex.begin(),
                 [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
  return hex;
}

std::optional<std::vector<unsigned char>> bytesFromHex(const std::string& hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::vector<unsigned char> bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    if (!std::isxdigit(static_cast<unsigned char>(hex[i])) ||
        !std::isxdigit(static_cast<unsigned char>(hex[i + 1])))
      return std::nullopt;
    bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

bool isProofLine(std::string_view line) {
  return line.find(kShaLabel) != std::string_view::npos ||
         line.find(kSignatureLabel) != std::string_view::npos;
}

}  // namespace

std::optional<UpdateProof> updateProof(std::string_view news, const std::string& version) {
  UpdateProof proof{version, hexAfter(news, kShaLabel, kShaDigits),
                    hexAfter(news, kSignatureLabel, kSignatureDigits)};
  if (proof.version.empty() || proof.sha256.empty() || proof.signature.empty()) return std::nullopt;
  return proof;
}

std::string signedUpdateText(const std::string& version, const std::string& sha256) {
  return "savora99 update " + version + " " + sha256;
}

bool isSignedBy(const UpdateProof& proof, const std::string& publicKeyHex) {
  const auto key = bytesFromHex(publicKeyHex);
  const auto signature = bytesFromHex(proof.signature);
  if (!key || key->size() != kPublicKeyBytes || !signature) return false;
  const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> publicKey(
      EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, key->data(), key->size()),
      &EVP_PKEY_free);
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        &EVP_MD_CTX_free);
  if (!publicKey || !context) return false;
  const std::string text = signedUpdateText(proof.version, proof.sha256);
  return EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, publicKey.get()) == 1 &&
         EVP_DigestVerify(context.get(), signature->data(), signature->size(),
                          reinterpret_cast<const unsigned char*>(text.data()), text.size()) == 1;
}

std::optional<std::string> downloadedBodySha256(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        &EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) return std::nullopt;
  // The headers end at the first blank line; the body's bytes are hashed as they come.
  std::string window;
  bool inBody = false;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    std::string_view piece(buffer, size_t(in.gcount()));
    if (!inBody) {
      window.append(piece);
      const size_t end = window.find("\r\n\r\n");
      if (end == std::string::npos) continue;
      inBody = true;
      piece = std::string_view(window).substr(end + 4);
    }
    if (EVP_DigestUpdate(context.get(), piece.data(), piece.size()) != 1) return std::nullopt;
  }
  if (!inBody) return std::nullopt;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context.get(), digest, &length) != 1) return std::nullopt;
  static const char* const kHex = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) hex += {kHex[digest[i] >> 4], kHex[digest[i] & 15]};
  return hex;
}

std::string withoutProofLines(std::string_view news) {
  std::string shown;
  for (size_t start = 0; start < news.size();) {
    size_t end = news.find('\n', start);
    end = end == std::string_view::npos ? news.size() : end + 1;
    const std::string_view line = news.substr(start, end - start);
    if (!isProofLine(line)) shown += line;
    start = end;
  }
  return shown;
}

}  // namespace savora::online
