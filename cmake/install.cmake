# Installing the viewer like a desktop program, and the Debian package made
# of the same tree. The viewer reads its files from its working directory, so
# it is installed out of the way and started through the launcher, which goes
# to the data folder first. The launcher finds both from its own place, so
# these three folders below the prefix are fixed: it knows them too.
set(OCEAN_INSTALL_VIEWER_DIR lib/ocean-viewer)
set(OCEAN_INSTALL_DATA_DIR share/ocean-viewer)
set(OCEAN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(OCEAN_STAGE_DIR ${CMAKE_BINARY_DIR}/packaging)

# The launcher answers --version with the project's version.
configure_file(${CMAKE_SOURCE_DIR}/scripts/ocean-viewer.in ${OCEAN_STAGE_DIR}/ocean-viewer @ONLY)
install(PROGRAMS ${OCEAN_STAGE_DIR}/ocean-viewer DESTINATION bin)
install(TARGETS ocean RUNTIME DESTINATION ${OCEAN_INSTALL_VIEWER_DIR})
# Every file the viewer reads at start-up, as the data target lays them out.
install(FILES ${OCEAN_DATA_FILES} DESTINATION ${OCEAN_INSTALL_DATA_DIR})
install(FILES ${OCEAN_PACKAGING_DIR}/ocean-viewer.desktop DESTINATION share/applications)
# What software centres list: the summary, description, controls, licence
# and releases (no screenshots or homepage yet: they need web addresses).
configure_file(${OCEAN_PACKAGING_DIR}/ocean-viewer.metainfo.xml.in
    ${OCEAN_STAGE_DIR}/ocean-viewer.metainfo.xml @ONLY)
install(FILES ${OCEAN_STAGE_DIR}/ocean-viewer.metainfo.xml DESTINATION share/metainfo)

set(CPACK_PACKAGE_CONTACT "The ocean-viewer developers <maintainers@users.noreply.c-seed-2a6754fe.example>")

# The manual page and the changelog carry the version, the copyright file the
# contact and the licence; the first two are installed compressed, without a
# time stamp, as Debian keeps them.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
function(ocean_compressed_page template staged destination)
    configure_file(${OCEAN_PACKAGING_DIR}/${template} ${OCEAN_STAGE_DIR}/${staged} @ONLY)
    add_custom_command(OUTPUT ${OCEAN_STAGE_DIR}/${staged}.gz
        COMMAND ${GZIP_EXECUTABLE} -9nkf ${OCEAN_STAGE_DIR}/${staged}
        DEPENDS ${OCEAN_STAGE_DIR}/${staged}
        VERBATIM)
    install(FILES ${OCEAN_STAGE_DIR}/${staged}.gz DESTINATION ${destination})
endfunction()
ocean_compressed_page(ocean-viewer.6.in ocean-viewer.6 share/man/man6)
ocean_compressed_page(changelog.in changelog share/doc/ocean-viewer)
# The licence's terms as LICENSE words them, in the copyright file's form:
# every line indented by a space, an empty one written as a lone dot.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE OCEAN_LICENSE_TERMS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
string(REGEX REPLACE "^.*\n(Permission is hereby granted)" "\\1" OCEAN_LICENSE_TERMS
    "${OCEAN_LICENSE_TERMS}")
string(STRIP "${OCEAN_LICENSE_TERMS}" OCEAN_LICENSE_TERMS)
string(REPLACE "\n\n" "\n.\n" OCEAN_LICENSE_TERMS "${OCEAN_LICENSE_TERMS}")
string(REPLACE "\n" "\n " OCEAN_LICENSE_TERMS " ${OCEAN_LICENSE_TERMS}")
configure_file(${OCEAN_PACKAGING_DIR}/copyright.in ${OCEAN_STAGE_DIR}/copyright @ONLY)
install(FILES ${OCEAN_STAGE_DIR}/copyright DESTINATION share/doc/ocean-viewer)

# The icon in the sizes menus and launchers ask for.
include(${CMAKE_SOURCE_DIR}/cmake/icon.cmake)
foreach(size ${OCEAN_ICON_SIZES})
    install(FILES ${OCEAN_ICON_DIR}/ocean-viewer-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ocean-viewer.png)
endforeach()
add_custom_target(install-files ALL
    DEPENDS ${OCEAN_STAGE_DIR}/ocean-viewer.6.gz ${OCEAN_STAGE_DIR}/changelog.gz)

# The Debian package holds the same tree under /usr. The library dependencies
# (GL, GLU, GLUT, JPEG and the C++ runtime) are read off the viewer's own
# links by dpkg-shlibdeps, so they name the packages of the release it was
# built on.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ocean-viewer)
set(CPACK_PACKAGE_VENDOR "The ocean-viewer developers")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time ocean viewer: wind-driven waves under a cloudy sky")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Every frame the viewer synthesises a patch of deep-water waves from a wind-wave\n"
    "spectrum with inverse FFTs, repeats it as tiles across the sea, and draws them\n"
    "shaded per pixel with reflection and refraction under a textured sky dome.\n"
    "Drag with the mouse to look around; space toggles the shading, c the frame\n"
    "counters. Its pictures and shaders can be replaced with a user's own.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_SOURCE_GENERATOR TGZ)
# Regular expressions. CPack writes them into its configuration files as
# they are and CMake reads them back, so each backslash is doubled twice:
# written "/\\\\.git/", stored /\\.git/, read back /\.git/, a dot and not
# any character. Doubled once, the read-back finds an invalid escape.
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/")
include(CPack)
