#include "text/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

// GB18030 stands for GBK on the iconv side: it gives the very same bytes for every GBK
// character and also decodes the codes that glibc's own GBK table leaves out.
constexpr const char* kGbkSide = "GB18030";

// One iconv descriptor for one direction. A descriptor keeps conversion state and must not be
// shared between threads, so callers hold one per call or per thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The converted bytes; an input byte that cannot be converted (an invalid or incomplete
  // sequence) becomes '?' and the conversion goes on with the next byte, so it always ends.
  std::string Run(std::string_view input) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    std::string out(input.size() * 2 + 16, '\0');
    std::size_t used = 0;
    char* src = const_cast<char*>(input.data());  // iconv's interface; it does not write there
    std::size_t src_left = input.size();
    bool flushed = false;
    while (!flushed) {
      if (out.size() - used < 16) out.resize(out.size() * 2);
      char* dst = out.data() + used;
      std::size_t dst_left = out.size() - used;
      // With the input used up, one more call writes out any pending shift state.
      const std::size_t result = src_left > 0 ? iconv(cd_, &src, &src_left, &dst, &dst_left)
                                              : iconv(cd_, nullptr, nullptr, &dst, &dst_left);
      const int error = errno;
      used = static_cast<std::size_t>(dst - out.data());
      if (result != static_cast<std::size_t>(-1)) {
        flushed = src_left == 0;
        continue;
      }
      if (error == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      if (src_left == 0) break;  // the final flush failed: nothing left to give
      // iconv may have filled the buffer to the last byte before it met the bad one.
      if (used == out.size()) out.resize(out.size() * 2);
      out[used++] = '?';
      ++src;
      --src_left;
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

Converter& GbkDecoder() {
  thread_local Converter converter("UTF-8", kGbkSide);
  return converter;
}

Converter& Utf8Encoder() {
  thread_local Converter converter(kGbkSide, "UTF-8");
  return converter;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// GB18030 output holds four-byte forms (second byte 0x30..0x39) for the characters that GBK
// lacks; a GBK text has no place for them, so each becomes '?'.
Text KeepGbkOnly(std::string gb18030) {
  Text gbk;
  gbk.reserve(gb18030.size());
  for (std::size_t i = 0; i < gb18030.size();) {
    const auto b = static_cast<unsigned char>(gb18030[i]);
    if (b < 0x80 || i + 1 == gb18030.size()) {
      gbk.push_back(gb18030[i]);
      i += 1;
      continue;
    }
    const auto b2 = static_cast<unsigned char>(gb18030[i + 1]);
    if (b2 >= 0x30 && b2 <= 0x39) {
      gbk.push_back('?');
      i += 4;
    } else {
      gbk.append(gb18030, i, 2);
      i += 2;
    }
  }
  return gbk;
}

// The charset name as declared, lower-cased and without quotes or surrounding white space;
// empty when it holds anything but the characters of charset names (an iconv suffix such as
// "//IGNORE" in a response header must not reach iconv_open).
std::string CharsetName(std::string_view declared, bool* acceptable) {
  std::string name;
  for (char c : declared) {
    if (c == '"' || c == '\'' || c == ' ' || c == '\t') continue;
    const bool fits = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_' || c == '.' || c == ':';
    if (!fits) {
      *acceptable = false;
      return std::string();
    }
    name.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c);
  }
  *acceptable = true;
  return name;
}

bool IsGbkFamily(const std::string& name) {
  return name == "gbk" || name == "gb2312" || name == "gb18030" || name == "x-gbk" ||
         name == "cp936" || name == "euc-cn";
}

bool IsUtf8Name(const std::string& name) { return name == "utf-8" || name == "utf8"; }

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  Converter& decoder = GbkDecoder();
  if (!decoder.ok()) return std::string(gbk);
  return decoder.Run(gbk);
}

Text Utf8ToGbk(std::string_view utf8) {
  if (IsAscii(utf8)) return Text(utf8);
  Converter& encoder = Utf8Encoder();
  if (!encoder.ok()) return Text(utf8);
  return KeepGbkOnly(encoder.Run(utf8));
}

Text ConvertToGbk(std::string_view bytes, std::string_view charset) {
  bool acceptable = false;
  const std::string name = CharsetName(charset, &acceptable);
  if (!acceptable || name.empty() || IsGbkFamily(name)) return Text(bytes);
  if (IsUtf8Name(name)) return Utf8ToGbk(bytes);
  Converter converter(kGbkSide, name.c_str());
  if (!converter.ok()) return Text(bytes);  // a charset iconv does not know
  return KeepGbkOnly(converter.Run(bytes));
}

bool IsValidUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = s[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra;
    unsigned char low = 0x80;   // the range of the byte after the first, which rules out
    unsigned char high = 0xBF;  // overlong forms, surrogates and values past U+10FFFF
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (n - i - 1 < extra) return false;
    if (s[i + 1] < low || s[i + 1] > high) return false;
    for (std::size_t k = 2; k <= extra; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}
