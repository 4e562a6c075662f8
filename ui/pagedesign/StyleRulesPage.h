#pragma once

#include "design/PageDesignSettings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace tavel {

// A tab of Page Design for the two menu-link rules of the titles or of the
// menu items: the normal state and the hover state, each with bold, a size
// increase, a line and a font.
class StyleRulesPage : public QWidget {
    Q_OBJECT

public:
    enum class Links { Titles, Items };

    explicit StyleRulesPage(Links links);

    // The font families each state's font box offers.
    void ListFonts(const QStringList& normal, const QStringList& hover);
    void ReadInto(PageDesignSettings& settings) const;
    void Show(const PageDesignSettings& settings);

private:
    struct RuleControls {
        QCheckBox* bold;
        QSpinBox* size;
        QComboBox* lineDraw;
        QComboBox* font;
    };

    QWidget* BuildState(RuleControls& rule, const char* title, int size);

    // Where the normal state's rule is in PageDesignSettings::rules; the
    // hover state's follows it.
    size_t firstRule_;
    std::array<RuleControls, 2> states_{};
};

}  // namespace tavel
