// Replacing a file's content so that the old content stays whole until the
// new one is completely on disk: the content goes to a new file beside it,
// which then takes the old one's place.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zeko::platform {

class FileWriteLock;

// Writes `content` to `path`, creating the folders on the way. A symbolic
// link is followed, so the file it points to is the one replaced. Returns
// false, with the old file untouched, when any step fails (no room, no
// permission, a folder in the way). The file keeps its permissions; a new
// one gets `newFileMode`.
bool ReplaceFileContent(const std::string& path, std::string_view content,
                        unsigned newFileMode = 0644);

// The steps of a replacement that put data on disk, each with the meaning
// and result of its system call (write, fsync, rename, and the open of an
// unnamed file in a folder), so that tests can make any one of them fail.
struct FileCalls {
    std::function<long(int fd, const char* data, std::size_t size)> Write;
    std::function<int(int fd)> Flush;
    std::function<int(const char* from, const char* to)> Rename;
    std::function<int(const char* folder, unsigned mode)> OpenUnnamed;
};

// The system's own calls.
const FileCalls& SystemFileCalls();

bool ReplaceFileContent(const std::string& path, std::string_view content, unsigned newFileMode,
                        const FileCalls& calls);

// The file that a write to `path` puts in place: symbolic links followed to
// their end, also when the last one names a file not there yet. Empty for a
// loop of links.
std::string WriteTarget(const std::string& path);

// Replaces the first head.size() bytes of the locked file, or makes it; what
// the old file holds beyond them stays, holes included. The new copy has no
// name until it is complete where the file system allows; elsewhere it is
// ".NAME.new", which the next holder of the lock removes if its writer died.
// Runs of zero bytes become holes. False, with the file untouched, when any
// step fails.
bool ReplaceFileStart(const FileWriteLock& lock, std::string_view head, unsigned newFileMode,
                      const FileCalls& calls);

}  // namespace zeko::platform
