#pragma once
// Text between the window system (std::string, "\r\n" line breaks, '&' mnemonics) and Qt.

#include <QString>
#include <string>
#include <string_view>

namespace tra1::qtui {

// UTF-8 when the bytes are valid UTF-8, else Latin-1 (names read from the receiver or a file
// may carry single-byte characters). "\r\n" becomes "\n".
QString ToQString(std::string_view text);
// Back to the window system: UTF-8, "\n" becomes "\r\n" when `crlf` is set (multi-line edits).
std::string FromQString(const QString& text, bool crlf = false);
// A label's text as the toolkit draws it: "&x" shows "x", "&&" shows "&".
QString WithoutMnemonics(const QString& text);

}  // namespace tra1::qtui
