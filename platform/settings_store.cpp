#include "platform/settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <utility>

#include "platform/atomic_file.h"

namespace zeko::platform {

namespace {

constexpr char kStandingKey[] = "Software";
// Larger files are no settings file of ours; they read as empty.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

bool ValidKeyName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

bool ValidValueName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos;
}

std::string JoinPath(const std::string& parent, std::string_view name) {
    return parent.empty() ? std::string(name) : parent + '\\' + std::string(name);
}

int HexValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsHexDigit(char16_t c) {
    return HexValue(c) >= 0;
}

void AppendHex(QString& out, char16_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += QLatin1Char(kDigits[(value >> shift) & 0xF]);
    }
}

// A key or value name as QSettings writes it: letters, digits, '_', '-' and
// '.' as they are, anything else as %XX or %UXXXX.
QString EncodeName(const QString& name) {
    QString out;
    for (QChar qc : name) {
        const char16_t c = qc.unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-' || c == '.') {
            out += qc;
        } else if (c <= 0xFF) {
            out += QLatin1Char('%');
            AppendHex(out, c, 2);
        } else {
            out += QStringLiteral("%U");
            AppendHex(out, c, 4);
        }
    }
    return out;
}

// The reverse, with QSettings' reading of '\' as the separator of levels
// ('/' in the result). A '%' that starts no valid code stays as it is.
QString DecodeName(QStringView name) {
    QString out;
    qsizetype i = 0;
    while (i < name.size()) {
        const char16_t c = name[i].unicode();
        if (c == '\\') {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c == '%' && i + 1 < name.size()) {
            const bool wide = name[i + 1] == QLatin1Char('U');
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code =
                first + digits <= name.size() ? name.sliced(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                out += QChar(code);
                i = first + digits;
                continue;
            }
        }
        out += QChar(c);
        ++i;
    }
    return out;
}

// A text value as QSettings writes it: escapes for backslash, quote and
// control characters; quotes around values that hold ';', ',' or '=' or
// begin or end with a blank; a leading '@' doubled, since '@' starts the
// other value types.
QString EncodeValue(const QString& text) {
    const QString value = text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
    QString out;
    bool needsQuotes = false;
    bool escapeNextHexDigit = false;
    for (QChar qc : value) {
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        // "\x1" followed by "5" would read as "\x15".
        if (escapeNextHexDigit && IsHexDigit(c)) {
            out += QStringLiteral("\\x");
            AppendHex(out, c, 2);
            continue;
        }
        escapeNextHexDigit = false;
        switch (c) {
            case '\a':
                out += QStringLiteral("\\a");
                break;
            case '\b':
                out += QStringLiteral("\\b");
                break;
            case '\f':
                out += QStringLiteral("\\f");
                break;
            case '\n':
                out += QStringLiteral("\\n");
                break;
            case '\r':
                out += QStringLiteral("\\r");
                break;
            case '\t':
                out += QStringLiteral("\\t");
                break;
            case '\v':
                out += QStringLiteral("\\v");
                break;
            case '"':
            case '\\':
                out += QLatin1Char('\\');
                out += qc;
                break;
            default:
                if (c <= 0x1F) {
                    out += QStringLiteral("\\x");
                    AppendHex(out, c, 2);
                    escapeNextHexDigit = true;
                } else {
                    out += qc;
                }
        }
    }
    if (needsQuotes || out.startsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char(' '))) {
        out = QLatin1Char('"') + out + QLatin1Char('"');
    }
    return out;
}

// A value as QSettings reads one line of it: quoted parts and escapes kept,
// blanks around the unquoted text dropped, ';' outside quotes starting a
// comment. A quote left open ends with the line. Commas are kept as text.
QString DecodeValue(QStringView raw) {
    QString out;
    qsizetype kept = 0;  // the end of the text that trailing blanks cannot shorten
    bool quoted = false;
    qsizetype i = 0;
    while (i < raw.size()) {
        const char16_t c = raw[i].unicode();
        if (c == '"') {
            quoted = !quoted;
            ++i;
            continue;
        }
        if (c == ';' && !quoted) break;
        if (c == '\\') {
            ++i;
            if (i >= raw.size()) break;
            const char16_t e = raw[i].unicode();
            ++i;
            switch (e) {
                case 'a':
                    out += QChar(u'\a');
                    break;
                case 'b':
                    out += QChar(u'\b');
                    break;
                case 'f':
                    out += QChar(u'\f');
                    break;
                case 'n':
                    out += QChar(u'\n');
                    break;
                case 'r':
                    out += QChar(u'\r');
                    break;
                case 't':
                    out += QChar(u'\t');
                    break;
                case 'v':
                    out += QChar(u'\v');
                    break;
                case '"':
                case '\'':
                case '?':
                case '\\':
                    out += QChar(e);
                    break;
                case 'x': {
                    char32_t code = 0;
                    while (i < raw.size() && IsHexDigit(raw[i].unicode())) {
                        code = ((code << 4) + static_cast<char32_t>(HexValue(raw[i].unicode()))) &
                               0xFFFF;
                        ++i;
                    }
                    out += QChar(static_cast<char16_t>(code));
                    break;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        char16_t code = e - '0';
                        for (int n = 0; n < 2 && i < raw.size() && raw[i] >= QLatin1Char('0') &&
                                        raw[i] <= QLatin1Char('7');
                             ++n, ++i) {
                            code = static_cast<char16_t>(code * 8 + (raw[i].unicode() - '0'));
                        }
                        out += QChar(code);
                    }
                    // Any other escaped character is dropped, as QSettings
                    // drops it.
            }
            kept = out.size();
            continue;
        }
        if (!quoted && out.isEmpty() && (c == ' ' || c == '\t')) {
            ++i;
            continue;
        }
        out += QChar(c);
        if (quoted || (c != ' ' && c != '\t')) kept = out.size();
        ++i;
    }
    out.truncate(kept);
    return out;
}

// The key path of a section name; empty for a name that makes no valid key.
std::optional<std::string> SectionPath(QStringView name) {
    if (name.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) return std::string();
    if (name.compare(QLatin1String("%general"), Qt::CaseInsensitive) == 0) return "General";
    std::string path;
    for (const QString& part : DecodeName(name).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::string component = part.toStdString();
        if (!ValidKeyName(component)) return std::nullopt;
        path = JoinPath(path, component);
    }
    if (path.empty()) return std::nullopt;
    return path;
}

QString SectionName(const std::string& path) {
    if (path.empty()) return QStringLiteral("General");
    QString name;
    for (const QString& part : QString::fromStdString(path).split(QLatin1Char('\\'))) {
        if (!name.isEmpty()) name += QLatin1Char('\\');
        name += EncodeName(part);
    }
    // "General" alone is the name of the root's section.
    if (name.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) name.prepend('%');
    return name;
}

}  // namespace

StoreKey::StoreKey(StoreKey&& other) noexcept
    : store_(std::exchange(other.store_, nullptr)), path_(std::move(other.path_)) {}

StoreKey& StoreKey::operator=(StoreKey&& other) noexcept {
    if (this != &other) {
        if (store_ != nullptr) store_->CloseKey(*this);
        store_ = std::exchange(other.store_, nullptr);
        path_ = std::move(other.path_);
    }
    return *this;
}

StoreKey::~StoreKey() {
    if (store_ != nullptr) store_->CloseKey(*this);
}

std::string SettingsStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/zeko/settings.ini";
}

bool SettingsStore::HasSubkeys(const Model& model, const std::string& path) {
    const std::string prefix = path + '\\';
    const auto next = model.lower_bound(prefix);
    return next != model.end() && next->first.starts_with(prefix);
}

SettingsStore::Model SettingsStore::Read(const std::string& filePath) {
    Model model;
    model[std::string()];
    const QString fileName = QString::fromStdString(filePath);
    QFile file(fileName);
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly)) {
        return model;
    }
    const QString content = QString::fromUtf8(file.readAll());

    // The key that the lines below a section belong to; none below a section
    // whose name is unusable.
    std::optional<std::string> section = std::string();
    for (QStringView line : QStringView(content).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == QLatin1Char(';')) continue;
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            section = close < 0 ? std::nullopt : SectionPath(line.sliced(1, close - 1).trimmed());
            if (section) Apply(model, {Change::Kind::kCreate, *section, {}, {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || !section) continue;

        // QSettings puts deeper levels into the name: "Kiezel%20Games\Zeko\Skill".
        const QStringList parts = DecodeName(line.first(equals).trimmed()).split(QLatin1Char('/'));
        std::string keyPath = *section;
        bool usable = true;
        for (qsizetype p = 0; p + 1 < parts.size() && usable; ++p) {
            const std::string component = parts[p].toStdString();
            usable = ValidKeyName(component);
            keyPath = JoinPath(keyPath, component);
        }
        const std::string name = parts.back().toStdString();
        if (!usable || !ValidValueName(name)) continue;

        const QStringView raw = line.sliced(equals + 1);
        const QString text = DecodeValue(raw);
        StoredValue value;
        if (text.startsWith(QLatin1String("@@"))) {
            value.text = text.sliced(1).toStdString();
        } else if (text.startsWith(QLatin1Char('@'))) {
            value.raw = raw.trimmed().toString().toStdString();
        } else {
            value.text = text.toStdString();
        }
        Apply(model, {Change::Kind::kCreate, keyPath, {}, {}});
        model[keyPath][name] = std::move(value);
    }
    return model;
}

std::string SettingsStore::Serialize(const Model& model) {
    QString out;
    for (const auto& [path, values] : model) {
        // The root and "Software" are there without being written.
        if ((path.empty() || path == kStandingKey) && values.empty()) continue;
        if (!out.isEmpty()) out += QLatin1Char('\n');
        out += QLatin1Char('[') + SectionName(path) + QStringLiteral("]\n");
        for (const auto& [name, value] : values) {
            out += EncodeName(QString::fromStdString(name)) + QLatin1Char('=');
            out += value.text ? EncodeValue(QString::fromStdString(*value.text))
                              : QString::fromStdString(value.raw);
            out += QLatin1Char('\n');
        }
    }
    return out.toStdString();
}

void SettingsStore::Apply(Model& model, const Change& change) {
    switch (change.kind) {
        case Change::Kind::kCreate:
        case Change::Kind::kSet: {
            // Like the registry, a key comes with the levels above it.
            std::size_t end = 0;
            while ((end = change.path.find('\\', end)) != std::string::npos) {
                model[change.path.substr(0, end)];
                ++end;
            }
            Values& values = model[change.path];
            if (change.kind == Change::Kind::kSet) {
                values[change.name] = StoredValue{change.text, {}};
            }
            break;
        }
        case Change::Kind::kDelete:
            if (!HasSubkeys(model, change.path)) model.erase(change.path);
            break;
    }
}

SettingsStore::SettingsStore(const std::string& filePath)
    : filePath_(filePath), model_(Read(filePath)) {}

SettingsStore::~SettingsStore() {
    Flush();
}

StoreKey SettingsStore::Root() {
    return StoreKey(this, std::string());
}

bool SettingsStore::KeyExists(const std::string& path) const {
    return path.empty() || path == kStandingKey || model_.contains(path);
}

void SettingsStore::Record(Change change) {
    Apply(model_, change);
    changes_.push_back(std::move(change));
}

std::optional<std::string> SettingsStore::ChildPath(const StoreKey& parent,
                                                    std::string_view subkey) const {
    if (parent.store_ != this || !KeyExists(parent.path_)) return std::nullopt;
    std::string path = parent.path_;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = subkey.find('\\', start);
        const std::string_view name = subkey.substr(start, end - start);
        if (!ValidKeyName(name)) return std::nullopt;
        path = JoinPath(path, name);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return path;
}

std::optional<CreatedKey> SettingsStore::CreateKey(const StoreKey& parent,
                                                   std::string_view subkey) {
    std::optional<std::string> path = ChildPath(parent, subkey);
    if (!path) return std::nullopt;
    const bool existed = KeyExists(*path);
    if (!existed) Record({Change::Kind::kCreate, *path, {}, {}});
    return CreatedKey{StoreKey(this, std::move(*path)), existed ? KeyDisposition::kOpenedExistingKey
                                                                : KeyDisposition::kCreatedNewKey};
}

std::optional<StoreKey> SettingsStore::OpenKey(const StoreKey& parent, std::string_view subkey) {
    std::optional<std::string> path = ChildPath(parent, subkey);
    if (!path || !KeyExists(*path)) return std::nullopt;
    return StoreKey(this, std::move(*path));
}

bool SettingsStore::SetValue(const StoreKey& key, std::string_view name, std::string_view text) {
    if (key.store_ != this || !KeyExists(key.path_) || !ValidValueName(name)) return false;
    Record({Change::Kind::kSet, key.path_, std::string(name), std::string(text)});
    return true;
}

std::optional<std::string> SettingsStore::QueryValue(const StoreKey& key, std::string_view name) {
    if (key.store_ != this || !ValidValueName(name)) return std::nullopt;
    const auto values = model_.find(key.path_);
    if (values == model_.end()) return std::nullopt;
    const auto value = values->second.find(std::string(name));
    if (value == values->second.end()) return std::nullopt;
    return value->second.text;
}

std::optional<NamedValue> SettingsStore::EnumValue(const StoreKey& key, uint32_t index) {
    if (key.store_ != this) return std::nullopt;
    const auto values = model_.find(key.path_);
    if (values == model_.end() || index >= values->second.size()) return std::nullopt;
    const auto value = std::next(values->second.begin(), static_cast<std::ptrdiff_t>(index));
    return NamedValue{value->first, value->second.text};
}

bool SettingsStore::DeleteKey(const StoreKey& parent, std::string_view subkey) {
    const std::optional<std::string> path = ChildPath(parent, subkey);
    // Like the registry, a key with subkeys stays.
    if (!path || *path == kStandingKey || !model_.contains(*path) || HasSubkeys(model_, *path)) {
        return false;
    }
    Record({Change::Kind::kDelete, *path, {}, {}});
    return true;
}

void SettingsStore::CloseKey(StoreKey& key) {
    if (key.store_ != this) return;
    key.store_ = nullptr;
    key.path_.clear();
}

bool SettingsStore::MoveAsideUnreadable() const {
    const QString fileName = QString::fromStdString(filePath_);
    const QFileInfo info(fileName);
    if (!info.exists() || (info.isFile() && info.isReadable() && info.size() <= kMaxFileSize))
        return true;
    QString backup = fileName + QStringLiteral(".unreadable");
    for (int n = 1; QFileInfo::exists(backup); ++n)
        backup = fileName + QStringLiteral(".unreadable.%1").arg(n);
    const bool moved = QFile::rename(fileName, backup);
    std::fprintf(stderr,
                 "zeko: the settings file %s could not be read (over %lld bytes or not "
                 "readable); %s\n",
                 qPrintable(fileName), static_cast<long long>(kMaxFileSize),
                 moved ? qPrintable(QStringLiteral("it was kept as ") + backup)
                       : "it was left as it is and the settings were not written");
    return moved;
}

bool SettingsStore::Flush() {
    if (changes_.empty()) return true;
    // A file that cannot be read is never overwritten without a trace.
    if (!MoveAsideUnreadable()) return false;
    // Whatever else changed the file since it was read stays.
    Model merged = Read(filePath_);
    for (const Change& change : changes_)
        Apply(merged, change);
    if (!ReplaceFileContent(filePath_, Serialize(merged), 0600)) return false;
    model_ = std::move(merged);
    changes_.clear();
    return true;
}

}  // namespace zeko::platform
