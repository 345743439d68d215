// zekotool's entry: the arguments to the commands, their output to the
// standard streams.
#include <iostream>
#include <string>
#include <vector>

#include "zekotool/zeko_tool.h"

int main(int argc, char* argv[]) {
    return zeko::tool::RunZekoTool(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr);
}
