#pragma once

#include <QDialog>

#include <string>
#include <utility>
#include <vector>

class QPushButton;
class QTableWidget;

namespace tavel {

class UiServices;

// The "Style Master": the fourteen entries of a style file as a name/value
// list. Values are typed, and colours can also be picked from the colour
// dialog. What OK means is up to whoever opened it.
class StyleMasterDialog : public QDialog {
    Q_OBJECT

public:
    explicit StyleMasterDialog(UiServices& services, QWidget* parent = nullptr);

    // Fills the list from style-file lines (names before the first "=",
    // values after it); missing lines take the defaults.
    void SetLines(const std::vector<std::string>& lines);
    // The entries as (name, value), values trimmed of surrounding blanks.
    std::vector<std::pair<std::string, std::string>> Entries() const;
    void SetValue(int line, const QString& value);  // line from 1

    // Picks the colour of the current entry with the colour dialog.
    void PickColour();

    // OK: a colour entry typed here that is not a CSS colour is refused
    // with a message naming it, and the dialog stays. Values as the style
    // file gave them pass as they are.
    void accept() override;

private:
    void UpdateSwatch(int row);

    UiServices& services_;
    QTableWidget* list_;
    QPushButton* colourButton_;
    std::vector<std::string> given_;  // the values SetLines put in
};

}  // namespace tavel
