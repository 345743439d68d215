#include "tests/support/test_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <stdexcept>

namespace zeko::testing {

TestHome::TestHome() {
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    for (const auto& [name, folder] : {std::pair{"XDG_CONFIG_HOME", Config()},
                                       {"XDG_DATA_HOME", Data()},
                                       {"XDG_RUNTIME_DIR", Root() + "/runtime"},
                                       {"XDG_DATA_DIRS", SystemData()},
                                       {"PATH", Bin()}}) {
        const char* value = std::getenv(name);
        saved_.emplace_back(name, value != nullptr ? value : "");
        QDir().mkpath(QString::fromStdString(folder));
        ::setenv(name, folder.c_str(), 1);
    }
    QFile::setPermissions(QString::fromStdString(Root() + "/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TestHome::~TestHome() {
    for (const auto& [name, value] : saved_)
        ::setenv(name.c_str(), value.c_str(), 1);
}

void WriteFile(const std::string& path, const std::string& content) {
    QFile file(QString::fromStdString(path));
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray::fromStdString(content));
}

std::string ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

}  // namespace zeko::testing
