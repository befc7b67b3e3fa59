#include "app/tip_files.h"

#include "media/media_lookup.h"
#include "platform/text.h"

namespace savora::app {
namespace {

// The first of the names that exists as a video (an ".MPG" may be found as its ".wmv").
std::string firstVideo(std::initializer_list<std::string> names) {
  for (std::string name : names) {
    if (!name.empty() && media::mediaExists(name, false)) return name;
  }
  return {};
}

}  // namespace

std::string findIntroVideo(const AppState& state) {
  if (state.digital) return firstVideo({state.programDirectory + "INTRO.MPG"});
  return firstVideo({state.titleDirectory() + "\\INTRO.MPG", state.onCd("\\INTRO.MPG")});
}

std::string findTipVideo(const AppState& state, long tip) {
  if (tip < 1) return {};
  const std::string file = platform::formatText("TIPS\\TIP%ld.MPG", tip);
  const std::string program = state.programDirectory + file;
  const std::string title = state.titleDirectory() + "\\" + file;
  const std::string cd = state.onCd("\\" + file);
  return state.digital ? firstVideo({program, title, cd}) : firstVideo({title, program, cd});
}

std::string findFortunePicture(const AppState& state) {
  const std::string candidates[] = {
      state.digital ? state.programDirectory + "pictures\\fortune"
                    : state.onCd("\\pictures\\fortune"),
      state.digital ? std::string() : state.titleDirectory() + "\\pictures\\fortune"};
  for (const std::string& name : candidates) {
    if (!name.empty() && media::mediaExists(name, true)) return name;
  }
  return {};
}

std::string pickNextTip(const AppState& state, long& counter, bool askBeforeRepeating,
                        toolkit::User& user) {
  const long tip = counter < 1 ? 1 : counter;
  if (std::string file = findTipVideo(state, tip); !file.empty()) {
    counter = tip + 1;
    return file;
  }
  // The tip before the missing one exists: every tip has been seen. So have they when the
  // counter ran past the last tip (it was counted for a title with more tips): without this the
  // tips would stay silent for good.
  const bool seenAll =
      !findTipVideo(state, tip - 1).empty() || (tip > 2 && !findTipVideo(state, 1).empty());
  if (!seenAll) return {};
  counter = tip - 1;
  const toolkit::Button answer =
      askBeforeRepeating
          ? user.message("No More Tips", "INFORMATION", toolkit::Buttons::YesNo,
                         "You have seen all the tips.\r\n\r\nWould you like to see them again?")
          : toolkit::Button::Yes;
  if (answer != toolkit::Button::Yes) {
    counter = 0;
    return {};
  }
  std::string first = findTipVideo(state, 1);
  if (first.empty()) {
    user.message("Tip Files Not Found", "HAND", toolkit::Buttons::Ok, "Unable to find tips files.");
    return {};
  }
  counter = 2;
  return first;
}

}  // namespace savora::app
