// zekotool: game files from the command line. The commands list, show, save
// and delete a game file's games through the same store as the game.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zeko::tool {

// Runs one command; `arguments` are those after the program's name. Returns
// the exit status: 0 done, 1 a failure of the game file or a refused game,
// 2 a wrong command line. Nothing is written on a failure.
int RunZekoTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace zeko::tool
