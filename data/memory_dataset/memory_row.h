#pragma once
// The row buffer of TMemoryDataSet, shared by its source files.

#include <vector>

#include "data/memory_dataset/memory_dataset.h"

// A row buffer: the row's place in the table, its mark, copies of its scalar cells (blobs
// stay in the table and are read on demand), blobs written since the row was fetched, and
// the calculated area (per calculated field: a has-value byte, then its raw value).
struct TMemoryDataSet::TRow {
  TRowMark Mark = rmCurrent;
  int64_t Id = 0;     // the bookmark; 0 for a row not yet in the table
  int Position = -1;  // where the row stood when fetched (a hint)
  std::vector<TMemoryCell> Cells;
  std::vector<TMemoryCell> PendingBlobs;
  std::vector<char> Calc;
};
