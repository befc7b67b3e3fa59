#include "online/mail_address.h"

namespace savora::online {

std::string_view trimmedAddress(std::string_view address) {
  const size_t first = address.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = address.find_last_not_of(" \t");
  return address.substr(first, last - first + 1);
}

std::string mailAddressProblem(std::string_view address) {
  const std::string_view trimmed = trimmedAddress(address);
  const std::string quoted = "\"" + std::string(trimmed) + "\"";
  if (trimmed.empty()) return "An e-mail address is missing.";
  if (trimmed.find_first_of("\r\n<>") != std::string_view::npos ||
      trimmed.find_first_of(" \t") != std::string_view::npos)
    return "The e-mail address " + quoted + " cannot contain line breaks, blanks, \"<\" or \">\".";
  const size_t at = trimmed.find('@');
  if (at == 0 || at == std::string_view::npos || at + 1 == trimmed.size())
    return "The e-mail address " + quoted + " is not of the form name@host.";
  return {};
}

}  // namespace savora::online
