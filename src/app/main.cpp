// savora99: the desktop recipe organizer.
#include <QApplication>
#include <clocale>
#include <cstdio>

#include "app/command_line.h"
#include "app/installed_titles.h"
#include "app/program.h"
#include "platform/data_folder.h"
#include "toolkit/qt_user.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt takes the user's locale for the C library too; numbers in tables, settings and texts are
  // written and read with a decimal point whatever the language.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("savora99"));
  // Matches the launcher, so the desktop shows the window with its icon.
  QApplication::setDesktopFileName(QStringLiteral("org.savora99.Savora99"));

  // QApplication took its own options out of argv.
  const savora::app::CommandLine line =
      savora::app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!line.error.empty()) {
    std::fprintf(stderr, "savora99: %s\n%s", line.error.c_str(),
                 savora::app::commandLineHelp().c_str());
    return 2;
  }
  if (line.help || line.version) {
    std::fputs(line.help ? savora::app::commandLineHelp().c_str() : "", stdout);
    if (line.version) std::printf("savora99 %s\n", savora::app::kVersionText);
    return 0;
  }
  const savora::platform::ProgramFolders folders = savora::platform::chooseProgramFolders(
      savora::platform::thisProcessFolderInputs(line.dataFolder));
  std::string problem;
  if (!savora::platform::createDataFolder(folders.data, problem)) {
    std::fprintf(stderr, "savora99: cannot create the data folder %s: %s\n", folders.data.c_str(),
                 problem.c_str());
    return 1;
  }
  savora::toolkit::QtUser user;
  return savora::app::runProgram(folders, user, line.files);
}
