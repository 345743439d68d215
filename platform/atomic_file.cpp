#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_write_lock.h"

namespace zeko::platform {

namespace {

namespace fs = std::filesystem;

constexpr int kMostLinks = 40;             // as the kernel's own limit
constexpr std::size_t kHolePiece = 4096;   // the file systems' block
constexpr std::size_t kCopyPiece = 65536;  // a tail is copied in pieces

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

// `content` from the descriptor's offset on, skipping whole pieces of zeros.
bool WriteSparse(const FileCalls& calls, int fd, std::string_view content) {
    while (!content.empty()) {
        std::size_t run = 0;
        bool zeros = true;
        while (run < content.size()) {
            const std::string_view piece = content.substr(run, kHolePiece);
            const bool pieceZeros = piece.find_first_not_of('\0') == std::string_view::npos;
            if (run > 0 && pieceZeros != zeros) break;
            zeros = pieceZeros;
            run += piece.size();
        }
        if (zeros ? ::lseek(fd, static_cast<off_t>(run), SEEK_CUR) < 0
                  : !WriteAll(calls, fd, content.substr(0, run)))
            return false;
        content.remove_prefix(run);
    }
    return true;
}

// The bytes of `from` past `start` at the same places in `to`, its data
// only: holes stay holes.
bool CopyTail(const FileCalls& calls, int from, int to, off_t start, off_t end) {
    std::vector<char> buffer(kCopyPiece);
    for (off_t at = start; at < end;) {
        off_t data = ::lseek(from, at, SEEK_DATA);
        if (data < 0 && errno == ENXIO) return true;  // holes to the end
        if (data < 0) data = at;                      // a file system without holes
        off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0) hole = end;
        if (::lseek(to, data, SEEK_SET) < 0) return false;
        for (at = data; at < hole;) {
            const auto want = static_cast<std::size_t>(
                std::min<off_t>(hole - at, static_cast<off_t>(buffer.size())));
            const ssize_t got = ::pread(from, buffer.data(), want, at);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            if (!WriteAll(calls, to,
                          std::string_view(buffer.data(), static_cast<std::size_t>(got))))
                return false;
            at += got;
        }
    }
    return true;
}

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Close() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    int fd_;
};

std::string SpareName(const fs::path& target) {
    return (target.parent_path() /
            std::string(".").append(target.filename().string()).append(".new"))
        .string();
}

// The new copy of `target` complete in `fd`: head, the old tail, the size.
bool FillCopy(const FileCalls& calls, int fd, std::string_view head, int old, off_t oldSize,
              mode_t mode) {
    const auto headSize = static_cast<off_t>(head.size());
    return ::fchmod(fd, mode) == 0 && WriteSparse(calls, fd, head) &&
           (oldSize <= headSize || CopyTail(calls, old, fd, headSize, oldSize)) &&
           ::ftruncate(fd, std::max(headSize, oldSize)) == 0 && calls.Flush(fd) == 0;
}

enum class Copy { Made, Failed, NotHere };

// Unnamed, the copy of a writer killed on the way vanishes with it; it gets
// its name `spare` only when complete. NotHere: the file system or a missing
// /proc does not allow it.
Copy MakeUnnamedCopy(const FileCalls& calls, const fs::path& folder, const std::string& spare,
                     std::string_view head, int old, off_t oldSize, mode_t mode) {
    Descriptor copy(calls.OpenUnnamed(folder.c_str(), mode));
    if (copy.Get() < 0) return Copy::NotHere;
    if (!FillCopy(calls, copy.Get(), head, old, oldSize, mode)) return Copy::Failed;
    const std::string self = "/proc/self/fd/" + std::to_string(copy.Get());
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, spare.c_str(), AT_SYMLINK_FOLLOW) != 0)
        return Copy::NotHere;
    return copy.Close() ? Copy::Made : Copy::Failed;
}

}  // namespace

const FileCalls& SystemFileCalls() {
    static const FileCalls kCalls{
        [](int fd, const char* data, std::size_t size) -> long { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
        [](const char* folder, unsigned mode) {
            return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
        }};
    return kCalls;
}

bool ReplaceFileContent(const std::string& path, std::string_view content, unsigned newFileMode) {
    return ReplaceFileContent(path, content, newFileMode, SystemFileCalls());
}

bool ReplaceFileContent(const std::string& path, std::string_view content, unsigned newFileMode,
                        const FileCalls& calls) {
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

std::string WriteTarget(const std::string& path) {
    fs::path target(path);
    for (int links = 0; links <= kMostLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return target.string();
        const fs::path to = fs::read_symlink(target, error);
        if (error) return {};
        target = to.is_absolute() ? to : target.parent_path() / to;
    }
    return {};
}

bool ReplaceFileStart(const FileWriteLock& lock, std::string_view head, unsigned newFileMode,
                      const FileCalls& calls) {
    const fs::path target(lock.Target());
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string spare = SpareName(target);
    // Only a writer that died while holding the lock leaves it.
    ::unlink(spare.c_str());

    const Descriptor old(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat oldStat {};
    const bool hasOld = old.Get() >= 0 && ::fstat(old.Get(), &oldStat) == 0;
    const mode_t mode = hasOld ? oldStat.st_mode & 07777 : static_cast<mode_t>(newFileMode);
    const off_t oldSize = hasOld ? oldStat.st_size : 0;

    bool ok = false;
    switch (MakeUnnamedCopy(calls, folder, spare, head, old.Get(), oldSize, mode)) {
        case Copy::Made:
            ok = true;
            break;
        case Copy::Failed:
            return false;
        case Copy::NotHere: {
            Descriptor copy(
                ::open(spare.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
            if (copy.Get() < 0) return false;
            ok = FillCopy(calls, copy.Get(), head, old.Get(), oldSize, mode);
            ok = copy.Close() && ok;
            break;
        }
    }
    ok = ok && calls.Rename(spare.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(spare.c_str());
    return ok;
}

}  // namespace zeko::platform
