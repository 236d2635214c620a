#ifndef _VELMORA_URI_LIST_H
#define _VELMORA_URI_LIST_H

#include <string>
#include <string_view>
#include <vector>

namespace BPrivate {

// What a desktop's file manager hands over when files are dragged out of
// it: a "text/uri-list", one URI a line, CR LF between them, lines that
// begin with '#' comments. The local files of such a list as paths
// (percent escapes decoded); URIs of other schemes or hosts are left out.
std::vector<std::string> LocalPathsOfUriList(std::string_view list);

// A path as SDL may hand a dropped file over: already a path, or still a
// "file://" URI. Empty for a URI that names no local file.
std::string LocalPathOfDrop(std::string_view dropped);

} // namespace BPrivate

#endif
