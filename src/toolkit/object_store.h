// The persistent object file OBJECTS.DAT: a binary Qt resource holding one Qt Designer form per
// named window object, under ":/objects/<NAME>.ui". Opened once at start; windows are built from
// it by name.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace savora::toolkit {

class ObjectStore {
 public:
  // Registers the object file; false when it is missing or not an object file.
  static bool open(const std::string& path);
  static void close();
  static bool isOpen();
  // The names of every window object in the file, sorted.
  static std::vector<std::string> names();
  static bool contains(const std::string& name);
  // Builds the named window object, or returns null when the file has no such object.
  static QWidget* load(const std::string& name, QWidget* parent = nullptr);
};

}  // namespace savora::toolkit
