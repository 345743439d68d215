// The game file named on the program's command line.
#pragma once

#include <string>
#include <vector>

namespace zeko::archive {

// The first argument that names an existing file; else all arguments joined
// by spaces, when that names one (a path with spaces given unquoted); else
// empty.
std::string GameFileArgument(const std::vector<std::string>& arguments);

}  // namespace zeko::archive
