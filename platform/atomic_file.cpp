#include "platform/atomic_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeko::platform {

namespace {

bool WriteAll(const FileCalls& calls, int fd, std::string_view content) {
    while (!content.empty()) {
        const long written = calls.Write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        // A short write is followed by another attempt, which reports the
        // error (a full disk, a size limit) instead of passing it over.
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

const FileCalls& SystemFileCalls() {
    static const FileCalls calls{
        [](int fd, const char* data, std::size_t size) -> long { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); }};
    return calls;
}

bool ReplaceFileContent(const std::string& path, std::string_view content, unsigned newFileMode) {
    return ReplaceFileContent(path, content, newFileMode, SystemFileCalls());
}

bool ReplaceFileContent(const std::string& path, std::string_view content, unsigned newFileMode,
                        const FileCalls& calls) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target(path);
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (error) return false;
        target = resolved;
    }
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), error);
        if (error) return false;
    }

    std::string pattern = target.string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;

    struct stat old {};
    const mode_t mode =
        ::stat(target.c_str(), &old) == 0 ? old.st_mode & 07777 : static_cast<mode_t>(newFileMode);
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(calls, fd, content) && calls.Flush(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && calls.Rename(name.data(), target.c_str()) == 0;
    if (!ok) ::unlink(name.data());
    return ok;
}

}  // namespace zeko::platform
