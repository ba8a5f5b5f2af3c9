# The icon is the viewer's own picture of the sea, docs/screenshot.png cut
# square, kept in packaging/icons in the sizes menus and launchers ask for
# (scripts/make-icons makes them again after a new screenshot): the install
# ships the PNG files, and the viewer carries the 48 pixel one's pixels for
# its window.
set(OCEAN_ICON_DIR ${CMAKE_SOURCE_DIR}/packaging/icons)
set(OCEAN_ICON_SIZES 48 128 256)

# A rule making the C++ source SOURCE that defines the byte array NAME,
# declared in HEADER, from the raw red, green, blue and alpha bytes of the
# icon of SIZE pixels a side.
function(ocean_icon_source size source name header)
    set(raw ${OCEAN_ICON_DIR}/ocean-viewer-${size}.rgba)
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_bytes.cmake)
    add_custom_command(OUTPUT ${source}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${raw} -DOUTPUT=${source} -DNAME=${name}
            -DHEADER=${header} -P ${script}
        DEPENDS ${raw} ${script}
        VERBATIM)
endfunction()
