// The program's own executable, as the system reports it.
#pragma once

#include <string>

namespace zeko::platform {

// The full path of the running executable; empty when the system does not
// tell it.
std::string ProgramPath();

// The folder that holds `programPath`, without a trailing slash.
std::string FolderOf(const std::string& programPath);

}  // namespace zeko::platform
