#include "platform/single_instance.h"

#include <QStandardPaths>
#include <QString>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zeko::platform {

std::string RuntimeFilePath(const std::string& fileName) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime != nullptr ? runtime : "";
    if (folder.empty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString();
    }
    return folder + "/" + fileName;
}

std::string SingleInstanceLock::LockPath(const std::string& name) {
    return RuntimeFilePath(name + ".lock");
}

SingleInstanceLock::SingleInstanceLock(const std::string& name) {
    // Close-on-exec, so that no program started from here keeps the lock.
    fd_ = ::open(LockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;
    int result;
    do {
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        anotherCopyRunning_ = errno == EWOULDBLOCK;
        ::close(fd_);
        fd_ = -1;
    }
}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace zeko::platform
