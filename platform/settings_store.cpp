#include "platform/settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <limits>
#include <utility>

#include "platform/atomic_file.h"

namespace zeko::platform {

namespace {

constexpr char kStandingKey[] = "Software";
// Larger files are no settings file of ours; they read as empty.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// The escapes of a value: "\a" stands for '\a' and so on; the last two are
// read but never written.
constexpr std::u16string_view kEscapeLetters = u"abfnrtv\"\\'?";
constexpr std::u16string_view kEscapedChars = u"\a\b\f\n\r\t\v\"\\'?";
constexpr std::size_t kWrittenEscapes = 9;

bool ValidValueName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos;
}

bool ValidKeyName(std::string_view name) {
    return ValidValueName(name) && name != "." && name != "..";
}

// The key that `names` lead to from `path`; empty when a name makes no key.
std::optional<std::string> KeyBelow(std::string path, const QStringList& names) {
    for (const QString& name : names) {
        const std::string component = name.toStdString();
        if (!ValidKeyName(component)) return std::nullopt;
        path = path.empty() ? component : path + '\\' + component;
    }
    return path;
}

bool ValidPath(std::string_view path) {
    std::size_t start = 0;
    for (std::size_t end; (end = path.find('\\', start)) != std::string_view::npos; start = end + 1)
        if (!ValidKeyName(path.substr(start, end - start))) return false;
    return ValidKeyName(path.substr(start));
}

int HexValue(char16_t c) {
    const std::size_t at = std::u16string_view(u"0123456789abcdef0123456789ABCDEF").find(c);
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at % 16);
}

// `code` followed by the digits of `base` at `i`, at most `count` of them.
char16_t WithDigits(char16_t code, QStringView raw, qsizetype& i, int base, int count) {
    for (int digit = 0;
         count-- > 0 && i < raw.size() && (digit = HexValue(raw[i].unicode())) >= 0 && digit < base;
         ++i) {
        code = static_cast<char16_t>(code * base + digit);
    }
    return code;
}

QString Hex(char16_t value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// A key or value name as QSettings writes it: letters, digits, '_', '-' and
// '.' as they are, anything else as %XX or %UXXXX.
QString EncodeName(const QString& name) {
    QString out;
    for (QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c < 0x80 && (qc.isLetterOrNumber() || QStringView(u"_-.").contains(qc))) {
            out += qc;
        } else {
            out += c <= 0xFF ? QLatin1Char('%') + Hex(c, 2) : QStringLiteral("%U") + Hex(c, 4);
        }
    }
    return out;
}

// The reverse, with QSettings' reading of '\' as the separator of levels
// ('/' in the result). A '%' that starts no valid code stays as it is.
QString DecodeName(QStringView name) {
    QString out;
    for (qsizetype i = 0; i < name.size();) {
        const QChar c = name[i++];
        const qsizetype wide =
            c == QLatin1Char('%') && i < name.size() && name[i] == QLatin1Char('U');
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code = c == QLatin1Char('%') && i + wide + digits <= name.size()
                                ? name.sliced(i + wide, digits).toUShort(&ok, 16)
                                : 0;
        if (ok) {
            out += QChar(code);
            i += wide + digits;
        } else {
            out += c == QLatin1Char('\\') ? QLatin1Char('/') : c;
        }
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
    bool afterHexEscape = false;
    for (QChar qc : value) {
        const char16_t c = qc.unicode();
        const std::size_t escape = kEscapedChars.find(c);
        // "\x1" followed by "5" would read as "\x15".
        const bool hex =
            (c <= 0x1F && escape >= kWrittenEscapes) || (afterHexEscape && HexValue(c) >= 0);
        if (hex) {
            out += QStringLiteral("\\x") + Hex(c, 2);
        } else if (escape < kWrittenEscapes) {
            out += QLatin1Char('\\') + QChar(kEscapeLetters[escape]);
        } else {
            out += qc;
        }
        afterHexEscape = hex;
    }
    const bool needsQuotes = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char(',')) ||
                             value.contains(QLatin1Char('='));
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
    for (qsizetype i = 0; i < raw.size();) {
        const char16_t c = raw[i++].unicode();
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == ';' && !quoted) break;
        if (c != '\\') {
            const bool blank = c == ' ' || c == '\t';
            if (blank && !quoted && out.isEmpty()) continue;
            out += QChar(c);
            if (quoted || !blank) kept = out.size();
            continue;
        }
        if (i == raw.size()) break;
        const char16_t e = raw[i++].unicode();
        if (const std::size_t at = kEscapeLetters.find(e); at != std::u16string_view::npos) {
            out += QChar(kEscapedChars[at]);
        } else if (e == 'x') {
            out += QChar(WithDigits(0, raw, i, 16, std::numeric_limits<int>::max()));
        } else if (e >= '0' && e <= '7') {
            out += QChar(WithDigits(e - '0', raw, i, 8, 2));
        }
        // Any other escaped character is dropped, as QSettings drops it.
        kept = out.size();
    }
    out.truncate(kept);
    return out;
}

// The key path of a section name; empty for a name that makes no valid key.
std::optional<std::string> SectionPath(QStringView name) {
    if (name.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) return std::string();
    if (name.compare(QLatin1String("%general"), Qt::CaseInsensitive) == 0) return "General";
    const auto path = KeyBelow({}, DecodeName(name).split(QLatin1Char('/'), Qt::SkipEmptyParts));
    if (!path || path->empty()) return std::nullopt;
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

bool HasSubkeys(const auto& model, const std::string& path) {
    const std::string prefix = path + '\\';
    const auto next = model.lower_bound(prefix);
    return next != model.end() && next->first.starts_with(prefix);
}

}  // namespace

std::string SettingsStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/zeko/settings.ini";
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
            if (section) Apply(model, {Change::Kind::Create, *section, {}, {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || !section) continue;

        // QSettings puts deeper levels into the name: "Kiezel%20Games\Zeko\Skill".
        QStringList parts = DecodeName(line.first(equals).trimmed()).split(QLatin1Char('/'));
        const std::string name = parts.takeLast().toStdString();
        const std::optional<std::string> keyPath = KeyBelow(*section, parts);
        if (!keyPath || !ValidValueName(name)) continue;

        const QStringView raw = line.sliced(equals + 1);
        const QString text = DecodeValue(raw);
        Apply(model, {Change::Kind::Create, *keyPath, {}, {}});
        auto& value = model[*keyPath][name];
        if (text.startsWith(QLatin1String("@@"))) {
            value = {text.sliced(1).toStdString(), {}};
        } else if (text.startsWith(QLatin1Char('@'))) {
            value = {std::nullopt, raw.trimmed().toString().toStdString()};
        } else {
            value = {text.toStdString(), {}};
        }
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
            out += value.Text ? EncodeValue(QString::fromStdString(*value.Text))
                              : QString::fromStdString(value.Raw);
            out += QLatin1Char('\n');
        }
    }
    return out.toStdString();
}

void SettingsStore::Apply(Model& model, const Change& change) {
    if (change.Action == Change::Kind::Delete) {
        if (!HasSubkeys(model, change.Path)) model.erase(change.Path);
        return;
    }
    // A key comes with the levels above it.
    for (std::size_t end = 0; (end = change.Path.find('\\', end)) != std::string::npos; ++end)
        model[change.Path.substr(0, end)];
    auto& values = model[change.Path];
    if (change.Action == Change::Kind::Set) values[change.Name] = StoredValue{change.Text, {}};
}

SettingsStore::SettingsStore(std::string filePath)
    : filePath_(std::move(filePath)), model_(Read(filePath_)) {}

SettingsStore::~SettingsStore() {
    Flush();
}

bool SettingsStore::KeyExists(const std::string& path) const {
    return path == kStandingKey || model_.contains(path);
}

void SettingsStore::Record(Change change) {
    Apply(model_, change);
    changes_.push_back(std::move(change));
}

bool SettingsStore::CreateKey(const std::string& path) {
    if (!ValidPath(path) || KeyExists(path)) return false;
    Record({Change::Kind::Create, path, {}, {}});
    return true;
}

std::optional<std::string> SettingsStore::Value(const std::string& path,
                                                const std::string& name) const {
    const auto texts = Values(path);
    const auto text = texts.find(name);
    if (text == texts.end()) return std::nullopt;
    return text->second;
}

std::map<std::string, std::string> SettingsStore::Values(const std::string& path) const {
    std::map<std::string, std::string> texts;
    if (const auto values = model_.find(path); values != model_.end()) {
        for (const auto& [name, value] : values->second)
            if (value.Text) texts.emplace(name, *value.Text);
    }
    return texts;
}

bool SettingsStore::SetValue(const std::string& path, std::string_view name,
                             std::string_view text) {
    if (!KeyExists(path) || !ValidValueName(name)) return false;
    Record({Change::Kind::Set, path, std::string(name), std::string(text)});
    return true;
}

bool SettingsStore::DeleteKey(const std::string& path) {
    // A key with subkeys stays.
    if (!ValidPath(path) || path == kStandingKey || !model_.contains(path) ||
        HasSubkeys(model_, path)) {
        return false;
    }
    Record({Change::Kind::Delete, path, {}, {}});
    return true;
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
