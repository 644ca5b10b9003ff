// The library from eight threads at once on shared read-only inputs: every result equals the
// one a single thread gets. Built under ThreadSanitizer by `make test-tsan`.
#include <geo/geo.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/numeric.h"
#include "support/archive_io.h"
#include "support/point_lists.h"

namespace {

using Pts = std::vector<CPoint3d>;

constexpr int kThreads = 8;
constexpr int kRounds = 3;

// Results written out in full precision, so that equal text means equal results.
class Fingerprint {
public:
    Fingerprint& operator<<(double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g ", v);
        text_ += buf;
        return *this;
    }
    Fingerprint& operator<<(const std::string& s) {
        text_ += s + ' ';
        return *this;
    }
    Fingerprint& operator<<(const Pts& pts) {
        for (const CPoint3d& p : pts) {
            *this << p.x << p.y << p.z;
        }
        text_ += '|';
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

Pts Xy(std::initializer_list<std::pair<double, double>> coords) {
    Pts out;
    for (const auto& c : coords) {
        out.emplace_back(c.first, c.second, 0.0);
    }
    return out;
}

Pts Star(int n, double cx, double cy) {
    Pts ring;
    for (int i = 0; i < n; ++i) {
        const double a = geo_detail::kTwoPi * i / n, r = i % 2 ? 40 : 100;
        ring.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a), 0.0);
    }
    ring.push_back(ring.front());
    return ring;
}

const Pts kComb = point_lists::comb();
const Pts kStar = Star(24, 0, 0);
const Pts kSquare = Xy({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});

std::string Booleans() {
    const CPolygon a(kStar, true), b(Star(16, 50, 20), true), comb(kComb, true);
    Fingerprint f;
    for (gpc::gpc_op op : {gpc::GPC_DIFF, gpc::GPC_INT, gpc::GPC_XOR, gpc::GPC_UNION}) {
        for (const CPolygon* other : {&b, &comb}) {
            std::vector<CPolygon> out;
            f << (a.booleanOper(*other, out, op) ? 1.0 : 0.0);
            for (const CPolygon& piece : out) {
                f << piece.getPoints();
            }
        }
    }
    return f.text();
}

// The comb retries from another start; the small square offset outwards by 5 uses up every
// retry and gives nothing.
std::string Offsets() {
    Fingerprint f;
    const std::pair<const Pts*, double> cases[] = {
        {&kComb, -2.0}, {&kSquare, 5.0}, {&kSquare, 1.0}, {&kStar, -3.0}};
    for (const auto& c : cases) {
        std::vector<Pts> out;
        f << static_cast<double>(PlineOffset3D(*c.first, out, c.second, CVector3d(0, 0, 1), 1e-6));
        for (const Pts& line : out) {
            f << line;
        }
        out.clear();
        f << static_cast<double>(PlineOffset(*c.first, out, c.second, 1e-6));
    }
    return f.text();
}

std::string Containment() {
    std::string bits;
    for (int i = -50; i <= 50; i += 3) {
        for (int j = -50; j <= 50; j += 3) {
            const CPoint3d p(i * 2.0, j * 2.0, 0);
            bits += PtInArea(p, kStar, 1e-6, true) ? '1' : '0';
            bits += PtInArea(p, kComb, 1e-6, false) ? '1' : '0';
        }
    }
    return bits;
}

// Populated records of a few classes, read into objects created by name and stored again.
std::string ArchiveRoundTrips() {
    CFmtPolyline fmt(kSquare);
    fmt.label = "room";
    fmt.xdata.SetAt("k", "v");
    const std::pair<const char*, CObject*> sources[] = {
        {"CPolygon", new CPolygon(kStar, true)},
        {"CRegion", new CRegion(kComb)},
        {"CFmtPolyline", new CFmtPolyline(fmt)},
        {"CPolygon3D", new CPolygon3D(kSquare, CVector3d(0, 1, 1))},
    };
    std::string all;
    for (const auto& source : sources) {
        std::unique_ptr<CObject> original(source.second);
        const auto bytes = test_support::StoreBytes([&](CArchive& ar) { original->Serialize(ar); });
        std::unique_ptr<CObject> copy(CRuntimeClass::CreateObject(source.first));
        test_support::LoadBytes(bytes, [&](CArchive& ar) { copy->Serialize(ar); });
        const auto again = test_support::StoreBytes([&](CArchive& ar) { copy->Serialize(ar); });
        all += (again == bytes ? "same:" : "differs:") + std::string(again.begin(), again.end());
    }
    return all;
}

std::string RuntimeClasses() {
    std::string all;
    for (const CRuntimeClass* rc : CRuntimeClass::GetRegistered()) {
        std::unique_ptr<CObject> obj(CRuntimeClass::CreateObject(rc->m_lpszClassName));
        all += rc->m_lpszClassName;
        all += obj && obj->GetRuntimeClass() == rc ? "+ " : "- ";
    }
    return all;
}

std::string Curves() {
    const C2PtCurve arc(AcGePoint2d(0, 0), AcGePoint2d(10, 0), 3.0);
    const C2PtCurve line(AcGePoint2d(5, -5), AcGePoint2d(5, 5), 0.0);
    const C2PtCurve along(AcGePoint2d(2, 0), AcGePoint2d(12, 0), 0.0);
    Fingerprint f;
    std::vector<AcGePoint2d> hits;
    f << (arc.GetInterPts(line, hits) ? 1.0 : 0.0);
    for (const AcGePoint2d& p : hits) {
        f << p.x << p.y;
    }
    f << (C2PtCurve(AcGePoint2d(0, 0), AcGePoint2d(10, 0), 0.0).IsOverLap(along) ? 1.0 : 0.0);
    C2PtCurve cut = arc;
    std::vector<C2PtCurve> pieces;
    f << (cut.DivideByPts({arc.GetMidPt()}, pieces) ? 1.0 : 0.0);
    for (const C2PtCurve& piece : pieces) {
        f << piece.GetBugle() << piece.length();
    }
    return f.text();
}

struct Job {
    const char* name;
    std::string (*run)();
};

const Job kJobs[] = {
    {"booleans", Booleans},
    {"offsets", Offsets},
    {"containment", Containment},
    {"archive round trips", ArchiveRoundTrips},
    {"runtime classes", RuntimeClasses},
    {"two-point curves", Curves},
};
constexpr int kJobCount = sizeof kJobs / sizeof kJobs[0];

TEST(Threads, EightThreadsGetTheSingleThreadedResults) {
    C2PtCurve::setTol(0.001);  // once, before any thread starts
    std::vector<std::string> expected;
    for (const Job& job : kJobs) {
        expected.push_back(job.run());
    }
    std::vector<std::atomic<int>> mismatches(kJobCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                for (int k = 0; k < kJobCount; ++k) {
                    const int j = (k + t) % kJobCount;
                    if (kJobs[j].run() != expected[j]) {
                        ++mismatches[j];
                    }
                }
            }
        });
    }
    for (std::thread& th : threads) {
        th.join();
    }
    for (int j = 0; j < kJobCount; ++j) {
        EXPECT_EQ(mismatches[j].load(), 0) << kJobs[j].name;
    }
    EXPECT_NE(expected[3].find("same:"), std::string::npos);
    EXPECT_EQ(expected[3].find("differs:"), std::string::npos);
}

}  // namespace
