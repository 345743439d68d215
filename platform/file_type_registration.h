// The association of a file extension with the program, for the user's
// desktop: a shared-mime-info package that defines the file type and claims
// the extension, and a desktop entry that opens such files with the program,
// both under $XDG_DATA_HOME.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeko::platform {

struct FileTypeRegistration {
    std::string Extension;    // ".zgf"
    std::string FileType;     // "Zeko.GameFile": names the package and the entry
    std::string Description;  // the type's comment, "Zeko Game File"
    std::string ProgramPath;  // the executable that opens the files
    std::string ProgramName;  // shown in the desktop's "Open with" lists
    std::string IconName;     // the program's icon in the icon theme
};

// $XDG_DATA_HOME (or its usual fallback ~/.local/share).
std::string DefaultDataHome();

// "Zeko.GameFile" -> "application/x-zeko-gamefile".
std::string MimeTypeName(std::string_view fileType);

// One argument of a desktop entry's Exec line, quoted (only where it holds a
// reserved character) and escaped as the desktop entry format requires, so
// that any path survives the desktop's unquoting unchanged.
std::string QuoteExecArgument(std::string_view argument);

// The system's data folders, $XDG_DATA_DIRS (or /usr/local/share and /usr/share).
std::vector<std::string> DefaultDataDirs();

// Writes the type and the open command; the extension is claimed for the type
// only when no other type claims it already: in no package of a system data
// folder, and in none of $XDG_DATA_HOME/mime/packages (where a claim this
// registration made earlier is kept). Files whose content is already right are
// left alone. Where update-mime-database and update-desktop-database are
// installed, they refresh the desktop's caches. Returns false when nothing
// could be registered; callers may ignore it.
bool RegisterFileType(const FileTypeRegistration& registration,
                      const std::string& dataHome = DefaultDataHome(),
                      const std::vector<std::string>& dataDirs = DefaultDataDirs());

}  // namespace zeko::platform
