#include "online/download_file_name.h"

namespace savora::online {

std::string downloadFileName(std::string_view serverPath) {
  const size_t slash = serverPath.rfind('/');
  const std::string_view lastPart =
      slash == std::string_view::npos ? serverPath : serverPath.substr(slash + 1);
  std::string name(lastPart.substr(0, std::min(lastPart.find('.'), size_t{8})));
  name += '.';
  const size_t dot = serverPath.rfind('.');
  if (dot != std::string_view::npos) name += serverPath.substr(dot + 1, 3);
  const size_t query = name.find('?');
  if (query != std::string::npos) name.replace(query, std::string::npos, ".HTM");
  return name;
}

}  // namespace savora::online
