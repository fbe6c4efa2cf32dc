# The resource embedder (tools/embed_resources) runs at build time, so it must run on the build
# machine. A cross build cannot make it with its own compiler: there it is compiled once, when the
# build is configured, with the build machine's C++ compiler (standard library only).
# Sets VORMELIN_EMBED_RESOURCES to the command that runs it.
set(host_embedder_source ${PROJECT_SOURCE_DIR}/tools/embed_resources)
set(host_embedder ${CMAKE_BINARY_DIR}/host/embed_resources)
file(GLOB host_embedder_sources ${host_embedder_source}/*.cpp)
set(host_compiler ${VORMELIN_HOST_CXX})
if(NOT host_compiler)
    find_program(host_compiler NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
endif()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host)
execute_process(
    COMMAND ${host_compiler} -std=c++20 -O1 -I${PROJECT_SOURCE_DIR} ${host_embedder_sources}
        -o ${host_embedder}
    RESULT_VARIABLE host_result
    ERROR_VARIABLE host_errors)
if(NOT host_result EQUAL 0)
    message(FATAL_ERROR "The resource embedder could not be built for the build machine:\n"
        "${host_errors}")
endif()
set(VORMELIN_EMBED_RESOURCES ${host_embedder})
