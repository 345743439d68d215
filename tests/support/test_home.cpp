#include "tests/support/test_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

namespace zeko::testing {

namespace {

const char* const kVariables[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "PATH"};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

const std::string& TestHome::OriginalPath() {
    static const std::string path = Environment("PATH");
    return path;
}

TestHome::TestHome() {
    OriginalPath();
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    for (const char* name : kVariables)
        saved_.emplace_back(name, Environment(name));
    for (const std::string& folder : {Config(), Data(), Runtime(), Bin()}) {
        QDir().mkpath(QString::fromStdString(folder));
    }
    ::chmod(Runtime().c_str(), 0700);
    ::setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    ::setenv("XDG_DATA_HOME", Data().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", Runtime().c_str(), 1);
    ::setenv("PATH", Bin().c_str(), 1);
}

TestHome::~TestHome() {
    for (const auto& [name, value] : saved_)
        ::setenv(name.c_str(), value.c_str(), 1);
}

std::string TestHome::Root() const {
    return dir_.path().toStdString();
}

void WriteFile(const std::string& path, const std::string& content) {
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace zeko::testing
