#pragma once

namespace tavel::exitstatus {

// What the command line's exit status says.
inline constexpr int kDone = 0;           // done; for check-links, every link checked and fine
inline constexpr int kBrokenLinks = 1;    // check-links: at least one link broken
inline constexpr int kRefused = 2;        // could not run or was refused; nothing was changed
inline constexpr int kLinksUnchecked = 3;  // check-links: none broken, but some could not be checked

}  // namespace tavel::exitstatus
