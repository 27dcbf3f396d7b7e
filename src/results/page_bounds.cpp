#include "results/page_bounds.h"

Text BoundedCell(std::string_view text) {
  if (text.size() <= kMaxCellBytes) return Text(text);
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + (IsLeadByte(text[end]) ? 2 : 1);
    if (next > kMaxCellBytes) break;
    end = next;
  }
  return Text(text.substr(0, end));
}
