#pragma once

namespace tavel {

// The owner and name of the program's settings file: what the windows
// remember across runs goes to ~/.config/tavel-builder/tavel-builder.conf.
inline constexpr const char* kSettingsOwner = "tavel-builder";

}  // namespace tavel
