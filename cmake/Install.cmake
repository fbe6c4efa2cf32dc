# What `cmake --install` puts where, in the layout of GNUInstallDirs: the game, its desktop entry,
# metainfo and icons (named after the application id, as desktops look them up), its manual page,
# and the copyright and changelog files that a Debian package carries.
include(GNUInstallDirs)

# Debian puts the programs of its section "games" in /usr/games; elsewhere bin/ is usual.
option(VORMELIN_INSTALL_GAMESDIR "Install the executable into games/ instead of bin/" OFF)
if(VORMELIN_INSTALL_GAMESDIR)
    set(VORMELIN_INSTALL_BINDIR games)
else()
    set(VORMELIN_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
endif()

# The release of PROJECT_VERSION: the metainfo and the manual page carry the date, the Debian
# changelog the same day in its own format.
set(VORMELIN_RELEASE_DATE 2026-12-07)
set(VORMELIN_RELEASE_DATE_DEBIAN "Mon, 07 Dec 2026 12:00:00 +0000")

# Files are compressed when configuring, with -n so that the same input gives the same bytes.
find_program(VORMELIN_GZIP gzip REQUIRED)
function(vormelin_gzip input output)
    execute_process(COMMAND ${VORMELIN_GZIP} -9 -n -c ${input}
        OUTPUT_FILE ${output}
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "cannot compress ${input}")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()

set(desktop_source ${PROJECT_SOURCE_DIR}/desktop)
set(desktop_build ${PROJECT_BINARY_DIR}/desktop)

install(TARGETS vormelin RUNTIME DESTINATION ${VORMELIN_INSTALL_BINDIR})

install(FILES ${desktop_source}/${VORMELIN_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${desktop_source}/${VORMELIN_APP_ID}.metainfo.xml.in
    ${desktop_build}/${VORMELIN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${desktop_build}/${VORMELIN_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The sizes drawn by tools/artwork (desktop_icon_sizes in app_icon.h).
set(VORMELIN_ICON_SIZES 16 24 32 48 64 128 256 512)
foreach(size IN LISTS VORMELIN_ICON_SIZES)
    install(FILES ${desktop_source}/icons/${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${VORMELIN_APP_ID}.png)
endforeach()

configure_file(${desktop_source}/vormelin.6.in ${desktop_build}/vormelin.6 @ONLY)
vormelin_gzip(${desktop_build}/vormelin.6 ${desktop_build}/vormelin.6.gz)
install(FILES ${desktop_build}/vormelin.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The package is native (its version has no Debian revision), so its changelog is changelog.gz.
set(doc_folder ${CMAKE_INSTALL_DATAROOTDIR}/doc/vormelin)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in
    ${desktop_build}/changelog @ONLY)
vormelin_gzip(${desktop_build}/changelog ${desktop_build}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${desktop_build}/changelog.gz
    DESTINATION ${doc_folder})
