#pragma once

#include <initializer_list>

class QObject;

namespace tavel {

// Every window and control carries a stable object name ("TForm2",
// "Edit1", "BitBtn4", "Action17") by which tests and automation find it.
// Each window sets them in one table at the end of its constructor, so the
// whole mapping of a window reads in one place; the program itself keeps
// pointers to its controls and never looks one up by name.
struct FormName {
    QObject* object;
    const char* name;
};

void SetFormNames(std::initializer_list<FormName> table);

}  // namespace tavel
