// What a program window needs of its window object: the children it uses, by name or numeric
// identifier, and their kind. A window resolves its spec when it is built; the object-file test
// resolves every spec against OBJECTS.DAT, so a renamed or retyped widget is caught at once.
#pragma once

#include <string>
#include <vector>

namespace savora::toolkit {

enum class ObjectKind {
  Any,
  Button,
  MenuItem,
  String,
  Text,
  Prompt,
  Picture,
  List,
  Combo,
  Notebook,
  ToolBar,
  PopUpMenu
};

struct ChildSpec {
  std::string name;  // empty when the child is found by numid
  int numid = 0;
  ObjectKind kind = ObjectKind::Any;
};

struct WindowSpec {
  std::string resource;  // the window object's name in OBJECTS.DAT
  std::vector<ChildSpec> children;
};

}  // namespace savora::toolkit
