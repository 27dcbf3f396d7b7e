// Texts are GBK bytes: a byte below 0x80 is one ASCII character, a byte of 0x80 or above starts
// a two-byte character together with the byte after it. Lengths and positions count bytes;
// positions start at 1. The empty text and an absent text are the same.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using Text = std::string;
using TextList = std::vector<Text>;
// Fragments of a text that stays alive while they are used: searches copy nothing.
using TextViews = std::vector<std::string_view>;

// TextLength: the number of bytes. TextLength("新款") is 4.
inline int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

// True for a byte that starts a two-byte character.
inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
