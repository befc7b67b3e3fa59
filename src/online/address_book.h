// The address book's entry rules, shared by its window: a new or edited address is trimmed,
// must be usable as an address (see mail_address.h) and must not be in the book already.
#pragma once

#include <string>
#include <string_view>

#include "online/email_address_table.h"
#include "toolkit/user.h"

namespace savora::online {

// Asks for a new address and adds it; the added address, or "" when cancelled or refused.
std::string askNewAddress(toolkit::User& user, EmailAddressTable& book);
// Asks for a new text for `address` and stores it; the stored address, or "" when unchanged.
std::string askEditedAddress(toolkit::User& user, EmailAddressTable& book,
                             std::string_view address);
// Asks before deleting `address`; true when it was deleted.
bool askDeleteAddress(toolkit::User& user, EmailAddressTable& book, std::string_view address);

}  // namespace savora::online
