#include "platform/temporary_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "platform/single_instance.h"

namespace zeko::platform {

namespace {

constexpr char kPrefix[] = "zeko-";

}  // namespace

std::string TemporaryFolderTemplate(const std::string& purpose) {
    return RuntimeFilePath(kPrefix + purpose + "-XXXXXX");
}

void RemoveStaleTemporaryFolders() {
    const QDir runtime(QFileInfo(QString::fromStdString(RuntimeFilePath(""))).path());
    // A link is never followed: only the folders themselves go.
    const QStringList stale =
        runtime.entryList({QLatin1String(kPrefix) + QStringLiteral("*-??????")},
                          QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden);
    for (const QString& name : stale)
        QDir(runtime.filePath(name)).removeRecursively();
}

}  // namespace zeko::platform
