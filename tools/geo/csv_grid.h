// A grid of values as comma-separated text: one row of the grid per line.
#pragma once

#include "text_source.h"

#include <vector>

namespace geoio {

// Rows of values in the order read (blank lines skipped), every row as long as the first.
struct Grid {
    std::vector<std::vector<double>> rows;
};

// Reads the whole input. Throws InputError, with line and column, on a value that is not a
// finite number, a row of another length than the first, or fewer than 2 rows or columns.
Grid ReadGrid(TextSource& source);

}  // namespace geoio
