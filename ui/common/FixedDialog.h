#pragma once

#include <QDialog>
#include <QGridLayout>
#include <QMessageBox>

namespace tavel {

// The title bar of a dialog that cannot be resized: a caption and a close
// button, and no minimise or maximise buttons that would do nothing.
inline void MakeFixedTitleBar(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
}

// A dialog with a fixed border and the given caption, centred on its parent.
inline void MakeFixedDialog(QDialog& dialog, const QString& caption) {
    dialog.setWindowTitle(caption);
    MakeFixedTitleBar(dialog);
}

// Room in a title bar beside its caption: the window's icon and its
// buttons, as the window managers draw them.
inline constexpr int kTitleBarControlsWidth = 120;

// A message box sizes itself by its text; a short text ("Blue.csm") would
// leave the caption cut to "T...". This makes it wide enough for its
// caption in the bold face title bars use.
inline void WidenToTitle(QMessageBox& box) {
    QFont bold = box.font();
    bold.setBold(true);
    const int needed = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarControlsWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

}  // namespace tavel
