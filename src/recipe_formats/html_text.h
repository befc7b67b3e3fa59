// Text as web pages carry it inside their recipe data: HTML entities ("&amp;", "&#39;",
// "&frac12;", double-escaped "&amp;#39;" too) and markup ("<p>", "<br>") turned into plain text.
// UTF-8 in and out.
#pragma once

#include <string>
#include <string_view>

namespace savora::recipe_formats {

// The text with its entities decoded; an unknown entity stays as written.
std::string unescapeHtml(std::string_view text);
// The plain text: tags dropped ("<br>" and the end of a paragraph or list item become a line
// end), entities decoded, runs of blanks made one and lines trimmed.
std::string plainTextOfHtml(std::string_view html);

}  // namespace savora::recipe_formats
