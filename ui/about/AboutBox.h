#pragma once

#include <QDialog>

namespace tavel {

class LinkLabel;
class UiServices;

// The About box.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kMakerAddress = "tavel-builder.example";

    AboutBox(UiServices& services, QWidget* parent = nullptr);

    // Opens the maker's address with the desktop.
    void OpenMakerAddress();

private:
    UiServices& services_;
    LinkLabel* makerAddress_;
};

}  // namespace tavel
