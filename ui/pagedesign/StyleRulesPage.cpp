#include "ui/pagedesign/StyleRulesPage.h"

#include "ui/common/AccessibleNames.h"
#include "ui/common/FormNames.h"
#include "ui/common/LocalText.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel {
namespace {

constexpr const char* kLineDraws[] = {"none", "underline", "overline"};

}  // namespace

StyleRulesPage::StyleRulesPage(Links links) : firstRule_(links == Links::Titles ? 0 : 2) {
    RuleControls& normal = states_[0];
    RuleControls& hover = states_[1];
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildState(normal, "Normal state", 30));
    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addWidget(BuildState(hover, "Hover state", 20));

    // Both halves have labels of the same words: each name says its state.
    SetAccessibleNames({
        {normal.bold, "Bold, normal state"}, {normal.size, "Inc. size %, normal state"},
        {normal.lineDraw, "Line draw, normal state"}, {normal.font, "Font, normal state"},
        {hover.bold, "Bold, hover state"}, {hover.size, "Inc. size %, hover state"},
        {hover.lineDraw, "Line draw, hover state"}, {hover.font, "Font, hover state"},
    });
    if (links == Links::Titles) {
        SetFormNames({
            {normal.bold, "CheckBox3"}, {normal.size, "SpinEdit1"}, {normal.lineDraw, "ComboBox1"}, {normal.font, "FontName"},
            {hover.bold, "CheckBox4"},  {hover.size, "SpinEdit2"},  {hover.lineDraw, "ComboBox4"},  {hover.font, "FontNames"},
        });
    } else {
        SetFormNames({
            {normal.bold, "CheckBox5"}, {normal.size, "SpinEdit3"}, {normal.lineDraw, "ComboBox5"}, {normal.font, "ComboBox6"},
            {hover.bold, "CheckBox6"},  {hover.size, "SpinEdit4"},  {hover.lineDraw, "ComboBox7"},  {hover.font, "ComboBox8"},
        });
    }
}

QWidget* StyleRulesPage::BuildState(RuleControls& rule, const char* title, int size) {
    auto* half = new QWidget;
    auto* heading = new QLabel(title, half);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    rule.bold = new QCheckBox("Bold");
    rule.size = new QSpinBox;
    rule.size->setRange(-200, 200);
    rule.size->setValue(size);
    rule.lineDraw = new QComboBox;
    for (const char* word : kLineDraws) rule.lineDraw->addItem(word);
    rule.font = new QComboBox;
    rule.font->setEditable(true);
    // A font name may be long; the list opens wide enough, the box stays narrow.
    rule.font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    rule.font->setMinimumContentsLength(14);

    // "Inc. size                 %" with the spin field between its words.
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel("Inc. size"));
    sizeRow->addWidget(rule.size);
    sizeRow->addWidget(new QLabel("%"));
    sizeRow->addStretch();

    auto* layout = new QVBoxLayout(half);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(rule.bold);
    layout->addLayout(sizeRow);
    layout->addWidget(new QLabel("Line draw"));
    layout->addWidget(rule.lineDraw);
    layout->addWidget(new QLabel("Font"));
    layout->addWidget(rule.font);
    layout->addStretch();
    return half;
}

void StyleRulesPage::ListFonts(const QStringList& normal, const QStringList& hover) {
    states_[0].font->addItems(normal);
    states_[1].font->addItems(hover);
    for (RuleControls& rule : states_) {
        rule.font->setCurrentText("");
        // The box stays narrow; its open list is as wide as the longest name.
        rule.font->view()->setMinimumWidth(rule.font->view()->sizeHintForColumn(0) + 24);
    }
}

void StyleRulesPage::ReadInto(PageDesignSettings& settings) const {
    for (size_t i = 0; i < states_.size(); ++i) {
        const RuleControls& rule = states_[i];
        settings.rules[firstRule_ + i] = {rule.bold->isChecked(), rule.size->value(),
                                          static_cast<LineDraw>(std::max(0, rule.lineDraw->currentIndex())),
                                          Bytes(rule.font->currentText())};
    }
}

void StyleRulesPage::Show(const PageDesignSettings& settings) {
    for (size_t i = 0; i < states_.size(); ++i) {
        const RuleControls& rule = states_[i];
        const StyleRuleSettings& shown = settings.rules[firstRule_ + i];
        rule.bold->setChecked(shown.bold);
        rule.size->setValue(shown.sizeIncrease);
        if (shown.lineDraw != LineDraw::Unchanged) rule.lineDraw->setCurrentIndex(static_cast<int>(shown.lineDraw));
        rule.font->setCurrentText(Shown(shown.fontFamily));
    }
}

}  // namespace tavel
