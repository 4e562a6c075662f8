#pragma once

#include <initializer_list>

class QFileDialog;
class QToolBar;
class QWidget;

namespace tavel {

// What a screen reader says for a control no visible label names: an
// icon-only button, a list or a picture without a label of its own, a field
// whose label stands for several, a control whose caption is its value.
// Each window names such controls in one table, beside its form names; a
// control whose own caption names it, or whose label is its buddy, needs no
// row. A description, where given, is what the reader adds after the name
// (a tooltip is added without one).
struct AccessibleName {
    QWidget* control;
    const char* name;
    const char* description = nullptr;
};

void SetAccessibleNames(std::initializer_list<AccessibleName> table);

// Qt's own file dialog (where the desktop offers none) leaves its folder
// and file type lists without names; their labels give them one.
void NameFileDialogLists(QFileDialog& dialog);

// The button a toolbar shows for the commands that do not fit, a part of
// Qt's that comes without a name.
QWidget* OverflowButton(const QToolBar& bar);

}  // namespace tavel
