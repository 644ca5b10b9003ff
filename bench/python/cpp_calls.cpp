// Times the library calls the Python module wraps, on inputs the Python benchmark writes, so
// the two sides measure the same call on the same data in one run.
//   geo_cpp_calls OP REPEATS < input     prints the best time of one call, in seconds
// OP is union, intersection or union_all. The input is a count of polygons, then per polygon
// its vertex count and its x y pairs.
#include <geo/region.h>
#include <geo/region_sets.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Points = std::vector<CPoint3d>;

std::vector<Points> ReadPolygons(std::istream& in) {
    size_t count = 0;
    in >> count;
    std::vector<Points> polygons(count);
    for (Points& pts : polygons) {
        size_t n = 0;
        in >> n;
        pts.resize(n);
        for (CPoint3d& p : pts) {
            in >> p.x >> p.y;
        }
    }
    return polygons;
}

double BestSeconds(int repeats, const std::function<void()>& call) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        call();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: geo_cpp_calls union|intersection|union_all REPEATS < input\n";
        return 2;
    }
    const std::string op = argv[1];
    const int repeats = std::max(1, std::stoi(argv[2]));
    const std::vector<Points> polygons = ReadPolygons(std::cin);
    double seconds = 0.0;
    if (op == "union_all") {
        std::vector<CPolygon> in;
        for (const Points& pts : polygons) {
            in.emplace_back(pts, false);
        }
        seconds = BestSeconds(repeats, [&] {
            std::vector<CPolygon> outers, holes;
            BooleanOper(in, outers, holes, gpc::GPC_UNION);
        });
    } else if (polygons.size() == 2 && (op == "union" || op == "intersection")) {
        const CRegion a(polygons[0]), b(polygons[1]);
        const gpc::gpc_op gop = op == "union" ? gpc::GPC_UNION : gpc::GPC_INT;
        seconds = BestSeconds(repeats, [&] {
            CRegion out;
            a.booleanOper(b, out, gop);
        });
    } else {
        std::cerr << "unknown operation or wrong polygon count\n";
        return 2;
    }
    std::printf("%.9f\n", seconds);
    return 0;
}
