#pragma once

namespace tavel {

// The program's name, as its title bars and message boxes show it.
inline constexpr const char* kApplicationTitle = "Tavel Builder";
inline constexpr const char* kApplicationVersion = "2.1";

}  // namespace tavel
