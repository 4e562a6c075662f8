#pragma once

#include "design/PageDesignSettings.h"

#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QListWidget;

namespace tavel {

class ButtonStyleList;
class UiServices;

// The "Buttons" tab of Page Design: the button images by name, the selected
// one shown behind a caption as the menu draws it, and a button that opens
// the image for editing.
class ButtonStylePage : public QWidget {
    Q_OBJECT

public:
    using ErrorReport = std::function<void(const std::string&)>;

    // `buttons` is filled by the dialog; `reportError` shows an image that
    // cannot be read.
    ButtonStylePage(ButtonStyleList& buttons, UiServices& services, ErrorReport reportError);

    // Lists the button list's entries, once it is filled.
    void ListEntries();
    void ReadInto(PageDesignSettings& settings) const;
    void Show(const PageDesignSettings& settings);

private:
    void ShowButton(int row);
    void EditButton();

    ButtonStyleList& buttons_;
    UiServices& services_;
    ErrorReport reportError_;
    QListWidget* list_;
    QLabel* picture_;
    QLabel* pictureCaption_;
};

}  // namespace tavel
