// Editing the photo, sound and video references of a recipe, book, chapter, category or menu:
// what a chosen file is stored as, and clearing one. Refusals are told to the user.
#pragma once

#include <string_view>

#include "store/media_list.h"
#include "toolkit/user.h"

namespace savora::media {

// The references in store::MediaReferences order.
enum class MediaKind { Photo = 0, Sound = 1, Video = 2 };

// Makes the chosen file the reference of `kind`; a photo is kept without its ".bmp". False
// (after telling the user) for a name longer than a reference holds: a cut name would point
// nowhere.
bool setMediaReference(store::MediaReferences& media, MediaKind kind, std::string_view path,
                       toolkit::User& user);

// Clears the reference of `kind`; false (after telling the user) when none is set.
bool clearMediaReference(store::MediaReferences& media, MediaKind kind, toolkit::User& user);

}  // namespace savora::media
