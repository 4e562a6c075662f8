#pragma once

#include "design/ButtonStyleList.h"
#include "design/ColourSchemeList.h"
#include "design/PageDesignSettings.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace tavel {

class UiServices;
class Workspace;

// The "Project properties" dialog: button image, colour scheme, gaps, and
// the fonts of title and menu items. It lists the button images, colour
// schemes and fonts once, when it is created, and keeps its values between
// uses; it only shows and takes values, the core reads and applies them.
class PageDesignDialog : public QDialog {
    Q_OBJECT

public:
    // The button list is the workspace's: Save as carries the entry chosen
    // here into a new project folder.
    PageDesignDialog(Workspace& workspace, UiServices& services, QWidget* parent = nullptr);

    PageDesignSettings Settings() const;
    void SetSettings(const PageDesignSettings& settings);
    const std::vector<std::string>& ButtonEntries() const { return buttons_.Entries(); }

    // "Default": no colour scheme is applied by the next OK.
    void ClearScheme();

private:
    struct RuleGroup {
        QCheckBox* bold;
        QSpinBox* size;
        QComboBox* lineDraw;
        QComboBox* font;
    };

    QWidget* BuildButtonsTab();
    QWidget* BuildDesignTab();
    QWidget* BuildRulesTab(int firstGroup, const char* const names[2][4]);
    QWidget* BuildRuleGroup(RuleGroup& group, const char* title, const char* const names[4], int size);
    void FillLists(const Workspace& workspace);
    void ShowButton(int row);
    void EditButton();
    void ApplyLinkClicked();
    void ShowError(const std::string& text);

    UiServices& services_;
    ButtonStyleList& buttons_;
    ColourSchemeList schemes_;

    QTabWidget* tabs_;
    QListWidget* buttonList_;
    QLabel* picture_;
    QListWidget* schemeList_;
    QCheckBox* leftUse_;
    QComboBox* leftText_;
    QCheckBox* rightUse_;
    QComboBox* rightText_;
    std::array<RuleGroup, 4> groups_{};
};

}  // namespace tavel
