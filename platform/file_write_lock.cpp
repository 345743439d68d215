#include "platform/file_write_lock.h"

#include <cerrno>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zeko::platform {

namespace {

constexpr std::chrono::milliseconds kRetryPause{5};
constexpr mode_t kLockFileMode = 0666;  // the umask decides, as for the file

std::string LockFileOf(const std::string& target) {
    const std::filesystem::path path(target);
    return (path.parent_path() / std::string(".").append(path.filename().string()).append(".lock"))
        .string();
}

}  // namespace

FileWriteLock::FileWriteLock(std::string target, std::chrono::milliseconds patience)
    : target_(std::move(target)) {
    const std::string lockFile = LockFileOf(target_);
    // Close-on-exec, so that no program started meanwhile keeps the lock.
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kLockFileMode);
    // Another user's lock file: an flock needs no write access.
    if (fd < 0 && errno == EACCES) fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(kRetryPause);
    }
    ::close(fd);
}

FileWriteLock::~FileWriteLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace zeko::platform
