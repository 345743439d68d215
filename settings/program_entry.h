// The program's entry: the steps that run before any window opens.
#pragma once

#include <functional>
#include <string>

namespace zeko::settings {

struct ProgramEntryOptions {
    // The executable registered to open game files; empty: the running one.
    std::string ProgramPath;
    // The single-copy lock in the user's runtime folder.
    std::string LockName = "zeko";
    // Run instead of the program when another copy is running: hands this
    // copy's request on to it.
    std::function<void()> HandOver;
};

// In this order: ends at once (returning 0, without a message, after
// `HandOver`) when another copy of the program is running; removes the
// temporary folders a killed copy left; registers the game-file type ".zgf";
// moves the settings of an older version; then calls `showMainWindow`, which
// shows the main window and runs the program until that window is unloaded,
// and returns its exit code. The single-copy lock is held until then.
int ProgramEntry(const std::function<int()>& showMainWindow,
                 const ProgramEntryOptions& options = {});

}  // namespace zeko::settings
