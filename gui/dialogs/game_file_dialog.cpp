#include "gui/dialogs/game_file_dialog.h"

#include <QFileDialog>

namespace zeko::gui {

void PrepareGameFileDialog(QFileDialog& dialog, bool save) {
    // Qt's own dialog speaks the program's language, not the desktop's.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(
        {QStringLiteral("Zeko Game Files (*.zgf)"), QStringLiteral("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("zgf"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
}

}  // namespace zeko::gui
