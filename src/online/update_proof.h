// What proves that an update comes from its maker. The news that announces an update names the
// update archive's SHA-256 and a signature:
//
//   Version 7.000
//   Update SHA-256: <64 hex digits>
//   Update signature: <128 hex digits>
//
// The signature is Ed25519 over the text "savora99 update <version> <sha-256 hex, lower case>",
// made with the maker's key; its public half ships with the program (kUpdatePublicKey). The
// version is signed too, so an old update cannot be passed off as a newer one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace savora::online {

// The maker's update-signing key, 32 bytes as hex.
inline constexpr const char* kUpdatePublicKey =
    "fd2f162406d67bf665556cdb5ac811d9aa07dc8f715055e4604d5adc16ed54d2";

struct UpdateProof {
  std::string version;    // as the news gives it
  std::string sha256;     // 64 hex digits, lower case
  std::string signature;  // 128 hex digits

  bool operator==(const UpdateProof&) const = default;
};

// The proof lines of the news, for the version the news names (see serverVersion); nothing when
// one is missing or malformed.
std::optional<UpdateProof> updateProof(std::string_view news, const std::string& version);

// The text the maker signs.
std::string signedUpdateText(const std::string& version, const std::string& sha256);

// Whether the proof's signature was made with the key (hex) over its version and SHA-256.
bool isSignedBy(const UpdateProof& proof, const std::string& publicKeyHex);

// The SHA-256 (lower-case hex) of a downloaded file's body: what follows the HTTP headers, which
// the file keeps as the server sent them. Nothing when the file cannot be read.
std::optional<std::string> downloadedBodySha256(const std::filesystem::path& file);

// The news as shown to the user: without the proof lines.
std::string withoutProofLines(std::string_view news);

}  // namespace savora::online
