// The program's temporary folders: in the user's runtime folder, which the
// session empties at logout, and named so that a later start finds those
// that a copy ended without its cleanup left behind.
#pragma once

#include <string>

namespace zeko::platform {

// A QTemporaryDir template: <runtime folder>/zeko-<purpose>-XXXXXX.
std::string TemporaryFolderTemplate(const std::string& purpose);

// Removes every folder made from such a template. Only for the copy that
// holds the single-copy lock: no other copy uses them then.
void RemoveStaleTemporaryFolders();

}  // namespace zeko::platform
