#pragma once

#include <QDialog>

namespace tavel {

// A dialog with a fixed border and the given caption, centred on its parent.
inline void MakeFixedDialog(QDialog& dialog, const char* objectName, const char* caption) {
    dialog.setObjectName(objectName);
    dialog.setWindowTitle(caption);
    dialog.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

}  // namespace tavel
