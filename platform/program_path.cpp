#include "platform/program_path.h"

#include <filesystem>
#include <system_error>

namespace zeko::platform {

std::string ProgramPath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string FolderOf(const std::string& programPath) {
    return std::filesystem::path(programPath).parent_path().string();
}

}  // namespace zeko::platform
