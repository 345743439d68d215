#include "settings/program_entry.h"

#include "platform/single_instance.h"
#include "platform/temporary_folder.h"
#include "settings/company.h"
#include "settings/registry.h"

namespace zeko::settings {

int ProgramEntry(const std::function<int()>& showMainWindow, const ProgramEntryOptions& options) {
    const platform::SingleInstanceLock lock(options.LockName);
    if (lock.AnotherCopyRunning()) {
        if (options.HandOver) options.HandOver();
        return 0;
    }
    // Left by a copy that was killed; no other copy runs now.
    platform::RemoveStaleTemporaryFolders();

    {
        Registry registry(options.ProgramPath);
        // Named before the registration too, so that the desktop lists the
        // open command under the program's name.
        registry.CompanyName(std::string(kCompanyName));
        registry.AppName(std::string(kAppName));
        registry.RegisterFileType(".zgf", "Zeko.GameFile", "Zeko Game File");
        try {
            registry.MoveSettings(kCompanyName, kAppName);
        } catch (...) {
            // The names are constants, so this cannot fail; nothing of it
            // may keep the program from starting.
        }
    }
    return showMainWindow();
}

}  // namespace zeko::settings
