#include "recipe_formats/html_text.h"

#include <cctype>
#include <charconv>
#include <unordered_map>

#include "platform/text.h"

namespace savora::recipe_formats {
namespace {

const std::unordered_map<std::string_view, char32_t>& namedEntities() {
  static const std::unordered_map<std::string_view, char32_t> entities = {
      {"amp", '&'},      {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
      {"apos", '\''},    {"nbsp", 0xA0},     {"frac12", 0xBD},   {"frac14", 0xBC},
      {"frac34", 0xBE},  {"frac13", 0x2153}, {"frac23", 0x2154}, {"frac18", 0x215B},
      {"deg", 0xB0},     {"times", 0xD7},    {"copy", 0xA9},     {"reg", 0xAE},
      {"trade", 0x2122}, {"hellip", 0x2026}, {"ndash", 0x2013},  {"mdash", 0x2014},
      {"lsquo", 0x2018}, {"rsquo", 0x2019},  {"ldquo", 0x201C},  {"rdquo", 0x201D},
      {"bull", 0x2022},  {"middot", 0xB7},   {"agrave", 0xE0},   {"aacute", 0xE1},
      {"acirc", 0xE2},   {"auml", 0xE4},     {"ccedil", 0xE7},   {"egrave", 0xE8},
      {"eacute", 0xE9},  {"ecirc", 0xEA},    {"euml", 0xEB},     {"iacute", 0xED},
      {"icirc", 0xEE},   {"iuml", 0xEF},     {"ntilde", 0xF1},   {"oacute", 0xF3},
      {"ocirc", 0xF4},   {"ouml", 0xF6},     {"uacute", 0xFA},   {"ucirc", 0xFB},
      {"uuml", 0xFC},    {"szlig", 0xDF},    {"Eacute", 0xC9},   {"Agrave", 0xC0},
      {"Auml", 0xC4},    {"Ouml", 0xD6},     {"Uuml", 0xDC},     {"Ccedil", 0xC7},
      {"oslash", 0xF8},  {"aring", 0xE5},    {"aelig", 0xE6},    {"iexcl", 0xA1},
      {"iquest", 0xBF},  {"cent", 0xA2},     {"pound", 0xA3},    {"euro", 0x20AC},
      {"shy", 0xAD},     {"ensp", ' '},      {"emsp", ' '},      {"thinsp", ' '}};
  return entities;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (c >> 18)));
    out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
}

// The character of the entity body ("amp", "#39", "#x27"); 0 when unknown.
char32_t entityCharacter(std::string_view body) {
  if (body.starts_with('#')) {
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    unsigned long value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
    if (error != std::errc() || end != digits.data() + digits.size() || value == 0 ||
        value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      return 0;
    }
    return char32_t(value);
  }
  const auto& named = namedEntities();
  const auto it = named.find(body);
  return it == named.end() ? 0 : it->second;
}

std::string unescapeOnce(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      const size_t end = text.find(';', i + 1);
      if (end != std::string_view::npos && end - i <= 10) {
        if (const char32_t c = entityCharacter(text.substr(i + 1, end - i - 1))) {
          appendUtf8(out, c);
          i = end;
          continue;
        }
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

bool startsTagNamed(std::string_view tag, std::string_view name) {
  if (!platform::startsWithIgnoreCase(tag, name)) return false;
  return tag.size() == name.size() || !std::isalnum((unsigned char)tag[name.size()]);
}

}  // namespace

std::string unescapeHtml(std::string_view text) {
  // Pages often escape their data twice ("&amp;#39;"): a second pass finishes the job.
  std::string once = unescapeOnce(text);
  return once.find('&') == std::string::npos ? once : unescapeOnce(once);
}

std::string plainTextOfHtml(std::string_view html) {
  std::string text;
  for (size_t i = 0; i < html.size(); ++i) {
    const char c = html[i];
    const size_t close = c == '<' ? html.find('>', i + 1) : std::string_view::npos;
    if (close != std::string_view::npos && i + 1 < html.size() &&
        (std::isalpha((unsigned char)html[i + 1]) || html[i + 1] == '/')) {
      std::string_view tag = html.substr(i + 1, close - i - 1);
      const bool ending = tag.starts_with('/');
      if (ending) tag.remove_prefix(1);
      if (startsTagNamed(tag, "br") ||
          (ending &&
           (startsTagNamed(tag, "p") || startsTagNamed(tag, "li") || startsTagNamed(tag, "div")))) {
        text += '\n';
      }
      i = close;
      continue;
    }
    text += c == '\r' || c == '\t' ? ' ' : c;
  }
  text = unescapeHtml(text);
  // Each line trimmed, runs of blanks made one, and no more than one empty line in a row.
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line;
    for (char ch : std::string_view(text).substr(start, end - start)) {
      if (ch == ' ' && (line.empty() || line.back() == ' ')) continue;
      line += ch;
    }
    while (line.ends_with(' ')) line.pop_back();
    if (!line.empty() || (!out.empty() && !out.ends_with("\n\n"))) out += line + "\n";
    start = end + 1;
  }
  while (out.ends_with('\n')) out.pop_back();
  return out;
}

}  // namespace savora::recipe_formats
