#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tavel {

// The core keeps texts as 8-bit bytes; the windows show them as UTF-8. Many
// projects were written elsewhere in the Windows-1252 code page, so a text
// that is not valid UTF-8 is shown as Windows-1252 instead, and what the user
// edits in it goes back in that code page: its other bytes never change and
// no character turns into U+FFFD.
QString Shown(std::string_view bytes);

// Whether the bytes are valid UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view bytes);

// The text as UTF-8 bytes.
std::string Bytes(const QString& text);

// The text in the encoding `original` was shown in: Windows-1252 when the
// original was not valid UTF-8, else UTF-8. A character the code page lacks
// is written as UTF-8 rather than dropped.
std::string EncodedLike(const QString& text, std::string_view original);

// The text for a file written in one encoding throughout: Windows-1252 when
// `eightBitFile`, else UTF-8. A character the code page lacks is written as
// UTF-8 rather than dropped.
std::string EncodedFor(const QString& text, bool eightBitFile);

// A project text in a text editor: CR LF becomes the editor's line break,
// and back, in the encoding of the text the editor was filled from.
QString EditorText(std::string_view crlfText);
std::string ProjectText(const QString& editorText, std::string_view shownFrom = {});

}  // namespace tavel
