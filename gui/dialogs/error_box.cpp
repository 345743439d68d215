#include "gui/dialogs/error_box.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "settings/text_id.h"
#include "settings/text_table.h"

namespace zeko::gui {

void ShowErrorBox(QWidget* parent, const std::string& source, const std::string& description) {
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(source),
                    QString::fromStdString(description), QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)
        ->setText(QString::fromStdString(settings::texts::GetText(settings::kTextOk)));
    box.exec();
}

}  // namespace zeko::gui
