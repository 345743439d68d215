// A fresh home for one test: $XDG_CONFIG_HOME, $XDG_DATA_HOME,
// $XDG_RUNTIME_DIR and $XDG_DATA_DIRS (the system's data, one folder) in a new
// temporary folder, and $PATH holding only an empty
// folder of that home, so that no test touches the user's real folders or
// runs the desktop's tools unless it puts them there itself.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace zeko::testing {

class TestHome {
  public:
    TestHome();
    ~TestHome();

    std::string Root() const { return dir_.path().toStdString(); }
    std::string Config() const { return Root() + "/config"; }
    std::string Data() const { return Root() + "/data"; }
    std::string Bin() const { return Root() + "/bin"; }
    std::string SystemData() const { return Root() + "/system"; }
    // Where the program's settings land.
    std::string SettingsFile() const { return Config() + "/zeko/settings.ini"; }

  private:
    QTemporaryDir dir_;
    std::vector<std::pair<std::string, std::string>> saved_;
};

class IsolatedTest : public ::testing::Test {
  protected:
    TestHome home_;
};

// Whole files, their folders made on the way.
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);

}  // namespace zeko::testing
