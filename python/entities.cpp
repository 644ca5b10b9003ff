// Stored entity records: reading and writing the archive bytes of every entity class.
#include <geo/circles.h>
#include <geo/fmt_polyline.h>
#include <geo/lines.h>
#include <geo/mfc/exceptions.h>
#include <geo/mfc/file.h>
#include <geo/polygon3d.h>
#include <geo/polylines.h>
#include <geo/region.h>
#include <geo/solids.h>

#include <algorithm>
#include <memory>

#include "bindings.h"
#include "convert.h"

namespace geopy {
namespace {

// The classes whose records can be read and written, sorted by name.
const char* const kEntityClasses[] = {
    "CArc",     "CCircle", "CCone",    "CFmtPolyline", "CGeometry",  "CLine",
    "CLineSeg", "CPlane",  "CPoint3d", "CPolygon",     "CPolygon3D", "CPolyline",
    "CPyramid", "CRay",    "CRegion",  "CSphere",      "CVector3d"};

// One entity object read from, or to be written as, a stored record.
struct Entity {
    std::shared_ptr<CObject> object;
    std::string className;
};

bool IsEntityClass(const std::string& name) {
    return std::any_of(std::begin(kEntityClasses), std::end(kEntityClasses),
                       [&](const char* c) { return name == c; });
}

std::string ArchiveProblem(CException* e) {
    std::string text = "malformed record";
    if (auto* archive = dynamic_cast<CArchiveException*>(e)) {
        text = archive->m_cause == CArchiveException::endOfFile ? "truncated record"
                                                                : "malformed record";
    }
    e->Delete();
    return text;
}

Entity ReadEntity(const std::string& className, py::bytes data) {
    Require(IsEntityClass(className), "unknown entity class '" + className + "'");
    const std::string bytes = data;
    Entity entity{std::shared_ptr<CObject>(CRuntimeClass::CreateObject(className.c_str())),
                  className};
    Require(entity.object != nullptr, "entity class '" + className + "' cannot be created");
    std::string problem;
    ULONGLONG left = 0;
    {
        py::gil_scoped_release unlocked;
        CMemFile file;
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        try {
            entity.object->Serialize(ar);
            left = ar.GetRemaining();
        } catch (CException* e) {
            problem = ArchiveProblem(e);
        }
    }
    Require(problem.empty(),
            problem + " of " + className + " (" + std::to_string(bytes.size()) + " bytes)");
    Require(left == 0,
            std::to_string(left) + " bytes left over after the " + className + " record");
    return entity;
}

py::bytes WriteObject(CObject& object) {
    std::string bytes;
    {
        py::gil_scoped_release unlocked;
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            object.Serialize(ar);
            ar.Close();
        }
        bytes.resize(static_cast<size_t>(file.GetLength()));
        file.SeekToBegin();
        if (!bytes.empty()) {
            file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        }
    }
    return py::bytes(bytes);
}

// An entity object standing for a geometry of the module, or the entity itself.
std::shared_ptr<CObject> ObjectOf(py::handle obj) {
    if (py::isinstance<Entity>(obj)) {
        return obj.cast<const Entity&>().object;
    }
    if (py::isinstance<LineString>(obj)) {
        return std::make_shared<CPolyline>(obj.cast<const LineString&>().pts);
    }
    if (py::isinstance<Polygon>(obj) || py::isinstance<MultiPolygon>(obj)) {
        return std::make_shared<CRegion>(ToRegion(obj, "obj"));
    }
    throw py::type_error(
        "write_entity takes a geo.Entity, Polygon, MultiPolygon or LineString, got " +
        py::str(py::type::of(obj)).cast<std::string>());
}

// The entity as one of the module's geometries, when its class has one; else None.
py::object GeometryOf(const Entity& e) {
    if (auto* region = dynamic_cast<CRegion*>(e.object.get())) {
        return FromRegion(*region, false);
    }
    if (auto* polygon = dynamic_cast<CPolygon*>(e.object.get())) {
        Polygon out;
        if (polygon->numVerts() >= 3) {
            out.region = CRegion(polygon->getPoints());
        }
        return py::cast(std::move(out));
    }
    if (auto* line = dynamic_cast<CPolyline*>(e.object.get())) {
        return py::cast(LineString{line->getPoints(), true});
    }
    if (auto* point = dynamic_cast<CPoint3d*>(e.object.get())) {
        return py::make_tuple(point->x, point->y, point->z);
    }
    return py::none();
}

}  // namespace

void BindEntities(py::module_& m) {
    py::class_<Entity>(m, "Entity", "An entity object of the building application's files.")
        .def_readonly("class_name", &Entity::className)
        .def_property_readonly("geometry", &GeometryOf,
                               "The entity as a Polygon, LineString or (x, y, z) tuple, where "
                               "its class has one; None otherwise.")
        .def("__repr__", [](const Entity& e) { return "<geo.Entity " + e.className + ">"; });

    py::list classes;
    for (const char* name : kEntityClasses) {
        classes.append(name);
    }
    m.attr("entity_classes") = py::tuple(classes);
    m.def("read_entity", &ReadEntity, py::arg("class_name"), py::arg("data"),
          "The entity stored in data, a record of class_name (records carry no class tag). "
          "ValueError for an unknown class, a truncated or malformed record, or bytes left over.");
    m.def(
        "write_entity", [](py::handle obj) { return WriteObject(*ObjectOf(obj)); }, py::arg("obj"),
        "The stored record of an Entity; a Polygon or MultiPolygon is stored as CRegion, a "
        "LineString as CPolyline.");
}

}  // namespace geopy
