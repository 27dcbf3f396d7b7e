#pragma once

#include <string_view>

#include "text/text.h"

// SplitText: the pieces between exact matches of delimiter, found character by character.
// An empty text gives no piece; an empty delimiter gives the whole text; a leading delimiter
// gives an empty first piece; the last piece is kept only when it is not empty. At most
// maxPieces, the first ones.
TextViews SplitText(std::string_view text, std::string_view delimiter,
                    std::size_t maxPieces = static_cast<std::size_t>(-1));

// MidText: at most length bytes from position start (from 1); the empty text when start lies
// outside the text or length is below 1. Cuts by bytes.
std::string_view MidText(std::string_view text, int start, int length);

// RemoveAll: the text with every exact, non-overlapping match of target that begins on a
// character start removed, left to right. RemoveAll("新 款", " ") is "新款".
Text RemoveAll(std::string_view text, std::string_view target);

// TrimSpaces: leading and trailing ASCII spaces and full-width spaces (A1 A1) dropped, and a lone
// lead byte at the very end dropped.
Text TrimSpaces(std::string_view text);

// BytesToText: the bytes up to the first zero byte, as GBK text without conversion (a view into
// bytes, copying nothing).
std::string_view BytesToText(std::string_view bytes);
