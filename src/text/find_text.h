#pragma once

#include <string_view>

// FindText: the position (from 1, counted from the start of the whole text) of the first match
// of target that begins on a character start at or after position start, or -1.
// A start of 1 or less searches from the first byte; a start past the last byte gives -1.
// An empty target gives 1 when the searched part is not empty. With ignoreCase, ASCII letters
// fold byte by byte, the second byte of a two-byte character included. A lead byte that is the
// text's last byte ends the search with -1.
// Example: FindText("a新b", "b") is 4; FindText("\xB0\x41", "A") is -1 (a second byte).
int FindText(std::string_view text, std::string_view target, int start = 0,
             bool ignoreCase = false);
