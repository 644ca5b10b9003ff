// Triangulation of even-odd rings by the distribution's GLU tessellator.
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <exception>
#include <memory>

#include "platform/gpc/clip_engine.h"

namespace gpc_detail {
namespace {

// Vertices of the tessellator's own coordinate frame: ring vertices and those it adds at crossings.
struct TessVertex {
    GLdouble coords[3];
};

// Maps the rings' box onto about [-1, 1]^2 by a shift and a power of two, so the tessellator
// sees neither huge nor tiny numbers, and maps its output back.
class Frame {
public:
    explicit Frame(const std::vector<RingView>& rings) {
        double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
        for (const RingView& r : rings) {
            for (int i = 0; i < r.count; ++i) {
                minX = std::min(minX, r.pts[i].x), maxX = std::max(maxX, r.pts[i].x);
                minY = std::min(minY, r.pts[i].y), maxY = std::max(maxY, r.pts[i].y);
            }
        }
        cx_ = minX / 2 + maxX / 2;  // halves first: no overflow near the largest doubles
        cy_ = minY / 2 + maxY / 2;
        double half = std::max(maxX / 2 - minX / 2, maxY / 2 - minY / 2);
        std::frexp(half, &exponent_);
    }
    TessVertex toTess(const gpc::gpc_vertex& v) const {
        return {{std::ldexp(v.x - cx_, -exponent_), std::ldexp(v.y - cy_, -exponent_), 0.0}};
    }
    gpc::gpc_vertex fromTess(const TessVertex& v) const {
        return {std::ldexp(v.coords[0], exponent_) + cx_, std::ldexp(v.coords[1], exponent_) + cy_};
    }

private:
    double cx_ = 0.0;
    double cy_ = 0.0;
    int exponent_ = 0;
};

// What the callbacks share: vertex storage that never moves, and the triangles so far.
struct TessState {
    std::deque<TessVertex> vertices;
    std::vector<const TessVertex*> corners;
    std::size_t begunAt = 0;
    bool failed = false;
};

TessState& stateOf(void* data) {
    return *static_cast<TessState*>(data);
}

void GLAPIENTRY onBegin(GLenum /*type*/, void* data) {
    stateOf(data).begunAt = stateOf(data).corners.size();
}

void GLAPIENTRY onVertex(void* vertex, void* data) {
    TessState& state = stateOf(data);
    try {
        state.corners.push_back(static_cast<const TessVertex*>(vertex));
    } catch (const std::exception&) {
        state.failed = true;
    }
}

// Drops an incomplete triangle, should a primitive end with one.
void GLAPIENTRY onEnd(void* data) {
    TessState& state = stateOf(data);
    std::size_t n = state.corners.size() - state.begunAt;
    state.corners.resize(state.corners.size() - n % 3);
}

// Registered only so that the tessellator emits separate triangles rather than strips and fans.
void GLAPIENTRY onEdgeFlag(GLboolean /*flag*/, void* /*data*/) {}

// Where segments p0p1 and q0q1 cross, in full double precision; false when they are parallel.
bool crossing(const TessVertex& p0, const TessVertex& p1, const TessVertex& q0,
              const TessVertex& q1, GLdouble out[2]) {
    double dpx = p1.coords[0] - p0.coords[0], dpy = p1.coords[1] - p0.coords[1];
    double dqx = q1.coords[0] - q0.coords[0], dqy = q1.coords[1] - q0.coords[1];
    double den = dpx * dqy - dpy * dqx;
    if (den == 0.0) {
        return false;
    }
    double t = ((q0.coords[0] - p0.coords[0]) * dqy - (q0.coords[1] - p0.coords[1]) * dqx) / den;
    if (!(t >= 0.0 && t <= 1.0)) {
        return false;
    }
    out[0] = p0.coords[0] + t * dpx;
    out[1] = p0.coords[1] + t * dpy;
    return true;
}

// A new vertex where edges cross or vertices merge; owned by the state and released with it.
// The tessellator blends the given position with single-precision weights, so a crossing of two
// edges (four neighbours: the ends of each edge) is recomputed here from the edges themselves.
void GLAPIENTRY onCombine(GLdouble coords[3], void* neighbours[4], GLfloat /*weights*/[4],
                          void** out, void* data) {
    TessState& state = stateOf(data);
    TessVertex v{{coords[0], coords[1], 0.0}};
    const TessVertex* n[4];
    for (int i = 0; i < 4; ++i) {
        n[i] = static_cast<const TessVertex*>(neighbours[i]);
    }
    if (n[0] && n[1] && n[2] && n[3]) {
        crossing(*n[0], *n[1], *n[2], *n[3], v.coords);
    }
    try {
        state.vertices.push_back(v);
        *out = &state.vertices.back();
    } catch (const std::exception&) {
        state.failed = true;
        *out = nullptr;
    }
}

void GLAPIENTRY onError(GLenum /*code*/, void* data) {
    stateOf(data).failed = true;
}

using TessPtr = std::unique_ptr<GLUtesselator, void (*)(GLUtesselator*)>;

// A tessellator for even-odd input in the XY plane with the callbacks above.
TessPtr makeTessellator() {
    TessPtr tess(gluNewTess(), gluDeleteTess);
    if (!tess) {
        return tess;
    }
    GLUtesselator* t = tess.get();
    gluTessProperty(t, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(t, 0.0, 0.0, 1.0);
    gluTessCallback(t, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(onBegin));
    gluTessCallback(t, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(onVertex));
    gluTessCallback(t, GLU_TESS_END_DATA, reinterpret_cast<_GLUfuncptr>(onEnd));
    gluTessCallback(t, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(onEdgeFlag));
    gluTessCallback(t, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(onCombine));
    gluTessCallback(t, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(onError));
    return tess;
}

// Feeds every ring to the tessellator; vertex storage must outlive gluTessEndPolygon.
void feedRings(GLUtesselator* t, const std::vector<RingView>& rings, const Frame& frame,
               TessState& state) {
    gluTessBeginPolygon(t, &state);
    for (const RingView& r : rings) {
        gluTessBeginContour(t);
        for (int i = 0; i < r.count; ++i) {
            state.vertices.push_back(frame.toTess(r.pts[i]));
            gluTessVertex(t, state.vertices.back().coords, &state.vertices.back());
        }
        gluTessEndContour(t);
    }
    gluTessEndPolygon(t);
}

}  // namespace

bool triangulateEvenOdd(const std::vector<RingView>& rings,
                        std::vector<gpc::gpc_vertex>& triangles) {
    if (rings.empty()) {
        return true;
    }
    try {
        TessPtr tess = makeTessellator();
        if (!tess) {
            return false;
        }
        Frame frame(rings);
        TessState state;
        feedRings(tess.get(), rings, frame, state);
        if (state.failed ||
            std::find(state.corners.begin(), state.corners.end(), nullptr) != state.corners.end()) {
            return false;
        }
        triangles.reserve(triangles.size() + state.corners.size());
        for (const TessVertex* v : state.corners) {
            triangles.push_back(frame.fromTess(*v));
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace gpc_detail
