# Decides whether the Python module is built: by default when Debian's own interpreter, its
# development files and pybind11 are all present, and never in the sanitizer build (the
# interpreter is not instrumented). The interpreter is named explicitly, so one installed by
# the user and found first on PATH is not picked up.
set(GEO_PYTHON_DEFAULT OFF)
if(GEO_SANITIZE OR GEO_FUZZ OR GEO_TSAN)
    set(GEO_PYTHON_INSTRUMENTED ON)
endif()
if(NOT GEO_PYTHON_INSTRUMENTED AND GEO_BUILD_TOOLS)
    if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
        set(Python_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "Interpreter the module is built for")
    endif()
    find_package(Python 3 QUIET COMPONENTS Interpreter Development.Module)
    if(Python_FOUND)
        find_package(pybind11 2.6 CONFIG QUIET)
    endif()
    if(Python_FOUND AND pybind11_FOUND)
        set(GEO_PYTHON_DEFAULT ON)
    endif()
endif()
option(GEO_BUILD_PYTHON "Build the Python module (needs pybind11 and Debian's python3)"
       ${GEO_PYTHON_DEFAULT})
if(GEO_BUILD_PYTHON AND GEO_PYTHON_INSTRUMENTED)
    message(FATAL_ERROR "The Python module cannot be built with the sanitizers")
endif()
