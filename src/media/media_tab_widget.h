// The photo, sound and video tab that recipe, information and menu windows share: shows the photo
// and the names of the three files, adds a file chosen in the open-file dialog, removes one, and
// plays the sound and the video. Adding and removing answer the common commands of
// codes/program_codes.h, playing the window's own play commands.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/media_lookup.h"
#include "media/media_references.h"
#include "store/media_list.h"
#include "toolkit/media_player.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"

namespace savora::media {

// The window objects the tab drives, by name; the window's spec lists each of them.
struct MediaTabObjects {
  std::string picture = "PICTURE";
  // Each names its file, or says "(none)".
  std::array<std::string, 3> names{"PHOTO_NAME", "SOUND_NAME", "VIDEO_NAME"};
  std::string playSound = "PLAY_SOUND";
  // The commands the window's play buttons send (its own numbers); 0 for a button it lacks.
  int playSoundEvent = 0;
  int playVideoEvent = 0;
  // Shown only while a video is set: the play buttons, and the area a player shows it in.
  std::vector<std::string> videoObjects;
  // Says why a set photo cannot be found; empty: the picture says it.
  std::string missingPhoto;
  // Pressed, the photo fills the width of `pictureScroll`; not pressed, it has its own size.
  // Without a zoom button, a photo larger than `photoBox` pixels square is made smaller to fit
  // (0: never).
  std::string zoomButton;
  std::string pictureScroll;
  int photoBox = 0;
};

struct MediaTabHooks {
  // A reference was added, replaced or removed.
  std::function<void()> changed;
  // Plays a found video somewhere else (the video window); null: the tab's player plays it.
  std::function<void(const std::string& path)> playVideo;
};

class MediaTab {
 public:
  // Edits `media`; `window` and `media` outlive the tab. Files are chosen starting in the program
  // directory and stay where they are: the references name them there.
  MediaTab(toolkit::UIW_WINDOW& window, MediaTabObjects objects, store::MediaReferences& media,
           toolkit::User& user, MediaLookup lookup, std::unique_ptr<toolkit::MediaPlayer> player,
           MediaTabHooks hooks = {});
  ~MediaTab();
  MediaTab(const MediaTab&) = delete;
  MediaTab& operator=(const MediaTab&) = delete;

  // Adds, removes or plays for the add and remove commands and the window's play commands; false
  // for every other event.
  bool handle(int event);
  // Shows the references as they are now: after others were loaded, or the zoom button changed.
  void show();
  // Plays the sound or the video when its file is found; a photo is not played.
  void play(MediaKind kind);
  // Stops and closes whatever the player has open.
  void stop();

 private:
  void add(MediaKind kind);
  void remove(MediaKind kind);
  void showPhoto();
  bool showImage(toolkit::UIW_PICTURE& picture, const std::string& file);
  int zoomWidth();
  // The reference changed: what the player holds of it stops, the window hears of it.
  void changed(MediaKind kind);

  toolkit::UIW_WINDOW& window_;
  MediaTabObjects objects_;
  store::MediaReferences& media_;
  toolkit::User& user_;
  MediaLookup lookup_;
  std::unique_ptr<toolkit::MediaPlayer> player_;
  MediaTabHooks hooks_;
  std::optional<MediaKind> inPlayer_;  // what the player has open
};

}  // namespace savora::media
