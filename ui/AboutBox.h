#pragma once

#include <QDialog>

class QLabel;

namespace tavel {

class UiServices;

// The About box.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kMakerAddress = "tavel-builder.example";

    AboutBox(UiServices& services, QWidget* parent = nullptr);

    // Opens the maker's address with the desktop.
    void OpenMakerAddress();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UiServices& services_;
    QLabel* makerAddress_;
};

}  // namespace tavel
