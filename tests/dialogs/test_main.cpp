// The widget tests run on Qt's offscreen platform, needing no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

// The offscreen platform says this of every dialog it shows; it is no finding.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    qInstallMessageHandler(QuietHandler);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
