// The test for another running copy of the program: an exclusive lock on a
// file in the user's runtime folder, held for the life of the program. The
// system drops the lock when the process ends, however it ends, so a lock file
// left behind by a crash never blocks the next start.
#pragma once

#include <string>

namespace zeko::platform {

// A file of the program's in the user's runtime folder ($XDG_RUNTIME_DIR, or
// Qt's fallback for it).
std::string RuntimeFilePath(const std::string& fileName);

class SingleInstanceLock {
  public:
    // Takes the lock on $XDG_RUNTIME_DIR/<name>.lock.
    explicit SingleInstanceLock(const std::string& name);
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

    // True only when another process holds the lock. A lock that cannot be
    // made at all (no runtime folder, no room) lets the program start.
    bool AnotherCopyRunning() const { return anotherCopyRunning_; }

    static std::string LockPath(const std::string& name);

  private:
    int fd_ = -1;
    bool anotherCopyRunning_ = false;
};

}  // namespace zeko::platform
