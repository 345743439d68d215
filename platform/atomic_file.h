// Replacing a file's content so that the old content stays whole until the
// new one is completely on disk: the content goes to a new file beside it,
// which then takes the old one's place.
#pragma once

#include <cstddef>
#include <functional>
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

// The three steps of a replacement that put data on disk, each with the
// meaning and result of its system call (write, fsync, rename), so that tests
// can make any one of them fail.
struct FileCalls {
    std::function<long(int fd, const char* data, std::size_t size)> Write;
    std::function<int(int fd)> Flush;
    std::function<int(const char* from, const char* to)> Rename;
};

// The system's own calls.
const FileCalls& SystemFileCalls();

bool ReplaceFileContent(const std::string& path, std::string_view content, unsigned newFileMode,
                        const FileCalls& calls);

}  // namespace zeko::platform
