// Writes one stored record of every entity class, and checks records written elsewhere: the
// C++ side of the Python module's entity round trip.
//   geo_entity_records write DIR          writes DIR/<class>.bin for each class
//   geo_entity_records check CLASS FILE   reads FILE as a CLASS record; exit 0 when the
//                                         record is read whole and writes back the same bytes
#include <geo/circles.h>
#include <geo/fmt_polyline.h>
#include <geo/lines.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>
#include <geo/polygon3d.h>
#include <geo/polylines.h>
#include <geo/region.h>
#include <geo/solids.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Points = std::vector<CPoint3d>;
using Bytes = std::string;

const Points kSquare = {{0, 0, 1.5}, {4, 0, 1.5}, {4, 3, 1.5}, {0, 3, 1.5}};
const Points kHole = {{1, 1, 1.5}, {2, 1, 1.5}, {2, 2, 1.5}};

std::unique_ptr<CObject> Sphere() {
    auto s = std::make_unique<CSphere>();
    s->set(CPoint3d(1, 2, 3), 4.5);
    return s;
}

std::unique_ptr<CObject> Cone() {
    auto c = std::make_unique<CCone>();
    c->set(CPoint3d(1, 2, 0), CVector3d(0, 0, 1), 2.0, 0.5, 6.0);
    return c;
}

std::unique_ptr<CObject> Pyramid() {
    auto p = std::make_unique<CPyramid>();
    p->set(CPoint3d(1, 2, 0), CVector3d(0, 0, 1), 2.0, 0.5, 6.0, 0.25, 5);
    return p;
}

std::unique_ptr<CObject> Geometry() {
    auto g = std::make_unique<CGeometry>();
    g->boxMin = CPoint3d(-1, -2, 0);
    g->boxMax = CPoint3d(3, 4, 0);
    return g;
}

std::unique_ptr<CObject> Polygon() {
    auto p = std::make_unique<CPolygon>(kSquare, true);
    p->setElevation(1.5);
    p->setThickness(3.0);
    return p;
}

std::unique_ptr<CObject> Region() {
    auto r = std::make_unique<CRegion>(std::vector<Points>{kSquare}, std::vector<Points>{kHole});
    r->setElevation(1.5);
    return r;
}

// A non-default object of every class, by name.
const std::map<std::string, std::function<std::unique_ptr<CObject>()>>& Samples() {
    static const std::map<std::string, std::function<std::unique_ptr<CObject>()>> samples = {
        {"CArc", [] { return std::make_unique<CArc>(CPoint3d(1, 2, 0), 3.0, 0.5, 2.5); }},
        {"CCircle", [] { return std::make_unique<CCircle>(CPoint3d(1, 2, 0), 3.0); }},
        {"CCone", Cone},
        {"CFmtPolyline", [] { return std::make_unique<CFmtPolyline>(kSquare); }},
        {"CGeometry", Geometry},
        {"CLine", [] { return std::make_unique<CLine>(CPoint3d(0, 0, 0), CPoint3d(3, 4, 5)); }},
        {"CLineSeg",
         [] { return std::make_unique<CLineSeg>(CPoint3d(0, 1, 0), CPoint3d(3, 4, 5)); }},
        {"CPlane",
         [] {
             return std::make_unique<CPlane>(CPoint3d(0, 0, 1), CPoint3d(1, 0, 1),
                                             CPoint3d(0, 1, 2));
         }},
        {"CPoint3d", [] { return std::make_unique<CPoint3d>(1.25, -2.5, 3.75); }},
        {"CPolygon", Polygon},
        {"CPolygon3D", [] { return std::make_unique<CPolygon3D>(kSquare, CVector3d(0, 0, 1)); }},
        {"CPolyline", [] { return std::make_unique<CPolyline>(kSquare); }},
        {"CPyramid", Pyramid},
        {"CRay", [] { return std::make_unique<CRay>(CPoint3d(1, 1, 0), CPoint3d(2, 3, 0)); }},
        {"CRegion", Region},
        {"CSphere", Sphere},
        {"CVector3d", [] { return std::make_unique<CVector3d>(0.5, -1.5, 2.0); }},
    };
    return samples;
}

Bytes Store(CObject& object) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Whether the bytes are one whole record of the class that writes back unchanged.
bool LoadsWhole(const std::string& className, const Bytes& bytes) {
    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(className.c_str()));
    if (!object) {
        return false;
    }
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    try {
        object->Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return ar.GetRemaining() == 0 && Store(*object) == bytes;
}

int WriteAll(const std::string& dir) {
    for (const auto& [name, make] : Samples()) {
        std::ofstream out(dir + "/" + name + ".bin", std::ios::binary);
        out << Store(*make());
        if (!out) {
            return 1;
        }
    }
    return 0;
}

int Check(const std::string& className, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!LoadsWhole(className, bytes)) {
        std::cerr << path << " is not a whole " << className << " record\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "write") {
        return WriteAll(args[1]);
    }
    if (args.size() == 3 && args[0] == "check") {
        return Check(args[1], args[2]);
    }
    std::cerr << "usage: geo_entity_records write DIR | check CLASS FILE\n";
    return 2;
}
