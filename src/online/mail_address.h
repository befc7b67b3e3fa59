// Whether a text can be used as an e-mail address: one that contains CR, LF, "<", ">" or a blank
// inside it could add a header or an SMTP command to a message, so it is refused before any
// connection is made.
#pragma once

#include <string>
#include <string_view>

namespace savora::online {

// Empty when the address is usable; otherwise the message that tells the user why not.
std::string mailAddressProblem(std::string_view address);

// The address without blanks around it.
std::string_view trimmedAddress(std::string_view address);

}  // namespace savora::online
