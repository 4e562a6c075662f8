#pragma once

#include "project/TreeCommands.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tavel {

// The Edit Item dialog, shared by Add item, Add subitem and Edit item. It
// lives for the whole run and keeps its texts between uses.
class ItemDialog : public QDialog {
    Q_OBJECT

public:
    explicit ItemDialog(QWidget* parent = nullptr);

    ItemTexts Texts() const;
    void SetTexts(const ItemTexts& texts);
    // Whether the menu data script the texts go into is in the 8-bit code
    // page: typed text is then written in it too, so one file never holds
    // two encodings.
    void SetEightBitScript(bool eightBit) { eightBitScript_ = eightBit; }
    // A menu-bar title is written with its caption and link only: for one,
    // the Hint field is disabled and says so, and the hint it held is kept
    // for the next item that has one.
    void SetMenuBarTitle(bool title);
    // What the dialog is open for ("Adds a subitem to ..."), which its
    // caption keeps to itself: a screen reader hears it with the first field.
    void SetUse(const QString& text);

    QLineEdit* CaptionEdit() const { return captionEdit_; }
    QLineEdit* HintEdit() const { return hintEdit_; }
    QLineEdit* LinkEdit() const { return linkEdit_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* captionEdit_;
    QLineEdit* hintEdit_;
    QLineEdit* linkEdit_;
    QPushButton* ok_;
    // The bytes last put into the fields: a field left as it was shown gives
    // them back unchanged, and an edited one is written in their encoding.
    ItemTexts shownFrom_;
    bool eightBitScript_ = false;
    // The hint the field holds while it stands disabled for a title.
    QString heldHint_;
};

}  // namespace tavel
