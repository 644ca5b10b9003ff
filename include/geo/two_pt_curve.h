// C2PtCurve: a 2D outline piece, a straight segment or a circular arc given by its sagitta.
#pragma once

#include <geo/acge/gearc2d.h>
#include <geo/acge/geline2d.h>
#include <geo/acge/gelnsg2d.h>
#include <geo/acge/gepnt2d.h>
#include <geo/acge/gepnt3d.h>
#include <geo/acge/getol.h>
#include <geo/acge/gevec2d.h>
#include <geo/export.h>
#include <geo/mfc/archive.h>

#include <atomic>
#include <vector>

// A piece from a start point to an end point. The bulge is the signed sagitta: the distance
// from the chord's midpoint to the arc's midpoint, positive for a counter-clockwise arc (whose
// midpoint then lies to the right of the chord direction), below 1e-6 in magnitude for a line.
//
// A piece whose start equals its end, or with a non-finite coordinate or bulge, is not valid;
// every operation on it gives its neutral result (false, empty list, the start point, 0).
class GEO_API C2PtCurve {
public:
    C2PtCurve();
    C2PtCurve(const C2PtCurve& other) = default;
    C2PtCurve& operator=(const C2PtCurve& other) = default;
    C2PtCurve(const AcGePoint2d& start, const AcGePoint2d& end, double bulge);
    C2PtCurve(const AcGePoint2d& start, const AcGePoint2d& end, const AcGeVector2d& tangent);
    C2PtCurve(const AcGePoint2d& p1, const AcGePoint2d& p2, const AcGePoint2d& p3);
    // From two polyline vertices; the z of the first holds the polyline bulge tan(sweep / 4).
    C2PtCurve(const AcGePoint3d& start, const AcGePoint3d& end);

    // Stores the three values as given.
    void set(const AcGePoint2d& start, const AcGePoint2d& end, double bulge);
    // Arc leaving the start along the tangent; a line when the tangent runs along the chord.
    void set(const AcGePoint2d& start, const AcGePoint2d& end, const AcGeVector2d& tangent);
    // From p1 through p2 to p3; a line when p2 lies on the line through p1 and p3.
    void set(const AcGePoint2d& p1, const AcGePoint2d& p2, const AcGePoint2d& p3);
    void set(const AcGePoint3d& start, const AcGePoint3d& end);
    // Back to the default: bulge 0, both points at the origin.
    void ClearData();

    void SetStartPt(const AcGePoint2d& pt) { m_start = pt; }
    void SetEndPt(const AcGePoint2d& pt) { m_end = pt; }
    AcGePoint2d GetStartPt() const { return m_start; }
    AcGePoint2d GetEndPt() const { return m_end; }
    void SetBugle(double bulge) { m_bulge = bulge; }
    double GetBugle() const { return m_bulge; }
    // The two polyline vertices of this piece: z 0, except the start's z holding the
    // polyline bulge when the chord is not empty.
    void Get3dPts(AcGePoint3d& start, AcGePoint3d& end) const;

    bool SetAcgeGeo(const AcGeLineSeg2d& seg);
    // False, with this piece unchanged, when the arc's midpoint cannot be found.
    bool SetAcgeGeo(const AcGeCircArc2d& arc);

    // The process-wide tolerance shared by all pieces (0.001 once the library is loaded).
    static AcGeTol getTol();
    // Sets the equal-point and equal-vector tolerances; meant to be called once, before use.
    static void setTol(double tol);

    bool IsValid() const;
    bool IsLine() const;
    bool IsClockWise() const { return m_bulge < 0.0; }
    AcGeLineSeg2d GetLine() const;
    // The arc through start, midpoint and end. A zero-radius arc when the piece is invalid or
    // too flat for AcGe to find a circle; operations then treat such a piece as its chord.
    AcGeCircArc2d GetArc() const;
    AcGePoint2d GetMidPt() const;
    // Direction pointing away from the piece at one end (length: chord or radius).
    AcGeVector2d GetCutVector(bool atStart) const;
    AcGePoint2d getColsestPt(const AcGePoint2d& pt) const;
    // 0 on, -1 left of, 1 right of the whole carrying line or circle.
    int JudgePtPos(const AcGePoint2d& pt) const;

    double length() const;
    double length(double fromParam, double toParam) const;
    double paramAtLength(double datumParam, double len, bool forward) const;
    double paramOf(const AcGePoint2d& pt) const;
    AcGePoint2d evalPoint(double param);
    bool isOn(const AcGePoint2d& pt) const;
    // Fraction of the length from the start to the point nearest pt.
    double GetPropAtPt(const AcGePoint2d& pt) const;
    // Point at the fraction t of the length (not clamped).
    AcGePoint2d GetPtFromProp(double t);

    void Reverse();
    void move(const AcGeVector2d& offset);
    void rotate(const AcGePoint2d& base, double angle);
    // Scales the end points about base, x and y separately; the bulge is kept as stored.
    void scale(const AcGePoint2d& base, const AcGeVector2d& factors);
    void mirror(const AcGeLine2d& line);

    // Lexicographic on start x, start y, end x, end y, bulge, within the point tolerance.
    bool operator<(const C2PtCurve& other) const;
    // Same point set, in either direction.
    bool operator==(const C2PtCurve& other) const;
    // 48 bytes: version 1.0, bulge, start x, start y, end x, end y.
    void Serialize(CArchive& ar);

    // Both intersections empty `out` first.
    bool GetInterPts(const C2PtCurve& other, std::vector<AcGePoint2d>& out) const;
    bool GetExtendInterPts(const C2PtCurve& other, std::vector<AcGePoint2d>& out) const;
    bool IsOverLap(const C2PtCurve& other) const;
    // Replaces this piece by the union of both when they continue each other at joint.
    bool TryUnite(const C2PtCurve& other, const AcGePoint2d& joint);
    bool ExtendToPt(const AcGePoint2d& pt);
    // Cuts at the points lying inside the piece; `out` is untouched on false.
    bool DivideByPts(const std::vector<AcGePoint2d>& pts, std::vector<C2PtCurve>& out);
    // The piece as a polyline from start to end, z 0.
    std::vector<AcGePoint3d> GetPtArr() const;

private:
    // One atomic per component: readers on other threads never see a torn value.
    struct SharedTol {
        std::atomic<double> equalPoint;
        std::atomic<double> equalVector;
    };
    static SharedTol m_tol;

    double m_bulge;
    AcGePoint2d m_start;
    AcGePoint2d m_end;
};
