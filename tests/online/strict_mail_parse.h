// Reads a delivered message as a mail reader would: Python's `email` package under its strict
// policy, which refuses what RFC 5322 and MIME do not allow.
#pragma once

#include <filesystem>
#include <string>

namespace savora::testing {

struct StrictlyParsedMail {
  std::string problem;  // the parser's defects or error, or what is not 7-bit UTF-8; "" when none
  std::string subject, fromName, fromAddress, messageId, body;  // decoded, UTF-8, body with LF
};

bool strictMailParserAvailable();
StrictlyParsedMail parseMailStrictly(const std::filesystem::path& file);

}  // namespace savora::testing
