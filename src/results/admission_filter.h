#pragma once

#include "app/controls/controls.h"
#include "results/harvested_item.h"

// AdmissionFilter: appends item to 超级列表框1 when the user's limits admit it: no limit on, the
// price below the price limit, the discount below the discount limit, or both, by integer parts
// (TextToInt) and strict comparisons. The four filter controls are read once for the item, at
// the moment of the test, so a box toggled meanwhile can never append the item twice.
void AdmissionFilter(const HarvestedItem& item);

// AppendRow: one row at the end of table in one step: the running number RealToText(i + 1.0),
// then title, original price, price, discount, label and link (each cut to kMaxCellBytes).
void AppendRow(ReportList& table, const HarvestedItem& item);
