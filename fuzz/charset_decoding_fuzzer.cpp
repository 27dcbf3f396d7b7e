// The decoding of response bodies: arbitrary bytes under each declared charset, and the
// window's conversion pair.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static constexpr std::string_view kCharsets[] = {"",       "gbk",       "GB2312", "gb18030",
                                                   "utf-8",  "UTF8",      "big5",   "iso-8859-1",
                                                   "utf-16", "x-nonsense"};
  const std::string_view charset = kCharsets[data[0] % std::size(kCharsets)];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  ConvertToGbk(bytes, charset);
  IsValidUtf8(bytes);
  Utf8ToGbk(GbkToUtf8(bytes));
  return 0;
}
