#pragma once

namespace tavel {

// The program's name, as its title bars and message boxes show it.
inline constexpr const char* kApplicationTitle = "Tavel Builder";

}  // namespace tavel
