# GoogleTest through CTest: one test executable per folder, every test case its own CTest test.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# vormelin_add_tests(<name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>])
function(vormelin_add_tests name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main vormelin_warnings)
    # Tests that reach the platform run on its test backend unless they chose another one.
    get_target_property(backend ${name} VORMELIN_PLATFORM)
    if(NOT backend)
        set_target_properties(${name} PROPERTIES VORMELIN_PLATFORM platform_testing)
    endif()
    set(labels unit ${ARG_LABELS})
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES LABELS "${labels}"
        DISCOVERY_TIMEOUT 60)
endfunction()
