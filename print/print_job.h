#pragma once

#include <vector>

// The order in which a print job draws its pages: `copies` rounds of `first` .. `last` when
// collated, else each page `copies` times in a row. A new page is started between two entries,
// never after the last. Page numbers are passed through unchecked.
std::vector<int> printPageOrder(int first, int last, int copies, bool collate);
