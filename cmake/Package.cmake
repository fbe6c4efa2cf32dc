# The Debian package, made by CPack from the install rules of Install.cmake:
#   cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#         -DVORMELIN_INSTALL_GAMESDIR=ON ... && cpack --config build-deb/CPackConfig.cmake -G DEB
# (scripts/package.sh does exactly that; docs/PACKAGING.md explains the choices).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vormelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vormelin developers")
set(CPACK_PACKAGE_CONTACT "The Vormelin developers <developers@vormelin.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://vormelin.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile puzzle: clear a board of coloured bricks")
# The long description, in lines that fit the 80 columns that package tools show.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Vormelin is a single-player tile puzzle with a French interface. Click a"
    "group of two or more bricks of the same colour and it vanishes; the bricks"
    "above fall into the holes and empty columns close up toward the middle."
    "Yellow balls cannot be clicked, but two of them that come to touch vanish."
    "Leave as few cells on the board as you can."
    "."
    "Each board is played up to 18 times from the same start, a chart shows how"
    "the attempts went, and the best results enter a score table.")
# Everything is installed under CPACK_PACKAGING_INSTALL_PREFIX, which follows the build's prefix.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

# vormelin_1.0.0_amd64.deb, the name Debian's own tools give.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; what the game opens by path at run time is named here:
# a General MIDI sound font at /usr/share/sounds/sf2/default-GM.sf2, and the fonts that "Arial"
# resolves to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-liberation2")

# FluidSynth is opened with dlopen when the sound starts (platform/fluidsynth), so dpkg-shlibdeps
# cannot see it: its package is the one that owns the library the build found, named here, or the
# installed game would stay silent.
get_filename_component(fluidsynth_library ${FLUIDSYNTH_DEVELOPMENT_LINK} REALPATH)
execute_process(COMMAND dpkg-query --search ${fluidsynth_library}
    OUTPUT_VARIABLE fluidsynth_owner
    RESULT_VARIABLE status
    ERROR_QUIET)
if(status EQUAL 0 AND fluidsynth_owner MATCHES "^([^:,]+)[:,]")
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CMAKE_MATCH_1}")
else()
    message(WARNING "no Debian package owns ${fluidsynth_library}: a Debian package made by "
                    "this build would lack its FluidSynth dependency")
endif()
# Control files with the permissions dpkg and lintian expect (0644).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
