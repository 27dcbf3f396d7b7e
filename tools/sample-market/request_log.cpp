#include "request_log.h"

RequestLog::~RequestLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool RequestLog::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "a");
  return file_ != nullptr;
}

std::string EscapeLogField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (char ch : field) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 32 || c == 127) {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

void RequestLog::Write(const HttpRequest& request, std::string_view url) {
  if (file_ == nullptr) return;
  std::string line = EscapeLogField(request.method) + '\t' + EscapeLogField(url) + '\t' +
                     EscapeLogField(request.version);
  for (const auto& [name, value] : request.headers) {
    line += '\t';
    line += EscapeLogField(name + ": " + value);
  }
  line += '\n';
  std::lock_guard lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}
