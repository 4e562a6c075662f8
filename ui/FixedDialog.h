#pragma once

#include <QDialog>

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

}  // namespace tavel
