// Turning a stored media name (a recipe's, book's or menu's photo, sound or video) into the path
// of a file on this computer. Names that came with the maker's content carry the path they had on
// the authoring machine: a 9-character prefix "C:\" + 5-letter title code + "\"; those are looked
// for in the title's directory, on the CD, in collection titles and in the CD's catalogue.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace savora::media {

// Where media can be: the program directory (ends with a separator), the CD drive letter (0 when
// unknown) and the digital flag (all media live in the program directory).
struct MediaPlaces {
  std::string programDirectory;
  char cdDrive = 0;
  bool digital = false;
};

// One row of the title table: an authoring prefix (compared ignoring case) and the title whose
// directory holds its media. A row with its own collection list searches that list instead of
// the common one.
struct MediaTitle {
  std::string prefix;  // 9 characters, e.g. "C:\\ABCDE\\"
  std::string title;
  bool ownCollections = false;
  std::vector<std::string> collections;
};

inline constexpr size_t kMediaPrefixLength = 9;
// Tip videos keep their file name after this many characters.
inline constexpr size_t kTipNamePrefixLength = 15;
inline constexpr size_t kMaxMediaNameLength = 259;

// True when the media file opens for reading: as "<name>.BMP" for a photo (stored without its
// extension), else as `name`. A video "….mpg" that is missing is looked for as "….wmv"; when
// that exists `name` is changed to it, otherwise it keeps "mpg".
bool mediaExists(std::string& name, bool photo);
inline bool mediaExists(const std::string& name, bool photo) {
  std::string copy = name;
  return mediaExists(copy, photo);
}

// The missing-video form of a missing-picture message: its last word "picture." becomes "video
// clip". Empty stays empty.
std::string missingVideoMessage(std::string_view pictureMessage);

// Copies a file in blocks of 5000 bytes, creating or emptying the target. False when it failed
// (no partial target is left).
bool copyMediaFile(std::string_view from, std::string_view to);

class MediaLookup {
 public:
  // Both tables may be empty: names then resolve to themselves.
  explicit MediaLookup(MediaPlaces places, std::vector<MediaTitle> titles = {},
                       std::vector<std::string> collectionTitles = {});

  // The path to use for a stored name: the first existing candidate, or the name itself (cut to
  // 259 characters) when none exists; callers test the result with mediaExists. Sets the
  // missing-picture message when a known title's media was found nowhere.
  std::string resolve(std::string_view storedName);
  // "Insert the %s CD to view this picture." after the last resolve found nothing for a known
  // title; empty otherwise.
  const std::string& missingPictureMessage() const { return missingMessage_; }

 private:
  const MediaTitle* titleOf(std::string_view name) const;
  std::string resolveOnce(const std::string& name);
  // The first existing candidate for a known title's media name, or "".
  std::string findTitleMedia(const MediaTitle& title, const std::string& name) const;

  MediaPlaces places_;
  std::vector<MediaTitle> titles_;
  std::vector<std::string> collections_;
  std::string missingMessage_;
};

// The image file that shows a stored photo: "<found>.BMP", or the found name itself when the
// reference kept its extension; empty when neither exists, and the lookup's missing-picture
// message then names the CD to insert, when it knows one.
std::string photoFile(MediaLookup& lookup, std::string_view storedName);

}  // namespace savora::media
