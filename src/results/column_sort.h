#pragma once

#include "app/controls/controls.h"

// SortByColumn: keys every row of list by TextToInt of its cell in column (one control operation
// per row), then reorders all rows the list holds by ascending sort value in one step (stable).
// A later sort of the same list waits for the earlier one. Runs on the caller's thread.
void SortByColumn(ReportList& list, int column);

// Starts SortByColumn on a new detached thread (the header click).
void StartSortByColumn(ReportList& list, int column);

// CompareSortKeys: the sign of a - b, without overflow.
int CompareSortKeys(int a, int b);
