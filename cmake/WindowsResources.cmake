# The Windows executable's resources (app/windows/): its icon, packed from the desktop icons by a
# small tool compiled for the build machine when the build is configured (as the resource
# embedder is), its version from the project's, its copyright from LICENSE, and its manifest.
#   vormelin_windows_resources(<target>)
set(windows_resources_source ${PROJECT_SOURCE_DIR}/app/windows)
set(windows_resources_binary ${CMAKE_BINARY_DIR}/app/windows)
file(MAKE_DIRECTORY ${windows_resources_binary} ${CMAKE_BINARY_DIR}/host)

set(icon_packer ${CMAKE_BINARY_DIR}/host/pack_icon)
set(host_compiler ${VORMELIN_HOST_CXX})
if(NOT host_compiler)
    find_program(host_compiler NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
endif()
execute_process(
    COMMAND ${host_compiler} -std=c++20 -O1 ${windows_resources_source}/pack_icon.cpp
        -o ${icon_packer}
    RESULT_VARIABLE packer_result
    ERROR_VARIABLE packer_errors)
if(NOT packer_result EQUAL 0)
    message(FATAL_ERROR "The icon packer could not be built for the build machine:\n"
        "${packer_errors}")
endif()

# The sizes Windows asks of a program's icon, from the small icon to the large tiles.
set(icon_pictures)
foreach(size 16 24 32 48 64 256)
    list(APPEND icon_pictures ${PROJECT_SOURCE_DIR}/desktop/icons/${size}.png)
endforeach()
set(VORMELIN_ICON_FILE ${windows_resources_binary}/vormelin.ico)
add_custom_command(
    OUTPUT ${VORMELIN_ICON_FILE}
    COMMAND ${icon_packer} ${VORMELIN_ICON_FILE} ${icon_pictures}
    DEPENDS ${icon_pictures} ${icon_packer}
    COMMENT "Packing the program's icon")
add_custom_target(vormelin_windows_icon DEPENDS ${VORMELIN_ICON_FILE})

file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright_lines REGEX "^Copyright ")
list(GET copyright_lines 0 VORMELIN_COPYRIGHT)
set(VORMELIN_FILE_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(VORMELIN_FILE_VERSION_DOTS
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(VORMELIN_MANIFEST_FILE ${windows_resources_binary}/vormelin.manifest)
configure_file(${windows_resources_source}/vormelin.manifest ${VORMELIN_MANIFEST_FILE} @ONLY)
set(VORMELIN_RESOURCE_SCRIPT ${windows_resources_binary}/vormelin.rc)
configure_file(${windows_resources_source}/vormelin.rc.in ${VORMELIN_RESOURCE_SCRIPT} @ONLY)
set_source_files_properties(${VORMELIN_RESOURCE_SCRIPT} PROPERTIES
    OBJECT_DEPENDS "${VORMELIN_ICON_FILE};${VORMELIN_MANIFEST_FILE}")

# The release's name, read by scripts/package-windows.sh.
file(WRITE ${CMAKE_BINARY_DIR}/release-name.txt "vormelin-${PROJECT_VERSION}-windows-x86_64\n")

function(vormelin_windows_resources target)
    target_sources(${target} PRIVATE ${VORMELIN_RESOURCE_SCRIPT})
    add_dependencies(${target} vormelin_windows_icon)
endfunction()
