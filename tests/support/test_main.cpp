// The one main of every test program: a temporary home under every test, and
// Qt's offscreen platform, so that no test needs a display or touches the
// user's folders.

#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "tests/support/test_home.h"

namespace {

class TemporaryHomeEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { home_ = std::make_unique<zeko::testing::TestHome>(); }
    void TearDown() override { home_.reset(); }

  private:
    std::unique_ptr<zeko::testing::TestHome> home_;
};

// The offscreen platform says these of every dialog it shows and every window
// brought to the front; they are no finding.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
    if (message.contains(QLatin1String("does not support raise()"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TemporaryHomeEnvironment);
    qInstallMessageHandler(QuietHandler);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
