#include "media/media_references.h"

#include "platform/text.h"
#include "store/recipe.h"

namespace savora::media {

bool setMediaReference(store::MediaReferences& media, MediaKind kind, std::string_view path,
                       toolkit::User& user) {
  const std::string name =
      kind == MediaKind::Photo ? store::storedPhotoName(std::string(path)) : std::string(path);
  if (name.size() > store::kMediaReferenceLength) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok,
                 platform::formatText("The name of that file is too long: it may have at most "
                                      "%d characters with its folders.",
                                      int(store::kMediaReferenceLength)));
    return false;
  }
  media[size_t(kind)] = name;
  return true;
}

bool clearMediaReference(store::MediaReferences& media, MediaKind kind, toolkit::User& user) {
  std::string& name = media[size_t(kind)];
  if (name.empty()) {
    user.message("Wait!", "HAND", toolkit::Buttons::Ok,
                 store::kMediaKindTexts[size_t(kind)].nothingToRemove);
    return false;
  }
  name.clear();
  return true;
}

}  // namespace savora::media
