#include "results/admission_filter.h"

#include "results/page_bounds.h"
#include "text/text_numbers.h"

void AdmissionFilter(const HarvestedItem& item) {
  WindowControls& c = Controls();
  // Each box is read once for this item: the four cases then agree on one reading, so at most
  // one of them holds, while every item still sees the user's latest limits.
  const bool priceOn = c.价格选择框.ReadChecked();
  const bool discountOn = c.折扣选择框.ReadChecked();
  bool admitted = true;
  if (priceOn && TextToInt(item.price) >= TextToInt(c.价格编辑框.ReadText())) admitted = false;
  if (discountOn && admitted &&
      (!item.discountKnown || TextToInt(item.discount) >= TextToInt(c.折扣编辑框.ReadText()))) {
    admitted = false;
  }
  if (admitted) AppendRow(c.超级列表框1, item);
}

void AppendRow(ReportList& table, const HarvestedItem& item) {
  table.AppendNumberedRow(Cells{Text(), BoundedCell(item.title), BoundedCell(item.originalPrice),
                                BoundedCell(item.price), BoundedCell(item.discount),
                                BoundedCell(item.label), BoundedCell(item.link)});
}
