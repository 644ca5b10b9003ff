# Installs the build into a temporary prefix and imports the module from its dist-packages
# folder with nothing else on the library path: the module must find the library by itself.
string(RANDOM LENGTH 8 tag)
set(prefix "${BINARY_DIR}/python-install-${tag}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BINARY_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed: ${err}")
endif()
unset(ENV{LD_LIBRARY_PATH})
set(ENV{PYTHONPATH} "${prefix}/${PYTHON_DIR}")
execute_process(
    COMMAND ${PYTHON} -c "import geo; assert geo.__file__.startswith('${prefix}'), geo.__file__; print(geo.Polygon([(0, 0), (1, 0), (1, 1)]).area)"
    WORKING_DIRECTORY "${prefix}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE "${prefix}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "^0.5")
    message(FATAL_ERROR "the installed module does not import: ${out}${err}")
endif()
