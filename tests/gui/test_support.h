// What the screen and dialog tests share: the language they run in, a help
// viewer that records, texts of either language, and looking at pixels.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/help_viewer.h"
#include "settings/colour_schemes.h"

class QWidget;

namespace zeko::testing {

// Makes `language` the current one while it lives.
class LanguageScope {
  public:
    explicit LanguageScope(int16_t language);
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;
    ~LanguageScope();

  private:
    int16_t previous_;
};

struct HelpCall {
    std::string Kind;  // "topic", "contents" or "index"
    std::string Topic;
};

// Receives every help call while it lives.
class RecordingHelp : public platform::HelpViewer {
  public:
    RecordingHelp() : installation_(*this) {}
    void ShowTopic(QObject*, const std::string&, const std::string& topic) override {
        calls.push_back({"topic", topic});
    }
    void ShowContents(QObject*, const std::string&) override { calls.push_back({"contents", {}}); }
    void ShowIndex(QObject*, const std::string&) override { calls.push_back({"index", {}}); }

    std::vector<HelpCall> calls;

  private:
    platform::HelpViewerInstallation installation_;
};

// The shipped texts of one language, without the program's text table.
std::string EnglishText(int number);
std::string DutchText(int number);

QColor ItemColour(const settings::ColourTable& table, int item);

// A plain square icon in one colour.
QIcon TestIcon(QColor colour = QColor(10, 200, 30));

// What the widget shows now, in its own pixels.
QImage Render(QWidget& widget);

// Pixels of exactly `colour` inside `area`.
int CountPixels(const QImage& image, QColor colour, QRect area);

// The smallest rectangle inside `area` holding every pixel for which
// `matches` holds; none when no pixel does.
template <typename Predicate>
std::optional<QRect> Extent(const QImage& image, QRect area, Predicate matches) {
    std::optional<QRect> extent;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (!matches(image.pixelColor(x, y))) continue;
            extent = extent ? extent->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
        }
    }
    return extent;
}

}  // namespace zeko::testing
