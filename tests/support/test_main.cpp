// The one main of every test program: a temporary home under every test, and
// Qt's offscreen platform, so that no test needs a display or touches the
// user's folders.

#include <QApplication>

#include "tests/support/test_home.h"

namespace {

struct TemporaryHomeEnvironment : ::testing::Environment {
    void SetUp() override { home = std::make_unique<zeko::testing::TestHome>(); }
    void TearDown() override { home.reset(); }
    std::unique_ptr<zeko::testing::TestHome> home;
};

// The offscreen platform says these of every dialog it shows and every window
// brought to the front; they are no finding.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("does not support propagateSizeHints")) &&
        !message.contains(QLatin1String("does not support raise()")))
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
