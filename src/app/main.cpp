// savora99: the desktop recipe organizer.
#include <QApplication>
#include <clocale>

#include "app/program.h"
#include "platform/program_dirs.h"
#include "toolkit/qt_user.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Qt takes the user's locale for the C library too; numbers in tables, settings and texts are
  // written and read with a decimal point whatever the language.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("savora99"));
  savora::toolkit::QtUser user;
  return savora::app::runProgram(savora::platform::executableDirectory(), user);
}
