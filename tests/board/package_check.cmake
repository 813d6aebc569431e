# Installs the board's development files to a fresh prefix, then builds and runs a host that
# finds them with find_package(Tavlon CONFIG).
# Arguments: BUILD_DIR, HOST_SOURCE, WORK_DIR, GENERATOR, MAKE_PROGRAM, CXX.
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix"
    --component Development RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "install failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_CTEST_COMMAND} --build-and-test "${HOST_SOURCE}" "${WORK_DIR}/host"
    --build-generator "${GENERATOR}" --build-makeprogram "${MAKE_PROGRAM}"
    --build-options "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DCMAKE_CXX_COMPILER=${CXX}"
        -DCMAKE_BUILD_TYPE=Release
    --test-command tavlon_embed_host RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "the host built against the installed package failed: ${rc}")
endif()
