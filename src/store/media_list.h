// Media list files: the pictures, sounds and videos of books, chapters, categories and menus.
// A media list is a small text file in the folder "cmm" of the program directory (exchange
// copies in "cxp") holding three lines, each ended by "\n": the picture (".bmp"), the sound
// (".wav") and the video (".mpg") reference. Records store only the file's name.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace savora::store {

inline constexpr const char* kMediaListFolder = "cmm";
inline constexpr const char* kExchangeMediaListFolder = "cxp";

using MediaReferences = std::array<std::string, 3>;  // picture, sound, video

// Adding and removing a photo, sound or video (of a recipe, book, chapter, category or menu):
// the file dialog's title and filter and the message when there is none to remove, in
// MediaReferences order.
struct MediaKindTexts {
  const char* dialogTitle;
  const char* filter;
  const char* nothingToRemove;
};
inline constexpr MediaKindTexts kMediaKindTexts[] = {
    {"Add Photo...", "Bitmap Files (*.bmp)", "There is no photo to remove."},
    {"Add Sound...", "Audio Files (*.wav)", "There is no sound to remove."},
    {"Add Video...", "MPEG Video Files (*.mpg)", "There is no video to remove."},
};

// A chosen photo is stored without its ".bmp" (any letter case); it is shown from "<name>.BMP".
std::string storedPhotoName(std::string path);

// The file name a stored reference names: what follows its last backslash (or slash). Empty
// for an empty reference and for "." and "..", which name no file in the folder.
std::string mediaListFileName(std::string_view stored);

// The first three lines of the list (each cut to 259 characters, a trailing "\r" dropped); three
// empty references when the name is empty or the file cannot be read.
MediaReferences readMediaList(std::string_view name, std::string_view folder = kMediaListFolder);

// Writes the references to the list `name` and returns the name to store: a list with all three
// references empty is deleted and gives ""; an empty `name` gets a new file with a unique name
// in the folder (created when missing). Nothing when the file cannot be written, so that a
// record never names a list that was not saved.
std::optional<std::string> writeMediaList(std::string_view name, const MediaReferences& media,
                                          std::string_view folder = kMediaListFolder);

}  // namespace savora::store
