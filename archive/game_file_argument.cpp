#include "archive/game_file_argument.h"

#include <filesystem>

namespace zeko::archive {

namespace {

bool NamesFile(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(name, error);
}

}  // namespace

std::string GameFileArgument(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) {
        if (NamesFile(argument)) return argument;
        if (!joined.empty()) joined += ' ';
        joined += argument;
    }
    return NamesFile(joined) ? joined : std::string();
}

}  // namespace zeko::archive
