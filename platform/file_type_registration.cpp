#include "platform/file_type_registration.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cstdlib>

#include "platform/atomic_file.h"

namespace zeko::platform {

namespace {

constexpr char kMimeNamespace[] = "http://www.freedesktop.org/standards/shared-mime-info";
constexpr int kToolTimeoutMs = 10000;

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A file name made from the file type: letters, digits, '.', '-' and '_'.
QString FileNameOf(std::string_view fileType) {
    QString name;
    for (char c : fileType) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        name += QLatin1Char(plain ? c : '-');
    }
    return name;
}

QString GlobOf(std::string_view extension) {
    return QLatin1Char('*') + (extension.starts_with('.') ? QString() : QStringLiteral(".")) +
           ToQt(extension);
}

// A desktop entry string value: backslash, newline, tab and carriage return
// escaped.
std::string EscapeDesktopString(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

struct GlobClaims {
    bool Ours = false;     // our own package claims the extension for our type
    bool Foreign = false;  // another package claims it for another type
};

// Which types the packages in `packagesDir` give the glob. An unreadable or
// malformed package claims nothing.
GlobClaims FindGlobClaims(const QString& packagesDir, const QString& ownPackage,
                          const QString& glob, const QString& ownType) {
    GlobClaims claims;
    const QDir dir(packagesDir);
    const QStringList packages = dir.entryList({QStringLiteral("*.xml")}, QDir::Files);
    for (const QString& package : packages) {
        QFile file(dir.filePath(package));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const bool own = package == ownPackage;
        QXmlStreamReader xml(&file);
        QString type;
        while (!xml.atEnd() && !xml.hasError()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("mime-type")) {
                type = xml.attributes().value(QLatin1String("type")).toString();
            } else if (xml.name() == QLatin1String("glob") &&
                       xml.attributes()
                               .value(QLatin1String("pattern"))
                               .compare(glob, Qt::CaseInsensitive) == 0) {
                if (type == ownType && own) {
                    claims.Ours = true;
                } else if (type != ownType) {
                    claims.Foreign = true;
                }
            }
        }
    }
    return claims;
}

QByteArray MimePackage(const FileTypeRegistration& registration, const QString& type,
                       const QString& glob, bool claimExtension) {
    QByteArray content;
    QXmlStreamWriter xml(&content);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QLatin1String(kMimeNamespace));
    xml.writeStartElement(QLatin1String(kMimeNamespace), QStringLiteral("mime-info"));
    xml.writeStartElement(QLatin1String(kMimeNamespace), QStringLiteral("mime-type"));
    xml.writeAttribute(QStringLiteral("type"), type);
    xml.writeTextElement(QLatin1String(kMimeNamespace), QStringLiteral("comment"),
                         ToQt(registration.Description));
    if (!registration.IconName.empty()) {
        xml.writeEmptyElement(QLatin1String(kMimeNamespace), QStringLiteral("icon"));
        xml.writeAttribute(QStringLiteral("name"), ToQt(registration.IconName));
    }
    if (claimExtension) {
        xml.writeEmptyElement(QLatin1String(kMimeNamespace), QStringLiteral("glob"));
        xml.writeAttribute(QStringLiteral("pattern"), glob);
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return content;
}

QByteArray DesktopEntry(const FileTypeRegistration& registration, const QString& type) {
    std::string programName = registration.ProgramName;
    if (programName.empty()) {
        programName =
            QFileInfo(QString::fromStdString(registration.ProgramPath)).fileName().toStdString();
    }
    std::string entry = "[Desktop Entry]\nType=Application\n";
    entry += "Name=" + EscapeDesktopString(programName) + '\n';
    entry += "Exec=" + QuoteExecArgument(registration.ProgramPath) + " %f\n";
    if (!registration.IconName.empty()) {
        entry += "Icon=" + EscapeDesktopString(registration.IconName) + '\n';
    }
    entry += "MimeType=" + type.toStdString() + ";\n";
    // The entry only opens game files; the program's own menu entry is
    // installed with the program.
    entry += "NoDisplay=true\nTerminal=false\n";
    return QByteArray::fromStdString(entry);
}

enum class WriteResult { Unchanged, Written, Failed };

WriteResult WriteIfChanged(const QString& path, const QByteArray& content) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content) {
        return WriteResult::Unchanged;
    }
    return ReplaceFileContent(path.toStdString(), content.toStdString()) ? WriteResult::Written
                                                                         : WriteResult::Failed;
}

// Runs a desktop database tool where it is installed; its absence or failure
// changes nothing for the registration.
void RunTool(const QString& tool, const QString& directory) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {directory});
    if (process.waitForStarted(kToolTimeoutMs)) process.waitForFinished(kToolTimeoutMs);
}

}  // namespace

std::string DefaultDataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

std::string MimeTypeName(std::string_view fileType) {
    std::string name = "application/x-";
    for (char c : fileType) {
        if (c >= 'A' && c <= 'Z') {
            name += static_cast<char>(c - 'A' + 'a');
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            name += c;
        } else {
            name += '-';
        }
    }
    return name;
}

std::string QuoteExecArgument(std::string_view argument) {
    // The desktop entry format's reserved characters; only an argument that
    // holds one is quoted, since xdg-open without a desktop to hand the file
    // to takes quotes as part of the program's name.
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote =
        argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    std::string quoted = quote ? "\"" : "";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        // A lone '%' would start a field code.
        if (c == '%') quoted += '%';
        quoted += c;
    }
    if (quote) quoted += '"';
    // The string value's escapes are undone before the quoting.
    return EscapeDesktopString(quoted);
}

std::vector<std::string> DefaultDataDirs() {
    const char* value = std::getenv("XDG_DATA_DIRS");
    const std::string dirs =
        value != nullptr && *value != '\0' ? value : "/usr/local/share/:/usr/share/";
    std::vector<std::string> list;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        if (end > start) list.push_back(dirs.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

bool RegisterFileType(const FileTypeRegistration& registration, const std::string& dataHome,
                      const std::vector<std::string>& dataDirs) {
    if (registration.FileType.empty() || registration.ProgramPath.empty() || dataHome.empty()) {
        return false;
    }
    const QDir home(QString::fromStdString(dataHome));
    const QString type = QString::fromStdString(MimeTypeName(registration.FileType));
    const QString name = FileNameOf(registration.FileType);
    const QString mimeDir = home.filePath(QStringLiteral("mime"));
    const QString packagesDir = home.filePath(QStringLiteral("mime/packages"));
    const QString applicationsDir = home.filePath(QStringLiteral("applications"));
    const QString ownPackage = name + QStringLiteral(".xml");

    bool claimExtension = false;
    const QString glob = GlobOf(registration.Extension);
    if (!registration.Extension.empty()) {
        const GlobClaims claims = FindGlobClaims(packagesDir, ownPackage, glob, type);
        // Another program's system-wide claim wins even over one of ours, so
        // that its files never open here.
        bool systemClaim = false;
        for (const std::string& dir : dataDirs) {
            systemClaim =
                systemClaim ||
                FindGlobClaims(
                    QDir(QString::fromStdString(dir)).filePath(QStringLiteral("mime/packages")),
                    QString(), glob, type)
                    .Foreign;
        }
        claimExtension = !systemClaim && (claims.Ours || !claims.Foreign);
    }

    const WriteResult package =
        WriteIfChanged(QDir(packagesDir).filePath(ownPackage),
                       MimePackage(registration, type, glob, claimExtension));
    const WriteResult entry =
        WriteIfChanged(QDir(applicationsDir).filePath(name + QStringLiteral(".desktop")),
                       DesktopEntry(registration, type));

    // The caches are rebuilt only when something changed or they are missing,
    // so that an ordinary start costs no tool run.
    if (package == WriteResult::Written ||
        (package == WriteResult::Unchanged &&
         !QFileInfo::exists(QDir(mimeDir).filePath(QStringLiteral("mime.cache"))))) {
        RunTool(QStringLiteral("update-mime-database"), mimeDir);
    }
    if (entry == WriteResult::Written ||
        (entry == WriteResult::Unchanged &&
         !QFileInfo::exists(QDir(applicationsDir).filePath(QStringLiteral("mimeinfo.cache"))))) {
        RunTool(QStringLiteral("update-desktop-database"), applicationsDir);
    }
    return package != WriteResult::Failed && entry != WriteResult::Failed;
}

}  // namespace zeko::platform
