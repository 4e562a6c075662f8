#pragma once

#include "design/ButtonStyleList.h"
#include "design/PageDesignSettings.h"

#include <QDialog>

#include <string>
#include <vector>

namespace tavel {

class ButtonStylePage;
class SchemeAndGapsPage;
class StyleRulesPage;
class UiServices;
class Workspace;

// The "Project properties" dialog: button image, colour scheme, gaps, and
// the fonts of title and menu items, one tab each. It lists the button
// images, colour schemes and fonts once, when it is created, and keeps its
// values between uses; it only shows and takes values, the core reads and
// applies them.
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
    void FillLists(const Workspace& workspace);
    void ShowError(const std::string& text);

    UiServices& services_;
    ButtonStyleList& buttons_;

    ButtonStylePage* buttonsPage_;
    SchemeAndGapsPage* designPage_;
    StyleRulesPage* titlesPage_;
    StyleRulesPage* itemsPage_;
};

}  // namespace tavel
