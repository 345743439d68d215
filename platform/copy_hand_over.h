// The hand-over between copies of the program. The running copy listens on a
// local socket in the user's runtime folder; a copy started later passes it
// its game file (or nothing, which brings the running copy to the front) and
// ends, so that a file opened from the desktop reaches the game in play.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace zeko::platform {

class CopyHandOverServer {
  public:
    // What a later copy passed: an absolute file name, or empty.
    using Receiver = std::function<void(const std::string& file)>;

    // Listens as `name`. The caller holds the single-copy lock, so a socket
    // file left by a copy that crashed is stale and is replaced.
    CopyHandOverServer(const std::string& name, Receiver receiver);
    CopyHandOverServer(const CopyHandOverServer&) = delete;
    CopyHandOverServer& operator=(const CopyHandOverServer&) = delete;
    ~CopyHandOverServer();

    bool Listening() const;

  private:
    std::unique_ptr<QLocalServer> server_;
    Receiver receiver_;
};

// Passes `file` to the copy listening as `name`; false when none took it
// within `timeoutMs`.
bool HandOverToRunningCopy(const std::string& name, const std::string& file, int timeoutMs = 2000);

// $XDG_RUNTIME_DIR/<name>.socket
std::string HandOverSocketPath(const std::string& name);

}  // namespace zeko::platform
