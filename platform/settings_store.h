// The per-user settings store: a tree of keys holding text values, kept in one
// INI file under $XDG_CONFIG_HOME.
//
// A key is a path of names joined by backslashes ("Software\Kiezel Games\Zeko").
// It exists once it has been created, with the levels above it, even while it
// holds no values, so that a caller can tell a first run from a later one.
// "Software" always exists. In the file every key is a section of its own:
//
//   [Software\Kiezel%20Games\Zeko]
//   Skill=3
//   Name1=Anna
//
// Names and values are escaped as QSettings escapes them in its INI format, so
// QSettings reads the file and the store reads files that QSettings wrote.
// The store reads and writes the file itself, though: QSaveFile (under
// QSettings::sync) commits a file whose write came up short, which on a full
// disk would leave a cut-off settings file.
//
// Changes stay in memory until Flush() or the store's end. Then the file is
// read again, the changes are applied to what it holds now, and the result
// goes to a new file that replaces the old one, so a failed write leaves the
// previous file whole. A file that cannot be read counts as empty; a damaged
// one yields every line that can still be read; a value that is not text
// (QSettings' "@Variant(...)" and the like) reads as missing and is kept as
// it was.
//
// Names are compared as written (case-sensitive). Key names are not empty,
// not "." or ".." and hold no slash; value names are not empty and hold
// neither slash nor backslash.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeko::platform {

class SettingsStore {
  public:
    // $XDG_CONFIG_HOME/zeko/settings.ini (or its usual fallback ~/.config).
    static std::string DefaultPath();

    explicit SettingsStore(std::string filePath = DefaultPath());
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    ~SettingsStore();

    // Creates the key with the levels above it; true only when it did not
    // exist before.
    bool CreateKey(const std::string& path);
    // Empty when the key or the value is missing or the value is not text.
    std::optional<std::string> Value(const std::string& path, const std::string& name) const;
    // The key's text values by name.
    std::map<std::string, std::string> Values(const std::string& path) const;
    // False when the key is missing or the name cannot be stored.
    bool SetValue(const std::string& path, std::string_view name, std::string_view text);
    // Deletes a key that has no subkeys, with its values.
    bool DeleteKey(const std::string& path);

    // Writes pending changes; false when the file could not be replaced.
    // The store also writes them when it is destroyed.
    bool Flush();

  private:
    struct StoredValue {
        std::optional<std::string> Text;
        std::string Raw;  // a value that is not text, as the file has it
    };
    // Every key by its path, the root as "", with its values by name.
    using Model = std::map<std::string, std::map<std::string, StoredValue>>;

    struct Change {
        enum class Kind { Create, Set, Delete } Action;
        std::string Path, Name, Text;
    };

    static Model Read(const std::string& filePath);
    static std::string Serialize(const Model& model);
    static void Apply(Model& model, const Change& change);
    // Moves a settings file too large or unreadable for Read out of the way,
    // under a new name it reports on standard error; false if it stays.
    bool MoveAsideUnreadable() const;
    bool KeyExists(const std::string& path) const;
    void Record(Change change);

    std::string filePath_;
    Model model_;
    // Made again on the file's content as it is when the store writes.
    std::vector<Change> changes_;
};

}  // namespace zeko::platform
