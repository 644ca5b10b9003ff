#include "run.h"

#include "progress.h"
#include "read_shapes.h"
#include "regions.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace geotool {
namespace {

const char kStdinName[] = "<stdin>";

std::string DisplayName(const std::string& input) {
    return input == "-" ? kStdinName : input;
}

// The size of a regular file, 0 when unknown.
std::uint64_t FileSize(const std::string& input) {
    struct stat st {};
    if (input == "-" || stat(input.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

// Total size of the inputs, 0 when one of them has no known size.
std::uint64_t TotalSize(const std::vector<std::string>& inputs) {
    std::uint64_t total = 0;
    for (const std::string& input : inputs) {
        const std::uint64_t size = FileSize(input);
        if (size == 0) {
            return 0;
        }
        total += size;
    }
    return total;
}

// The input as a stream; file receives an opened file.
std::istream& Open(const std::string& input, std::ifstream& file) {
    if (input == "-") {
        return std::cin;
    }
    struct stat st {};
    if (stat(input.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        throw geoio::InputError(geoio::WholeInput(input), "cannot read: it is a directory");
    }
    file.open(input, std::ios::binary);
    if (!file) {
        throw geoio::InputError(geoio::WholeInput(input),
                                std::string("cannot open: ") + std::strerror(errno));
    }
    return file;
}

std::string ResultLabel(const Call& call) {
    std::string label = call.op->name;
    for (double v : call.args.values) {
        label += ' ' + geoio::FormatNumber(v, {});
    }
    return "result: " + label;
}

// One run: the state that lives from the first input to the last.
class Runner {
public:
    explicit Runner(const Call& c)
        : call(c),
          op(*c.op),
          output(stdout, c.format, c.args.format, ResultLabel(c)),
          progress(TotalSize(c.inputs)) {}

    int run() {
        try {
            for (std::size_t i = 0; i < call.inputs.size(); ++i) {
                readInput(i, call.inputs[i]);
                bytesBefore += FileSize(call.inputs[i]);
            }
            if (op.flow == Flow::Fold) {
                finishFold();
            }
        } catch (const geoio::InputError& e) {
            std::string line = e.what();
            std::replace(line.begin(), line.end(), '\n', ' ');
            std::fprintf(stderr, "geo: %s\n", line.c_str());
            return kExitBadInput;
        }
        if (call.timing) {
            std::fprintf(stderr, "geo: %s took %.3f ms\n", op.name, watch.milliseconds());
        }
        if (output.empty()) {
            return kExitNoResult;
        }
        if (!output.finish()) {
            std::fprintf(stderr, "geo: cannot write the output: %s\n", std::strerror(errno));
            return kExitBadInput;
        }
        return kExitOk;
    }

private:
    void readInput(std::size_t index, const std::string& input) {
        std::ifstream file;
        std::istream& in = Open(input, file);
        const std::string name = DisplayName(input);
        lastInput = name;
        if (op.flow == Flow::Grid) {
            geoio::TextSource source(in, name);
            const geoio::Grid grid = geoio::ReadGrid(source);
            OpResult result;
            {
                Stopwatch::Lap lap(watch);
                op.grid(grid, call.args, result);
            }
            output.add(std::move(result));
            return;
        }
        geoio::ReadShapes(in, name, [&](geoio::Shape&& shape) {
            progress.tick(bytesBefore + shape.place.offset);
            output.addInput(index, name, shape);
            if (op.flow == Flow::Fold) {
                fold(shape);
                return;
            }
            OpResult result;
            {
                Stopwatch::Lap lap(watch);
                op.each(shape, call.args, result);
            }
            output.add(std::move(result));
        });
    }

    // Combines the geometry with what came before; union starts from nothing, so a single
    // geometry is normalised too.
    void fold(const geoio::Shape& shape) {
        if (shape.kind != geoio::ShapeKind::Area) {
            throw geoio::InputError(shape.place, std::string(op.name) +
                                                     " needs Polygon or MultiPolygon geometries, "
                                                     "found a " +
                                                     geoio::KindName(shape));
        }
        Stopwatch::Lap lap(watch);
        const CRegion next = geoio::ToRegion(shape);
        if (folded == 0 && !op.foldAny) {
            combined = next;
        } else {
            combined.booleanOper(next, combined, op.foldOp);
        }
        ++folded;
    }

    void finishFold() {
        if (!op.foldAny && folded < 2) {
            throw geoio::InputError(
                geoio::WholeInput(lastInput),
                std::string(op.name) + " needs a second geometry after the first, found none");
        }
        if (!combined.contours.empty()) {
            OpResult result;
            result.shapes.push_back(geoio::FromRegion(combined));
            output.add(std::move(result));
        }
    }

    const Call& call;
    const Operation& op;
    Output output;
    Progress progress;
    Stopwatch watch;
    std::uint64_t bytesBefore = 0;
    std::string lastInput;
    CRegion combined;
    std::size_t folded = 0;
};

}  // namespace

int Run(const Call& call) {
    return Runner(call).run();
}

}  // namespace geotool
