// Help: the help file (SAVORA.HLP, a binary resource of HTML pages under ":/help") shown in one
// help window, opened at a context number, at its contents, or at its search.
//
// Pages: ":/help/contents.html", and "<context>.html" for each help context; a context without a
// page of its own opens the contents.
#pragma once

#include <string>
#include <vector>

class QTextBrowser;
class QLineEdit;
class QListWidget;
class QWidget;

namespace savora::toolkit {

class HelpSystem {
 public:
  // Registers the help file; false when it cannot be read.
  static bool install(const std::string& helpFile);
  static void uninstall();
  static bool isInstalled();

  static void showContext(int context);
  static void showContents();
  // Opens the search page; with words, lists the pages that contain all of them.
  static void showSearch(const std::string& words = {});

  // The help window while it exists, and what it shows (for tests).
  static QWidget* window();
  static std::string currentPage();
  static int searchResultCount();
  // The pages the last search found ("/help/<name>.html"), and what it said about them.
  static std::vector<std::string> searchResultPages();
  static std::string searchNote();
};

}  // namespace savora::toolkit
