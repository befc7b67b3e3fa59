// Which content title to run: the installed titles of "SAVORA99.INI" in the Windows directory,
// the title last run ("lastApp" in the program directory) and the choice between them at start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace savora::app {

inline constexpr const char* kInstalledTitlesFileName = "SAVORA99.INI";
inline constexpr const char* kLastTitleFileName = "lastApp";
// The title written as the only installed title when an installation lists none.
inline constexpr const char* kFallbackInstalledTitle = "Savora 2000";
// The title run when neither a CD, "lastApp" nor an installed title names one.
inline constexpr const char* kUnnamedTitle = "Savora 99";
inline constexpr const char* kVersionText = "6.998";

inline constexpr int kMaxInstalledTitles = 200;  // keys "App0" to "App199"
inline constexpr size_t kMaxInstalledTitleLength = 200;
inline constexpr size_t kMaxLastTitleBytes = 500;  // read back from "lastApp"
inline constexpr size_t kMaxTitleLength = 260;

// Native path of "SAVORA99.INI".
std::string installedTitlesPath();

// The non-empty values of "App0" to "App199" of section "General", in key order (not file
// order), each cut to 200 characters. Read only when "App Path" is set and names an existing
// path; when it does but no title is listed, "Savora 2000" is written as "App0" and returned as
// the only title.
std::vector<std::string> readInstalledTitles();

// Whether `title` is among the "App%d" values (ignoring case), whatever "App Path" says.
bool isInstalledTitle(std::string_view title);

// Writes "Version" = "6.998" into section "General", keeping the rest of the file.
[[nodiscard]] bool writeInstalledVersion();

// The title to run. A CD title (empty when the CD has no "cdinfo.ini") is run as it is. Without
// one, the last title is used, an empty one standing for the first listed title; when it is in
// `titles` (ignoring case), the next listed title is taken instead, wrapping from the last to the
// first, so successive starts cycle through the installed titles. An empty result becomes
// "Savora 99", since the title names the title directory and the main window.
std::string chooseTitle(const std::string& cdTitle, const std::string& lastTitle,
                        const std::vector<std::string>& titles);

// The title in "lastApp": its first 500 bytes up to the first line break or NUL, cut to 260
// characters; empty when the file is missing.
std::string readLastTitle();
// Creates "lastApp" new with the bare title (no line end).
[[nodiscard]] bool writeLastTitle(const std::string& title);

}  // namespace savora::app
