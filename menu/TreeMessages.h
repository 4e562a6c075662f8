#pragma once

namespace tavel::treemessage {

// The tree commands' own words, shown as they stand.
inline constexpr const char* kNoUpperMenu = "No upper menu! To use menu add items!";
inline constexpr const char* kEmptyItem = "Cann't add subitem to empty item!";
inline constexpr const char* kTooDeep = "Cann't create more than 3-level menu!";
inline constexpr const char* kWarningCaption = "Warning!";

}  // namespace tavel::treemessage
