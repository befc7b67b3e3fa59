// What follows the import of a new recipe CD's archive: the CD becomes an installed title and,
// when start-up has not done so yet, gets its title directory (the installation start-up does
// for a new CD, with its Full or Compact choice).
#pragma once

#include <string>

#include "app/app_state.h"
#include "toolkit/user.h"

namespace savora::app {

// Lists `title` as "App%d" in "SAVORA99.INI" under the CD's product number. The number's key is
// used when it is free or already names the title; a number outside "App0" to "App199" or a key
// holding another title gives the first free key instead, so no installed title is lost. Nothing
// when the title is already listed or every key is taken.
void registerInstalledTitle(long productNumber, const std::string& title);

// The follow-up itself, for the running title's CD (its "Product Number" read from the CD's
// "cdinfo.ini", 0 when missing).
void finishNewCdImport(const AppState& state, toolkit::User& user);

}  // namespace savora::app
