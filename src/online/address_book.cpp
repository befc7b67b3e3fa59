#include "online/address_book.h"

#include <optional>

#include "online/mail_address.h"
#include "platform/text.h"

namespace savora::online {

namespace {

// The right-trimmed answer when it may go into the book, or nothing after telling why not.
std::optional<std::string> acceptable(toolkit::User& user, EmailAddressTable& book,
                                      const std::optional<std::string>& answer,
                                      std::string_view replacing = {}) {
  if (!answer) return std::nullopt;
  const std::string address = platform::trim(*answer);
  if (address.empty()) return std::nullopt;
  if (std::string problem = mailAddressProblem(address); !problem.empty()) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok, problem);
    return std::nullopt;
  }
  if (platform::compareIgnoreCase(address, platform::trim(replacing)) != 0 &&
      book.contains(address)) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok,
                 "That e-mail address is already on your list.\r\nTo edit a menu name, drag the "
                 "name over\r\nand drop it on the magnifying glass icon.");
    return std::nullopt;
  }
  return address;
}

}  // namespace

std::string askNewAddress(toolkit::User& user, EmailAddressTable& book) {
  const auto address =
      acceptable(user, book,
                 user.prompt("New E-Mail Address", "Enter the new new e-mail address.",
                             kEmailAddressWidth, ""));
  if (!address) return {};
  book.add(*address);
  return *address;
}

std::string askEditedAddress(toolkit::User& user, EmailAddressTable& book,
                             std::string_view address) {
  const auto edited = acceptable(
      user, book,
      user.prompt("Edit E-Mail Address", "Change the e-mail address now by typing the new address.",
                  kEmailAddressWidth, address),
      address);
  if (!edited || !book.rename(address, *edited)) return {};
  return *edited;
}

bool askDeleteAddress(toolkit::User& user, EmailAddressTable& book, std::string_view address) {
  const std::string question =
      platform::formatText("Are you sure you want to delete %s?", std::string(address).c_str());
  if (user.message("Delete Address?", "QUESTION", toolkit::Buttons::YesNo, question) !=
      toolkit::Button::Yes)
    return false;
  return book.remove(address);
}

}  // namespace savora::online
