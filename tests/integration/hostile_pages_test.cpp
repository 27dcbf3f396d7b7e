// Every reader on hostile bodies, in-process: the rows stay within the block bound, every cell
// within the cell bound, the counters agree with the rows, and nothing crashes. Time and memory
// of the same cases are measured by bench/hostile_pages_benchmark.cpp, not here.
#include "integration/hostile_pages.h"

#include <string>

#include "app/controls/controls.h"
#include "clearance/clearance_reader.h"
#include "deals/deal_run.h"
#include "gtest/gtest.h"
#include "results/page_bounds.h"
#include "support/print_text.h"
#include "text/text_numbers.h"

namespace {

using hostile::Kind;

struct Expectation {
  Kind kind;
  std::size_t splittingRows;  // rows of a reader that splits its body into pieces
  std::size_t cuttingRows;    // rows of a reader that takes blocks between markers and cuts them
};

// Blocks between markers are read only in their first part, so a block that opens millions of
// times before it closes, or whose title outgrows that part, yields no item; a splitting reader
// reads the huge title, cut to the cell bound. Overlapping blocks each hold a whole item: as
// many rows as blocks are read (a splitting reader's first piece is the page's head).
const Expectation kExpectations[] = {
    {Kind::kLeftFlood, 0, 0},
    {Kind::kFarRight, 0, 0},
    {Kind::kHugeField, 1, 0},
    {Kind::kOverlappingBlocks, kMaxItemBlocks - 1, kMaxItemBlocks},
};

int CounterOf(const hostile::Reader& r) {
  const std::string name = r.name;
  for (int ch = 0; ch < 4; ++ch) {
    if (name == DealChannels()[static_cast<std::size_t>(ch)].name) return ChannelItemCounter(ch);
  }
  return ClearanceItemCounter();
}

TEST(HostilePagesTest, ReadersStayWithinTheirBounds) {
  for (const hostile::Reader& r : hostile::Readers()) {
    for (const Expectation& e : kExpectations) {
      SCOPED_TRACE(std::string(hostile::KindName(e.kind)) + " for " + GbkToUtf8(r.name));
      Controls().Reset();
      for (int ch = 0; ch < 4; ++ch) ChannelItemCounter(ch) = 0;
      ClearanceItemCounter() = 0;
      {
        const std::string body = hostile::Body(r, e.kind);
        r.harvest(body);
      }
      const ReportList& list = Controls().超级列表框1;
      const std::size_t rows = static_cast<std::size_t>(list.RowCount());
      EXPECT_EQ(rows, r.blockRight.empty() ? e.splittingRows : e.cuttingRows);
      EXPECT_EQ(CounterOf(r), static_cast<int>(rows));
      for (int i = 0; i < list.RowCount(); ++i) {
        const Cells& cells = *list.GetRow(i);
        for (const Text& cell : cells) ASSERT_LE(cell.size(), kMaxCellBytes);
        if (e.kind == Kind::kHugeField) {
          EXPECT_EQ(Shown(cells[1]), Shown(hostile::HugeTitle().substr(0, kMaxCellBytes)));
        } else {
          EXPECT_EQ(Shown(cells[1]), Shown(hostile::PlainTitle()));
        }
        EXPECT_EQ(cells[0], IntToText(i + 1));
      }
      if (std::string(r.name) == "clearance") {
        // The feed page's own entry reports the items it counted.
        const Text log = Controls().编辑框1.Content();
        EXPECT_NE(
            log.find("[都市型男]==>第1页共获得" + IntToText(static_cast<int>(rows)) + "个商品"),
            Text::npos);
      }
    }
  }
  Controls().Reset();
}

}  // namespace
