#pragma once

#include "project/NewMenu.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavel {

class FolderTreePicker;
class StyleList;
class StyleMasterDialog;
class UiServices;

// The "New Menu" dialog: a caption, a folder and a style for a new menu, or
// a style alone to restyle the open one. Created once; it keeps its fields
// between uses. "Own style..." opens the Style Master to make a user style.
class NewMenuDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { Create, SkinOnly };

    NewMenuDialog(const Workspace& workspace, UiServices& services, QWidget* parent = nullptr);
    void SetStyleMaster(StyleMasterDialog* styleMaster) { styleMaster_ = styleMaster; }

    // Lists the user styles after the provided ones, keeping the selection
    // when it is still there.
    void ListUserStyles();
    // What the dialog closed with, valid after it was accepted.
    Choice Chosen() const { return choice_; }
    StyleChoice SelectedStyle() const;
    std::string MenuCaption() const;
    std::string Directory() const;

private:
    // The list's selection: shows the style's picture, enables deleting a
    // user style, and for "Own style..." opens the Style Master.
    void SelectEntry(int index);
    void DeleteSelectedUserStyle();
    void ToggleFolderTree();
    void ChooseFolderFromTree();
    void CloseFolderTree();
    StyleChoice StyleAt(int index) const;
    void MakeOwnStyle();
    void Select(int index);
    std::string FreshStyleName() const;
    void ShowError(const std::exception& error);

    const Workspace& workspace_;
    UiServices& services_;
    StyleMasterDialog* styleMaster_ = nullptr;
    Choice choice_ = Choice::Create;
    int lastStyle_ = 1;

    QLineEdit* captionEdit_;
    StyleList* styleList_;
    QLabel* stylePicture_;
    QPushButton* deleteStyleButton_;
    QLineEdit* directoryEdit_;
    FolderTreePicker* folderTree_;
};

}  // namespace tavel
