// Names in the game file are single-byte Windows-1252 characters; the program
// holds them as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zeko::archive {

// Each character that the code page holds becomes its byte; any other (and
// every byte that is not valid UTF-8) becomes "?".
std::string ToWindows1252(std::string_view utf8);

// Each byte becomes its character; the five bytes the code page leaves
// undefined and the control characters become "?".
std::string FromWindows1252(std::string_view bytes);

}  // namespace zeko::archive
