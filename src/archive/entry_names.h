// Names inside an archive: which entry names are safe to extract, which entries a pattern
// selects, and the entry name a file on disk is stored under.
#pragma once

#include <string>
#include <string_view>

namespace savora::archive {

// True when the name stays inside any folder it is extracted into: not empty, not absolute
// ("/x", "\\x"), no drive letter ("C:x"), and no ".." component, with both '/' and '\\' taken as
// separators (names are mapped through nativePath, which turns '\\' into '/').
bool isSafeEntryName(std::string_view name);

// Whether an extract pattern ("*.*", "cmm\\*.*") selects an entry. Wildcards follow
// platform::matchWildcard over the whole entry name, so "*.*" also selects entries in folders.
bool patternSelectsEntry(std::string_view pattern, std::string_view entryName);

// The folder part of an add pattern, with '/' separators and a trailing '/' ("cmm\\*.*" gives
// "cmm/"), or empty when the pattern names files in the current folder.
std::string folderPartOf(std::string_view pattern);

// The entry name of a file found through an add pattern: the pattern's folder part and the name
// on disk ("cmm/tip1.txt"). A folder part that is absolute, has a drive letter or climbs with ".."
// would give an entry no extraction accepts, so such files are stored under their bare name.
std::string entryNameFor(std::string_view folderPart, std::string_view fileName);

}  // namespace savora::archive
