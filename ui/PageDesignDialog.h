#pragma once

#include <QDialog>

namespace tavel {

class UiServices;
class Workspace;

// The "Project properties" dialog: the page design dialog.
// Created once at start-up, when it lists the button images into the
// workspace's button list; its other controls come with the command that
// opens it.
class PageDesignDialog : public QDialog {
    Q_OBJECT

public:
    PageDesignDialog(Workspace& workspace, UiServices& services, QWidget* parent = nullptr);
};

}  // namespace tavel
