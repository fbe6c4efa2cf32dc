# GoogleTest through CTest: one test executable per folder, every test case its own CTest test.
# With -DBUILD_TESTING=OFF (building the game alone, for playing or packaging) no test is defined
# and GoogleTest need not be installed.
option(BUILD_TESTING "Build the tests" ON)
if(BUILD_TESTING)
    enable_testing()
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

# vormelin_add_tests(<name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>])
function(vormelin_add_tests name)
    if(NOT BUILD_TESTING)
        return()
    endif()
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
