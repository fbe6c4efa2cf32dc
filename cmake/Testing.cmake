# GoogleTest through CTest: one test executable per folder, every test case its own CTest test.
# With -DBUILD_TESTING=OFF (building the game alone, for playing or packaging) no test is defined
# and GoogleTest need not be installed.
option(BUILD_TESTING "Build the tests" ON)
if(BUILD_TESTING)
    enable_testing()
    if(CMAKE_CROSSCOMPILING)
        # No GoogleTest is packaged for the target: build it from Debian's sources.
        set(googletest_source /usr/src/googletest CACHE PATH "GoogleTest's sources")
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        # Its own build names the targets GTest::gtest and GTest::gtest_main as the package does.
        add_subdirectory(${googletest_source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    else()
        find_package(GTest REQUIRED)
    endif()
    include(GoogleTest)
endif()

# vormelin_add_ui_tests(<same arguments>): tests that run on the test backend
# (platform/testing), which draws with the Qt drawing code; they exist only in a Qt build.
function(vormelin_add_ui_tests name)
    if(VORMELIN_BACKEND STREQUAL "qt")
        vormelin_add_tests(${name} ${ARGN})
    endif()
endfunction()

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
    if(CMAKE_CROSSCOMPILING)
        # One test per program, run through the emulator (Wine): listing every case would start
        # each program once more at build time.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES LABELS "${labels}")
        return()
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES LABELS "${labels}"
        DISCOVERY_TIMEOUT 60)
endfunction()
