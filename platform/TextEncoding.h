#pragma once

#include <string>
#include <string_view>

namespace tavel {

// Whether the bytes are well-formed UTF-8 (plain ASCII is).
bool IsValidUtf8(std::string_view bytes);

// The characters of a text held as bytes: UTF-8 when the bytes are UTF-8,
// else Windows-1252, the code page of projects written on Windows (its five
// undefined bytes stand for the C1 controls of the same number).
std::u32string TextCharacters(std::string_view bytes);

// The same text as UTF-8: UTF-8 bytes as they are, others read as
// Windows-1252.
std::string AsUtf8(std::string_view bytes);

}  // namespace tavel
