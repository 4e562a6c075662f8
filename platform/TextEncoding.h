#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavel {

// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves
// undefined map to the C1 controls of the same number, so every byte comes
// back as it was.
inline constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Whether the bytes are well-formed UTF-8 (plain ASCII is).
bool IsValidUtf8(std::string_view bytes);

// The characters of a text held as bytes: UTF-8 when the bytes are UTF-8,
// else Windows-1252, the code page of projects written on Windows (its five
// undefined bytes stand for the C1 controls of the same number).
std::u32string TextCharacters(std::string_view bytes);

// The same text as UTF-8: UTF-8 bytes as they are, others read as
// Windows-1252.
std::string AsUtf8(std::string_view bytes);

// The bytes read as Windows-1252, whatever they are, as UTF-8.
std::string Windows1252AsUtf8(std::string_view bytes);

}  // namespace tavel
