// One writer at a time for a file that is replaced by renaming a new copy
// over it: an flock on a lock file beside it (".NAME.lock"), which the
// renames leave alone. The lock ends with its holder, also one that is
// killed, so the lock file left on disk never blocks a later writer.
#pragma once

#include <chrono>
#include <string>

namespace zeko::platform {

class FileWriteLock {
  public:
    // Waits up to `patience` for the lock of `target`, a path whose links
    // have been followed (WriteTarget), so that every name of the file
    // shares one lock.
    FileWriteLock(std::string target, std::chrono::milliseconds patience);
    ~FileWriteLock();
    FileWriteLock(const FileWriteLock&) = delete;
    FileWriteLock& operator=(const FileWriteLock&) = delete;

    bool Held() const { return fd_ >= 0; }
    const std::string& Target() const { return target_; }

  private:
    std::string target_;
    int fd_ = -1;
};

}  // namespace zeko::platform
