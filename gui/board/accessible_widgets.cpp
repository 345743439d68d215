#include "gui/board/accessible_widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>
#include <QWidget>

#include "gui/board/board_view.h"
#include "gui/board/clock_face.h"
#include "gui/board/pit_view.h"

namespace zeko::gui {

namespace {

constexpr char kDecoration[] = "zekoAccessibleDecoration";

bool IsDecoration(const QObject& object) {
    return object.property(kDecoration).toBool();
}

// A pit: on the board a button whose press plays it, as a click does. The
// interface may be made before the pit becomes a button, so it asks each time.
class PitButton : public QAccessibleWidget {
  public:
    explicit PitButton(PitView* pit) : QAccessibleWidget(pit) {}

    QAccessible::Role role() const override {
        return Pit().IsButton() ? QAccessible::Button : QAccessibleWidget::role();
    }
    QStringList actionNames() const override {
        if (!Pit().IsButton()) return QAccessibleWidget::actionNames();
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            Pit().Press();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction() && Pit().IsButton()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

  private:
    PitView& Pit() const { return *static_cast<PitView*>(widget()); }
};

// A widget whose decorative children are left out.
class WithoutDecoration : public QAccessibleWidget {
  public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

  private:
    QList<QWidget*> Children() const {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !IsDecoration(*child))
                children.append(child);
        }
        return children;
    }
};

QAccessibleInterface* OwnInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class from the most derived one up: only the widget's
    // own class is answered here, and Qt's own widgets are left to Qt.
    if (widget == nullptr || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* pit = qobject_cast<PitView*>(widget)) return new PitButton(pit);
    // The widgets that have decorative children.
    if (qobject_cast<BoardView*>(widget) != nullptr || qobject_cast<ClockFace*>(widget) != nullptr)
        return new WithoutDecoration(widget);
    return nullptr;
}

}  // namespace

void InstallAccessibleWidgets() {
    QAccessible::installFactory(OwnInterface);
}

void HideFromAccessibility(QWidget& widget) {
    widget.setProperty(kDecoration, true);
}

}  // namespace zeko::gui
