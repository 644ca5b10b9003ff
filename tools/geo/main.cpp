// geo: the library's operations on WKT and GeoJSON geometries from the command line.
#include "operations.h"
#include "run.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>

namespace {

using geotool::Operation;

const char kDescription[] =
    "geo: the geometry library's operations on WKT and GeoJSON geometries.\n"
    "Reads every INPUT (files, or - for standard input, the default) geometry by geometry,\n"
    "WKT or GeoJSON as the content tells; writes the results to standard output.\n"
    "Exit status: 0 results written, 1 no result, 2 bad input or arguments.";

// Where each operation's numbers and inputs are parsed to.
struct Slots {
    geotool::OpArgs args;
    std::vector<std::string> inputs;
};

std::string Examples() {
    std::string text = "Examples, one per operation:\n";
    for (const Operation& op : geotool::Operations()) {
        text += std::string("  ") + op.example + "\n";
    }
    text += "  geo union a.wkt b.wkt | geo offset 0.5 | geo -f svg triangulate > site.svg\n";
    return text;
}

void AddOperation(CLI::App& app, const Operation& op, Slots& slots) {
    CLI::App* sub = app.add_subcommand(op.name, op.summary);
    sub->footer(std::string("Example: ") + op.example + "\n");
    slots.args.values.resize(op.params.size());
    for (std::size_t i = 0; i < op.params.size(); ++i) {
        sub->add_option(op.params[i].name, slots.args.values[i], op.params[i].help)->required();
    }
    if (op.strictOption) {
        sub->add_flag("--strict", slots.args.strict,
                      "a point on the boundary counts as outside (e.g. --strict)");
    }
    if (op.gridOptions) {
        sub->add_option("--origin", slots.args.origin,
                        "X0 Y0: position of the grid's first value (default 0 0; e.g. "
                        "--origin 100 200)")
            ->expected(2)
            ->allow_extra_args(false);
        sub->add_option("--spacing", slots.args.spacing,
                        "DX DY: distance between columns and between rows (default 1 1; e.g. "
                        "--spacing 10 10)")
            ->expected(2)
            ->allow_extra_args(false);
    }
    sub->add_option("INPUT", slots.inputs, "files to read, - for standard input (the default)");
}

// Refuses a number that is not finite or outside its parameter's range.
void CheckNumbers(const Operation& op, const geotool::OpArgs& args) {
    for (std::size_t i = 0; i < op.params.size(); ++i) {
        const geotool::Param& p = op.params[i];
        const double v = args.values[i];
        const bool ok = std::isfinite(v) && (p.range == geotool::Range::Any ||
                                             (p.range == geotool::Range::NonNegative && v >= 0) ||
                                             (p.range == geotool::Range::Positive && v > 0));
        if (!ok) {
            throw CLI::ValidationError(
                p.name, std::string("must be a finite") +
                            (p.range == geotool::Range::Positive      ? " positive"
                             : p.range == geotool::Range::NonNegative ? " non-negative"
                                                                      : "") +
                            " number");
        }
    }
    for (double v : {args.origin[0], args.origin[1]}) {
        if (!std::isfinite(v)) {
            throw CLI::ValidationError("--origin", "must be finite numbers");
        }
    }
    for (double v : {args.spacing[0], args.spacing[1]}) {
        if (!(std::isfinite(v) && v > 0)) {
            throw CLI::ValidationError("--spacing", "must be finite positive numbers");
        }
    }
}

// One line for a command line that could not be parsed, naming the operation it concerns.
std::string ParseFailure(CLI::App& app, const CLI::ParseError& e) {
    std::string what = e.what();
    what = what.substr(0, what.find('\n'));
    for (const Operation& op : geotool::Operations()) {
        if (app.got_subcommand(op.name)) {
            return std::string(op.name) + ": " + what;
        }
    }
    std::string names;
    for (const Operation& op : geotool::Operations()) {
        names += std::string(names.empty() ? "" : ", ") + op.name;
    }
    const std::vector<std::string> rest = app.remaining();
    if (!rest.empty() && !rest.front().empty() && rest.front()[0] != '-') {
        return "unknown operation '" + rest.front() + "', expected one of " + names;
    }
    if (rest.empty() && what.find("subcommand") != std::string::npos) {
        return "expected an operation, one of " + names;
    }
    return what;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    CLI::App app(kDescription, "geo");
    app.footer(Examples());
    app.get_formatter()->label("Subcommands", "Operations");
    app.get_formatter()->label("SUBCOMMAND", "OP [ARGS] [INPUT...]");
    app.require_subcommand(1, 1);
    app.fallthrough();
    std::string format = "wkt";
    int precision = -1;
    bool timing = false;
    app.add_option("-f,--format", format,
                   "output: wkt (default), geojson or svg, a picture of inputs and results with a "
                   "legend (e.g. -f geojson)")
        ->check(CLI::IsMember({"wkt", "geojson", "svg"}));
    app.add_option("--precision", precision,
                   "N digits after the decimal point; default the shortest text that reads back "
                   "exactly (e.g. --precision 3)")
        ->check(CLI::Range(0, 17));
    app.add_flag("-t,--time", timing,
                 "print the time the operation took to standard error (e.g. -t)");
    const std::vector<Operation>& ops = geotool::Operations();
    std::vector<Slots> slots(ops.size());
    for (std::size_t i = 0; i < ops.size(); ++i) {
        AddOperation(app, ops[i], slots[i]);
    }
    geotool::Call call;
    try {
        app.parse(argc, argv);
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (app.got_subcommand(ops[i].name)) {
                call.op = &ops[i];
                call.args = slots[i].args;
                call.inputs = slots[i].inputs;
            }
        }
        CheckNumbers(*call.op, call.args);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "geo: %s\n", ParseFailure(app, e).c_str());
        return geotool::kExitBadInput;
    }
    if (call.inputs.empty()) {
        call.inputs.push_back("-");
    }
    call.args.format.decimals = precision;
    call.format = format == "svg"       ? geotool::Format::Svg
                  : format == "geojson" ? geotool::Format::GeoJson
                                        : geotool::Format::Wkt;
    call.timing = timing;
    return geotool::Run(call);
}
