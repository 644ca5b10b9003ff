// Contour generator: joining the fragments of one level, and removal of unusable lines.
#include <geo/contour.h>
#include <geo/float_comp.h>

#include <algorithm>

#include "analysis/contour_internal.h"

using namespace contour_detail;

namespace {

// Fragments whose ends lie closer than this many column steps are joined.
constexpr double kJoinSteps = 2.0;
// Joined lines whose ends lie closer than this many column steps are closed.
constexpr double kCloseSteps = 3.0;
// Lines with this many points or fewer are dropped.
constexpr INT_PTR kMaxShortLine = 3;

using PointArray = CArray<AcGePoint2d, AcGePoint2d>;

AcGePoint2d First(const CContourLine* line) {
    return line->pts[0];
}
AcGePoint2d Last(const CContourLine* line) {
    return line->pts[line->pts.GetSize() - 1];
}

// Closed: the last point repeats the first in x and in y.
bool IsClosed(const CContourLine* line) {
    const AcGePoint2d a = First(line);
    const AcGePoint2d b = Last(line);
    return FloatComp(a.x, b.x, kNodeTol) == 0 && FloatComp(a.y, b.y, kNodeTol) == 0;
}

// Puts `front` before the points of `line`, in the order given.
void Prepend(CContourLine* line, const PointArray& front) {
    line->pts.InsertAt(0, &front);
}

PointArray Reversed(const PointArray& pts) {
    PointArray out;
    for (INT_PTR i = pts.GetSize() - 1; i >= 0; --i) {
        out.Add(pts[i]);
    }
    return out;
}

// Joins b onto a when one of a's ends lies within `gap` of one of b's, tried in a fixed order:
// a.last-b.first, a.last-b.last, a.first-b.first, a.first-b.last.
bool TryJoin(CContourLine* a, const CContourLine* b, double gap) {
    if (Last(a).distanceTo(First(b)) < gap) {
        a->pts.Append(b->pts);
    } else if (Last(a).distanceTo(Last(b)) < gap) {
        a->pts.Append(Reversed(b->pts));
    } else if (First(a).distanceTo(First(b)) < gap) {
        Prepend(a, Reversed(b->pts));  // b's points inserted one by one at the front
    } else if (First(a).distanceTo(Last(b)) < gap) {
        Prepend(a, b->pts);
    } else {
        return false;
    }
    return true;
}

// Deletes the lines `drop` picks and closes the gaps in one pass, keeping the others' order
// (removing them one by one made a run with many short lines quadratic).
template <class Drop>
void DropLines(CArray<CContourLine*, CContourLine*>& lines, Drop drop) {
    INT_PTR kept = 0;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        if (drop(lines[i])) {
            delete lines[i];
        } else {
            lines[kept++] = lines[i];
        }
    }
    lines.SetSize(kept);
}

}  // namespace

// Joins the last `count` lines (one level's fragments), longest first, and closes near-closed ones.
void CContourGenerator::Integration(int count) {
    const int first = std::max(lineSize() - count, 0);
    for (int j = first; j <= lineSize() - 2; ++j) {
        for (int k = j + 1; k <= lineSize() - 1; ++k) {
            if (lines[j]->pts.GetSize() < lines[k]->pts.GetSize()) {
                std::swap(lines[j], lines[k]);
            }
        }
    }
    const double gap = kJoinSteps * step.x;
    for (int i = first; i <= lineSize() - 2;) {
        CContourLine* a = lines[i];
        if (a->pts.GetSize() < 2) {
            ++i;
            continue;
        }
        bool joined = false;
        for (int k = i + 1; k <= lineSize() - 1; ++k) {
            CContourLine* b = lines[k];
            if (b->pts.GetSize() < 2) {
                continue;
            }
            if (IsClosed(a)) {
                break;
            }
            if (IsClosed(b) || !TryJoin(a, b, gap)) {
                continue;
            }
            lines.RemoveAt(k);
            delete b;
            joined = true;
            break;
        }
        if (dist(First(a), Last(a)) < kCloseSteps * step.x) {
            a->pts.Add(First(a));
        }
        if (!joined) {
            ++i;
        }
    }
}

// Drops every line of three points or fewer.
void CContourGenerator::removeShortLines() {
    DropLines(lines, [](const CContourLine* line) { return line->pts.GetSize() <= kMaxShortLine; });
}

// Drops short lines and open lines whose two ends both lie strictly inside the grid's interior box.
void CContourGenerator::removeErrorLine() {
    const double xMax = base.x + (cols - 2) * step.x;
    const double yMax = base.y + (rows - 2) * step.y;
    auto inside = [&](const AcGePoint2d& p) {
        return base.x < p.x && p.x < xMax && base.y < p.y && p.y < yMax;
    };
    DropLines(lines, [&](const CContourLine* line) {
        if (line->pts.GetSize() <= kMaxShortLine) {
            return true;
        }
        const AcGePoint2d a = First(line);
        const AcGePoint2d b = Last(line);
        return inside(a) && inside(b) && FloatComp(a.x, b.x, kNodeTol) != 0 &&
               FloatComp(a.y, b.y, kNodeTol) != 0;
    });
}

// Releases the flags and every line; the grid stays.
void CContourGenerator::freeMemory() {
    FlagRows().swap(hFlags);
    FlagRows().swap(vFlags);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        delete lines[i];
    }
    lines.RemoveAll();
    lines.FreeExtra();
}
