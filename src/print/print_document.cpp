#include "print/print_document.h"

#include "print/nutrition_label.h"

namespace savora::print {

namespace {

constexpr const char* kIndent = "     ";

void printTitle(PageWriter& pen, const std::string& title) {
  pen.useFont(Font::Title);
  pen.centred(title);
  pen.lineDown(pen.settings().reduceSpace ? 1 : 2);
  pen.useFont(Font::Body);
}

}  // namespace

void printDocument(PageWriter& pen, const PrintDocument& document) {
  printTitle(pen, document.title);
  for (const PrintGroup& group : document.groups) {
    pen.useFont(Font::BodyBold);
    pen.textAtLeft((document.indentHeadings ? kIndent : "") + group.heading);
    pen.useFont(Font::Body);
    pen.lineDown();
    for (const std::string& item : group.items) {
      pen.textAtLeft((document.indentHeadings ? "" : kIndent) + item);
      pen.lineDown();
    }
  }
  const PrintSettings& s = pen.settings();
  if (document.totals && s.printNutrition && !s.onCards())
    printNutritionLabel(pen, *document.totals);
}

std::string documentText(const PrintDocument& document, bool withLabel) {
  std::string text = document.title + "\n";
  for (const PrintGroup& group : document.groups) {
    text += (document.indentHeadings ? kIndent : "") + group.heading + "\n";
    for (const std::string& item : group.items)
      text += (document.indentHeadings ? "" : kIndent) + item + "\n";
  }
  if (withLabel && document.totals) text += nutritionLabelText(*document.totals);
  return text;
}

void printTextPage(PageWriter& pen, const std::string& title, const std::string& text) {
  printTitle(pen, title);
  pen.wrap(text);
  pen.lineDown();
}

std::string textPageText(const std::string& title, const std::string& text) {
  return title + "\n\n" + text;
}

}  // namespace savora::print
