#pragma once

namespace tavel {

// Makes every combo box tell a screen reader its name (its accessible name,
// or its buddy label's text) and, apart from it, its value. Qt on Linux
// gives a combo box's current text as its name, so a reader would announce
// "Hot summer" where the label says "Provided Styles". Call once, before
// the first reader asks; later calls change nothing.
void UseNamedComboBoxes();

}  // namespace tavel
