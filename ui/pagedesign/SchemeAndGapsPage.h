#pragma once

#include "design/PageDesignSettings.h"

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace tavel {

class UiServices;

// The "Design" tab of Page Design: the colour schemes, one of which the next
// OK applies, and the texts set around each menu item's caption.
class SchemeAndGapsPage : public QWidget {
    Q_OBJECT

public:
    explicit SchemeAndGapsPage(UiServices& services);

    void ListSchemes(const std::vector<std::string>& schemes);
    void ReadInto(PageDesignSettings& settings) const;
    void Show(const PageDesignSettings& settings);
    // "Default": no colour scheme is applied by the next OK.
    void ClearScheme();

private:
    void ApplyLinkClicked();
    // "Apply" only chooses: the line under the list says what OK applies.
    void ShowChosenScheme();

    UiServices& services_;
    QListWidget* schemeList_;
    QLabel* chosenScheme_;
    QCheckBox* leftUse_;
    QComboBox* leftText_;
    QCheckBox* rightUse_;
    QComboBox* rightText_;
};

}  // namespace tavel
