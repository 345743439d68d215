// The per-user settings store: a hierarchical key-value store in one INI file
// under $XDG_CONFIG_HOME, standing in for the registry's per-user root.
//
// Keys are paths of names below the root ("Software\Kiezel Games\Zeko"); a
// key holds text values and subkeys, and exists once it has been created, even
// while it holds no values, so that a caller can tell a first run from a later
// one. In the file every key is a section of its own:
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
// The root always holds the key "Software", so opening it never fails. Names are compared as
// written (case-sensitive). The unnamed default value of a key is not supported: nothing the
// program keeps here uses it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeko::platform {

class SettingsStore;

// An open key, closed at the latest when it goes out of scope. A key must not
// outlive its store.
class StoreKey {
  public:
    StoreKey() = default;
    StoreKey(StoreKey&& other) noexcept;
    StoreKey& operator=(StoreKey&& other) noexcept;
    StoreKey(const StoreKey&) = delete;
    StoreKey& operator=(const StoreKey&) = delete;
    ~StoreKey();

    bool IsOpen() const { return store_ != nullptr; }
    // The names from the root, joined by backslashes; empty for the root.
    const std::string& Path() const { return path_; }

  private:
    friend class SettingsStore;
    StoreKey(SettingsStore* store, std::string path) : store_(store), path_(std::move(path)) {}

    SettingsStore* store_ = nullptr;
    std::string path_;
};

enum class KeyDisposition { kCreatedNewKey, kOpenedExistingKey };

struct CreatedKey {
    StoreKey key;
    KeyDisposition disposition;
};

struct NamedValue {
    std::string name;
    // Empty when the stored value is not text.
    std::optional<std::string> text;
};

class SettingsStore {
  public:
    // $XDG_CONFIG_HOME/zeko/settings.ini (or its usual fallback ~/.config).
    static std::string DefaultPath();

    explicit SettingsStore(const std::string& filePath = DefaultPath());
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    ~SettingsStore();

    // The per-user root: always open, never closed.
    StoreKey Root();

    // `subkey` may name several levels at once, separated by backslashes. Key
    // names are not empty, not "." and hold no slash.
    std::optional<CreatedKey> CreateKey(const StoreKey& parent, std::string_view subkey);
    std::optional<StoreKey> OpenKey(const StoreKey& parent, std::string_view subkey);

    bool SetValue(const StoreKey& key, std::string_view name, std::string_view text);
    // Empty when the key or the value is missing or the value is not text.
    std::optional<std::string> QueryValue(const StoreKey& key, std::string_view name);
    // The value with position `index` (0, 1, 2, ...) in the key; empty past
    // the last one.
    std::optional<NamedValue> EnumValue(const StoreKey& key, uint32_t index);

    // Deletes a subkey that has no subkeys of its own, with its values.
    bool DeleteKey(const StoreKey& parent, std::string_view subkey);
    void CloseKey(StoreKey& key);

    // Writes pending changes; false when the file could not be replaced.
    // The store also writes them when it is destroyed.
    bool Flush();

  private:
    struct StoredValue {
        std::optional<std::string> text;
        std::string raw;  // a value that is not text, as the file has it
    };
    using Values = std::map<std::string, StoredValue>;
    // Every key by its path, the root as "".
    using Model = std::map<std::string, Values>;

    struct Change {
        enum class Kind { kCreate, kSet, kDelete } kind;
        std::string path;
        std::string name;
        std::string text;
    };

    static Model Read(const std::string& filePath);
    // Moves a settings file too large or unreadable for Read out of the way,
    // under a new name it reports on standard error; false if it stays.
    bool MoveAsideUnreadable() const;
    static std::string Serialize(const Model& model);
    static void Apply(Model& model, const Change& change);
    static bool HasSubkeys(const Model& model, const std::string& path);

    bool KeyExists(const std::string& path) const;
    std::optional<std::string> ChildPath(const StoreKey& parent, std::string_view subkey) const;
    void Record(Change change);

    std::string filePath_;
    Model model_;
    // Made again on the file's content as it is when the store writes.
    std::vector<Change> changes_;
};

}  // namespace zeko::platform
