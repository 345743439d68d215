// Replacing a file's content so that the old content stays whole until the
// new one is completely on disk: the content goes to a new file beside it,
// which then takes the old one's place.
#pragma once

#include <string>
#include <string_view>

namespace zeko::platform {

// Writes `content` to `path`, creating the folders on the way. A symbolic
// link is followed, so the file it points to is the one replaced. Returns
// false, with the old file untouched, when any step fails (no room, no
// permission, a folder in the way). The file keeps its permissions; a new
// one gets `newFileMode`.
bool ReplaceFileContent(const std::string& path, std::string_view content,
                        unsigned newFileMode = 0644);

}  // namespace zeko::platform
