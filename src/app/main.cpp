// savora99: the desktop recipe organizer.
#include <QApplication>

#include "app/program.h"
#include "platform/program_dirs.h"
#include "toolkit/qt_user.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("savora99"));
  savora::toolkit::QtUser user;
  return savora::app::runProgram(savora::platform::executableDirectory(), user);
}
