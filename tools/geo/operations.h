// The operations of the geo tool, in one table: each a thin call of the library's functions.
#pragma once

#include "csv_grid.h"
#include "numbers.h"
#include "shape.h"

#include <geo/gpc.h>

#include <string>
#include <vector>

namespace geotool {

// Which values an operation's number may take.
enum class Range { Any, NonNegative, Positive };

// A number given after the operation's name.
struct Param {
    const char* name;
    const char* help;
    Range range;
};

// The numbers and options of one call.
struct OpArgs {
    std::vector<double> values;  // one per Param, in order
    bool strict = false;
    std::vector<double> origin{0, 0};
    std::vector<double> spacing{1, 1};
    geoio::NumberFormat format;
};

// What an operation gives for one geometry (or grid): shapes, or lines of text.
struct OpResult {
    std::vector<geoio::Shape> shapes;
    std::vector<std::string> lines;
};

// EachShape: results per geometry read. Fold: the geometries combined left to right.
// Grid: a CSV grid read instead of geometries.
enum class Flow { EachShape, Fold, Grid };

struct Operation {
    const char* name;
    const char* summary;
    const char* example;
    std::vector<Param> params;
    Flow flow = Flow::EachShape;
    // EachShape: the results of one geometry; throws InputError for a geometry it cannot take.
    void (*each)(const geoio::Shape&, const OpArgs&, OpResult&) = nullptr;
    // Grid: the results of one grid.
    void (*grid)(const geoio::Grid&, const OpArgs&, OpResult&) = nullptr;
    // Fold: the boolean, and whether any number of geometries may take part (else at least 2).
    gpc::gpc_op foldOp = gpc::GPC_UNION;
    bool foldAny = false;
    // Takes --strict; takes --origin and --spacing.
    bool strictOption = false;
    bool gridOptions = false;
};

// Every operation, in the order of the help text.
const std::vector<Operation>& Operations();

}  // namespace geotool
