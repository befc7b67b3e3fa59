// Which wallpaper picture fills the frame for a client size: the largest of the four sizes that
// the window is at least a little larger than the next smaller one.
#pragma once

#include <string>

namespace savora::app {

struct Wallpaper {
  std::string name;  // WALL640, WALL800, WALL124 or WALL128
  int width = 0;
  int height = 0;
};

Wallpaper wallpaperFor(int clientWidth, int clientHeight);

}  // namespace savora::app
