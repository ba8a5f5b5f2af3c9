# The icon is the viewer's own picture of the sea: docs/screenshot.png, the
# start view, scaled until its shorter side fits and cut square around the
# middle, sky above and water below the horizon. Without metadata the same
# screenshot always gives the same files. The install ships it as PNG files;
# the viewer carries the 48 pixel one's pixels for its window.
include_guard(GLOBAL)
find_program(IMAGEMAGICK_CONVERT convert HINTS /usr/bin REQUIRED)

# A rule making the icon of SIZE pixels a side at OUTPUT: a PNG file, or raw
# red, green, blue and alpha bytes, top row first, for a name ending in .rgba.
function(ocean_icon size output)
    set(screenshot ${CMAKE_SOURCE_DIR}/docs/screenshot.png)
    get_filename_component(folder ${output} DIRECTORY)
    get_filename_component(extension ${output} LAST_EXT)
    set(written ${output})
    if(extension STREQUAL ".rgba")
        set(written RGBA:${output})
    endif()
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${IMAGEMAGICK_CONVERT} ${screenshot}
            -resize ${size}x${size}^ -gravity center -extent ${size}x${size}
            -strip -define png:exclude-chunks=date,time -depth 8 ${written}
        DEPENDS ${screenshot}
        VERBATIM)
endfunction()

# A rule making the C++ source SOURCE that defines the byte array NAME,
# declared in HEADER, from the icon of SIZE pixels a side.
function(ocean_icon_source size source name header)
    set(raw ${source}.rgba)
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed_bytes.cmake)
    ocean_icon(${size} ${raw})
    add_custom_command(OUTPUT ${source}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${raw} -DOUTPUT=${source} -DNAME=${name}
            -DHEADER=${header} -P ${script}
        DEPENDS ${raw} ${script}
        VERBATIM)
endfunction()
