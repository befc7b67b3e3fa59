// The local name a download is stored under, made from the last part of the server path: up to 8
// characters before its first ".", then ".", then up to 3 characters after the path's last ".";
// a query ("?") and what follows become ".HTM". "/a/news.txt" → "news.txt",
// "/updatefile.zip" → "updatefi.zip", "/x.a?c" → "x.a.HTM".
#pragma once

#include <string>
#include <string_view>

namespace savora::online {

std::string downloadFileName(std::string_view serverPath);

}  // namespace savora::online
