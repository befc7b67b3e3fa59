#include "media/media_lookup.h"

#include "platform/file_ops.h"
#include "platform/text.h"

namespace savora::media {
namespace {

constexpr size_t kCopyBlockSize = 5000;

bool opensForReading(const std::string& name) {
  return !name.empty() && platform::fileExists(name) && !platform::isFolder(name);
}

std::string withEnding(const std::string& name, const char* ending) {
  return name.substr(0, name.size() - 3) + ending;
}

// Tested first as a photo ("%s.BMP"), then under its own name (which may become "….wmv").
bool photoOrFileExists(std::string& name) {
  return mediaExists(name, true) || mediaExists(name, false);
}

std::string after(const std::string& name, size_t count) {
  return name.size() > count ? name.substr(count) : std::string();
}

}  // namespace

bool mediaExists(std::string& name, bool photo) {
  if (photo) return opensForReading(name + ".BMP");
  if (opensForReading(name)) return true;
  if (!platform::endsWithIgnoreCase(name, "mpg")) return false;
  const std::string wmv = withEnding(name, "wmv");
  if (!opensForReading(wmv)) return false;
  name = wmv;
  return true;
}

std::string missingVideoMessage(std::string_view pictureMessage) {
  constexpr std::string_view kPicture = "picture.";
  std::string message(pictureMessage);
  if (platform::endsWithIgnoreCase(message, kPicture))
    message.replace(message.size() - kPicture.size(), kPicture.size(), "video clip");
  return message;
}

bool copyMediaFile(std::string_view from, std::string_view to) {
  return platform::copyFile(from, to, kCopyBlockSize);
}

MediaLookup::MediaLookup(MediaPlaces places, std::vector<MediaTitle> titles,
                         std::vector<std::string> collectionTitles)
    : places_(std::move(places)),
      titles_(std::move(titles)),
      collections_(std::move(collectionTitles)) {}

const MediaTitle* MediaLookup::titleOf(std::string_view name) const {
  if (name.size() < kMediaPrefixLength) return nullptr;
  const std::string_view prefix = name.substr(0, kMediaPrefixLength);
  for (const MediaTitle& title : titles_) {
    if (platform::equalsIgnoreCase(title.prefix, prefix)) return &title;
  }
  return nullptr;
}

std::string MediaLookup::findTitleMedia(const MediaTitle& title, const std::string& name) const {
  const std::vector<std::string>& collections =
      title.ownCollections ? title.collections : collections_;
  const std::string& program = places_.programDirectory;
  const std::string cd = places_.cdDrive ? std::string(1, places_.cdDrive) + ":" : std::string();
  const std::string rest = after(name, kMediaPrefixLength);

  std::vector<std::string> pictures{program + title.title + "\\pictures\\" + rest};
  if (!cd.empty()) pictures.push_back(cd + "\\pictures\\" + rest);
  for (const std::string& collection : collections)
    pictures.push_back(program + collection + "\\pictures\\" + rest);
  if (!cd.empty()) pictures.push_back(cd + "\\catalog\\" + title.title + "\\pictures\\" + rest);
  for (std::string& candidate : pictures) {
    if (photoOrFileExists(candidate)) return candidate;
  }

  // Tip videos name their file after the first 15 characters and are never photos.
  const std::string tip = after(name, kTipNamePrefixLength);
  if (tip.empty()) return {};
  std::vector<std::string> tips{program + title.title + "\\tips\\" + tip};
  if (!cd.empty()) tips.push_back(cd + "\\tips\\" + tip);
  for (const std::string& collection : collections)
    tips.push_back(program + collection + "\\tips\\" + tip);
  for (std::string& candidate : tips) {
    if (mediaExists(candidate, false)) return candidate;
  }
  return {};
}

std::string MediaLookup::resolveOnce(const std::string& name) {
  const MediaTitle* title = titleOf(name);
  if (!title) return name;
  if (std::string found = findTitleMedia(*title, name); !found.empty()) return found;
  missingMessage_ =
      platform::formatText("Insert the %s CD to view this picture.", title->title.c_str());
  return name;
}

std::string MediaLookup::resolve(std::string_view storedName) {
  std::string name(storedName.substr(0, kMaxMediaNameLength));
  if (places_.digital) {
    // Everything the digital edition has lives in its own "pictures" folder. A name that is not
    // there (a user's own photo) keeps its own path rather than a cut-off one.
    std::string candidate =
        places_.programDirectory + "pictures\\" + after(name, kMediaPrefixLength);
    if (name.size() > kMediaPrefixLength && photoOrFileExists(candidate)) return candidate;
    photoOrFileExists(name);
    return name;
  }
  missingMessage_.clear();
  std::string result = resolveOnce(name);
  if (photoOrFileExists(result)) return result;
  // Nothing found: the stored name itself, or its other video format when only that exists.
  photoOrFileExists(name);
  return name;
}

std::string photoFile(MediaLookup& lookup, std::string_view storedName) {
  std::string path = lookup.resolve(storedName);
  if (mediaExists(path, true)) return path + ".BMP";
  if (mediaExists(path, false)) return path;
  return {};
}

}  // namespace savora::media
