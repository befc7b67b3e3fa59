// Pictures of windows for a person to look at after a run. Tests that draw a window hand the
// picture here; it is written only when SAVORA_SCREENSHOTS names a folder, as the `screenshots`
// build target does (cmake --build build --target screenshots writes build/screenshots/*.png).
// An ordinary test run writes nothing.
#pragma once

#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace savora::testing {

inline void keepScreenshot(const QImage& shot, const std::string& name) {
  const char* folder = std::getenv("SAVORA_SCREENSHOTS");
  if (!folder || !*folder || shot.isNull()) return;
  std::filesystem::create_directories(folder);
  shot.save(QString::fromStdString((std::filesystem::path(folder) / name).string()));
}

}  // namespace savora::testing
