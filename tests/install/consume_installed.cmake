# Installs the built library into a temporary prefix, then builds and runs a consumer twice:
# once through find_package(geo CONFIG), once through pkg-config.
string(RANDOM LENGTH 8 tag)
set(work "${BINARY_DIR}/consumer-${tag}")
set(prefix "${work}/prefix")
file(REMOVE_RECURSE "${work}")

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed: ${ARGV}\n${out}\n${err}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install "${BINARY_DIR}" --prefix "${prefix}")
# The command-line tool is installed beside the library and finds it there.
if(EXISTS "${BINARY_DIR}/tools/geo")
    run("${prefix}/bin/geo" --help)
endif()
run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${work}/cmake-build" "-DCMAKE_PREFIX_PATH=${prefix}")
run(${CMAKE_COMMAND} --build "${work}/cmake-build")
run("${work}/cmake-build/consumer")

set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig:${prefix}/lib/x86_64-linux-gnu/pkgconfig")
execute_process(COMMAND pkg-config --cflags --libs geo OUTPUT_VARIABLE flags
                RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know geo")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
file(GLOB libdirs "${prefix}/lib*" "${prefix}/lib/*-linux-gnu")
run(c++ "${CONSUMER_DIR}/main.cpp" ${flags} -o "${work}/pc-consumer")
set(ENV{LD_LIBRARY_PATH} "${prefix}/lib:${prefix}/lib/x86_64-linux-gnu")
run("${work}/pc-consumer")
file(REMOVE_RECURSE "${work}")
