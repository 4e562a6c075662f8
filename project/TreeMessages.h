#pragma once

namespace tavel::treemessage {

// What the window says for the tree commands' outcomes: TreeCommands decides
// which is due, the window shows it in these words.
inline constexpr const char* kNoUpperMenu = "No upper menu! To use menu add items!";
inline constexpr const char* kEmptyItem = "Cann't add subitem to empty item!";
inline constexpr const char* kTooDeep = "Cann't create more than 3-level menu!";
inline constexpr const char* kWarningCaption = "Warning!";

// Why a move (a drag or a keyboard move) is refused, shown in the status bar.
inline constexpr const char* kMoveTooDeep = "A menu has at most three levels";
inline constexpr const char* kMoveIntoItself = "An item cannot move into itself";

}  // namespace tavel::treemessage
