#pragma once

#include <string_view>

#include "text/text.h"

// The one conversion pair between GBK texts and UTF-8, used at the window's edge, for the
// CLI's arguments and output, and for decoding response bodies. Bytes that cannot be converted
// become '?'; the conversion never fails.
std::string GbkToUtf8(std::string_view gbk);
Text Utf8ToGbk(std::string_view utf8);

// ConvertToGbk: body bytes in the named character set (as a response declares it, such as
// "utf-8", "GB2312", "big5") as GBK text. GBK, GB2312 and GB18030 stay as they are; an empty
// charset gives the bytes unchanged; an unknown one as well.
Text ConvertToGbk(std::string_view bytes, std::string_view charset);

// True when bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);
