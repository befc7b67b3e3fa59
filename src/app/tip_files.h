// The videos and the picture of the tips window: where the intro, the numbered tips and the
// fortune picture are, and which tip plays next.
#pragma once

#include <string>

#include "app/app_state.h"
#include "toolkit/user.h"

namespace savora::app {

// The tip counter shows the fortune picture when it reaches this (while tip 14 plays).
inline constexpr long kFortuneTip = 15;

// The intro video: "%sINTRO.MPG" in the program directory for the digital edition, otherwise
// "INTRO.MPG" in the title directory and then on the CD. Either may be a ".wmv" instead. "" when
// there is none.
std::string findIntroVideo(const AppState& state);
// Tip n: "TIPS\\TIP%d.MPG" in the program directory and in the title directory (the program
// directory first in the digital edition), then on the CD. "" when there is none.
std::string findTipVideo(const AppState& state, long tip);
// The fortune photo (a name without its ".BMP"): in the program directory for the digital
// edition, otherwise on the CD and then in the title directory. "" when there is none.
std::string findFortunePicture(const AppState& state);

// Picks the video of the next tip and advances `counter` past it. After the last tip it starts
// over at tip 1, asking first when `askBeforeRepeating` (No turns the tips off: counter 0).
// Returns "" when nothing is to play; the window then closes. A counter below 1 (tips turned off
// at start-up) starts at tip 1, so asking for tips always plays one.
std::string pickNextTip(const AppState& state, long& counter, bool askBeforeRepeating,
                        toolkit::User& user);

}  // namespace savora::app
