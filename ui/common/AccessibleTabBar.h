#pragma once

namespace tavel {

// Makes every tab bar tell a screen reader the name of the pages it
// switches (the accessible name of its tab widget), where Qt gives the
// current tab's caption and keeps it when the tab changes; its tabs say
// "focused" only while the tab bar has the keyboard, and the tab widget
// around it never does. Call once, before the first reader asks; later
// calls change nothing.
void UseNamedTabBars();

}  // namespace tavel
