// The intro and the tips.
#include "app/registration.h"

#include "app/main_window.h"
#include "app/shared_tables.h"
#include "app/tips_window.h"
#include "codes/program_codes.h"

namespace savora::app {

using namespace savora::toolkit;

// The intro and the tips play in the TIPS window.
void registerTips(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  const TipsServices services{run.state, run.settings, &tables.recipes()};
  main.registerCommand(codes::kShowIntro, [services, &user](const UI_EVENT&) {
    openTipsWindow({TipsMode::Intro, {}, {}}, services, user);
  });
  main.registerCommand(codes::kShowTips, [services, &user](const UI_EVENT& event) {
    TipsWindow* window = openTipsWindow({TipsMode::Tips, {}, {}}, services, user);
    // The tip shown at start-up stays the next one until the user moves on with Next.
    if (event.values[0] == kAtStartUp && window->hasVideo() && services.settings.tipCounter > 1) {
      --services.settings.tipCounter;
      window->keepStartUpTip();
    }
  });
}

}  // namespace savora::app
