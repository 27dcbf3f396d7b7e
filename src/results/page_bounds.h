// Bounds that keep the work and memory of reading any page finite, whatever a server sends.
// Each lies far beyond what an ordinary page holds (60-100 items a page, item blocks of a few
// kilobytes, fields of a few hundred bytes), so no ordinary page reads differently under them.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/text.h"

// Item blocks taken from one page; further blocks are not read.
inline constexpr std::size_t kMaxItemBlocks = 2000;

// The part of an item block the fields are searched in. Blocks cut with overlapping fragments
// can each run to the page's end; this keeps their field searches from growing with the page.
inline constexpr std::size_t kMaxItemBlockBytes = 32 * 1024;

// The bytes one cell of a row keeps (cut on a character boundary).
inline constexpr std::size_t kMaxCellBytes = 2048;

// BoundedBlock: the first kMaxItemBlockBytes of block.
inline std::string_view BoundedBlock(std::string_view block) {
  return block.substr(0, kMaxItemBlockBytes);
}

// BoundedCell: text cut to at most kMaxCellBytes without splitting a two-byte character.
Text BoundedCell(std::string_view text);
