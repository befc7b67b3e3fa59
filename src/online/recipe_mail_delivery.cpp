#include "online/recipe_mail_delivery.h"

#include "online/mail_address.h"

namespace savora::online {

MailDelivery deliverRecipeMail(toolkit::User& user, const MailSetup& givenSetup,
                               const RecipeMail& mail, const DeliveryHooks& hooks) {
  MailSetup setup = givenSetup;
  MailDelivery delivery;
  if (setup.yourName.empty() || setup.emailAddress.empty() || setup.serverName.empty()) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok,
                 "Please click Setup and enter your e-mail information first.");
    return delivery;
  }
  std::vector<std::string> recipients;
  if (!trimmedAddress(mail.to).empty()) recipients.push_back(mail.to);
  recipients.insert(recipients.end(), mail.toList.begin(), mail.toList.end());
  if (recipients.empty()) {
    user.message("Incomplete!", "ASTERISK", toolkit::Buttons::Ok,
                 "You must enter the e-mail address of\r\nthe person you are sending mail to.");
    return delivery;
  }
  if (std::string problem = mailAddressProblem(setup.emailAddress); !problem.empty()) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok, problem);
    return delivery;
  }

  MailServer server = parseMailServer(setup.serverName, setup.security);
  server.user = setup.user;
  server.allowPlainLogin = setup.plainLoginConfirmed;
  // Refused before the password is asked for, and before any connection.
  if (std::string problem = plainLoginProblem(server); !problem.empty()) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok, problem);
    return delivery;
  }

  if (hooks.ready && !hooks.ready(setup)) return delivery;
  server.password = setup.password;
  if (hooks.tuneServer) hooks.tuneServer(server);
  delivery.attempted = true;
  const int count = int(recipients.size());
  for (int index = 0; index < count; ++index) {
    const std::string& recipient = recipients[size_t(index)];
    if (hooks.sending) hooks.sending(recipient, index, count);
    if (std::string problem = mailAddressProblem(recipient); !problem.empty()) {
      user.message("Wait!", "HAND", toolkit::Buttons::Ok, problem);
      delivery.failed.push_back(recipient);
      continue;
    }
    MailMessage message;
    message.setRecipients(std::string(trimmedAddress(recipient)), "", "");
    message.subject = mail.subject;
    message.body = mail.body;
    message.from = setup.emailAddress;
    message.fromName = setup.yourName;
    message.replyTo = setup.emailAddress;
    const int result = sendMail(message, server, hooks.whileWaiting);
    if (result == 0) {
      ++delivery.sent;
      user.message("Message Sent", "Information", toolkit::Buttons::Ok,
                   "Your e-mail message has been sent.");
    } else {
      delivery.failed.push_back(recipient);
      delivery.loginRefused = delivery.loginRefused || message.loginRefused;
      user.message("Socket Error!", "ASTERISK", toolkit::Buttons::Ok,
                   result == -1 ? "Could not open socket.\r\n" + message.log : message.log);
    }
  }
  return delivery;
}

}  // namespace savora::online
