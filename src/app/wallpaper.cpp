#include "app/wallpaper.h"

namespace savora::app {

Wallpaper wallpaperFor(int w, int h) {
  if (w >= 1051 || h >= 801) return {"WALL128", 1280, 1024};
  if (w >= 851 || h >= 651) return {"WALL124", 1024, 768};
  if (w >= 701 || h >= 551) return {"WALL800", 800, 600};
  return {"WALL640", 640, 480};
}

}  // namespace savora::app
