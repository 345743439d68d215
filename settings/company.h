// The maker's and the program's names, as the settings path, the about box
// and the welcome screen show them.
#pragma once

#include <string_view>

namespace zeko::settings {

inline constexpr std::string_view kCompanyName = "Kiezel Games";
inline constexpr std::string_view kAppName = "Zeko";

// The name under which the program's icon is installed in the icon theme.
inline constexpr std::string_view kProgramIconName = "zeko";

}  // namespace zeko::settings
