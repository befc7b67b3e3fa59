#include "strict_mail_parse.h"

#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace savora::testing {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// Prints problem, subject, sender name, sender address, Message-ID and body, NUL-separated.
constexpr const char* kParse = R"(
import email, email.policy, sys
data = open(sys.argv[1], 'rb').read()
problems = []
fields = [''] * 5
try:
    if not data.isascii():
        problems.append('8-bit bytes')
    if any(len(line) > 998 for line in data.split(b'\r\n')):
        problems.append('a line over 998 characters')
    msg = email.message_from_bytes(data, policy=email.policy.strict)
    problems += [repr(d) for part in msg.walk() for d in part.defects]
    problems += [name + ': ' + repr(d) for name in msg.keys() for d in msg[name].defects]
    if msg.get_content_charset() != 'utf-8':
        problems.append('charset ' + str(msg.get_content_charset()))
    sender = msg['from'].addresses[0]
    fields = [str(msg['subject']), sender.display_name, sender.addr_spec,
              str(msg['message-id'] or ''), msg.get_content().replace('\r\n', '\n')]
except Exception as error:
    problems.append(repr(error))
sys.stdout.buffer.write('\0'.join(['; '.join(problems)] + fields).encode('utf-8'))
)";

}  // namespace

bool strictMailParserAvailable() {
  return ::access(kPython, X_OK) == 0;
}

StrictlyParsedMail parseMailStrictly(const std::filesystem::path& file) {
  int out[2];
  if (::pipe(out) != 0) return {"no pipe"};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execl(kPython, kPython, "-c", kParse, file.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;) output.append(buffer, got);
  ::close(out[0]);
  ::waitpid(pid, nullptr, 0);

  std::vector<std::string> fields;
  for (size_t start = 0;;) {
    const size_t end = output.find('\0', start);
    fields.push_back(output.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (fields.size() != 6) return {"the parser gave no answer: " + output};
  return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

}  // namespace savora::testing
