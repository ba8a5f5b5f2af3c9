# Fortified string and stdio calls, where the build asks for them but the
# compiler does not already: some compilers define _FORTIFY_SOURCE themselves
# when optimising (at 2 or 3), and flags may define it too. Defining it a
# second time would draw a redefinition warning, an error under -Werror, and
# could lower a level the flags chose.

# Whether the C++ compiler, with this build's flags, predefines MACRO: the
# answer in RESULT (TRUE or FALSE).
function(ocean_compiler_predefines macro result)
    string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
    separate_arguments(flags UNIX_COMMAND "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}}")
    execute_process(
        COMMAND ${CMAKE_CXX_COMPILER} ${flags} -dM -E -x c++ /dev/null
        OUTPUT_VARIABLE macros
        RESULT_VARIABLE status
        ERROR_QUIET)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not list its predefined macros")
    endif()
    if(macros MATCHES "#define ${macro}[ \n]")
        set(${result} TRUE PARENT_SCOPE)
    else()
        set(${result} FALSE PARENT_SCOPE)
    endif()
endfunction()

# The library checks need optimisation, so only the optimised build types
# get them.
function(ocean_fortify)
    if(NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
        return()
    endif()
    ocean_compiler_predefines(_FORTIFY_SOURCE predefined)
    if(predefined)
        message(STATUS "_FORTIFY_SOURCE: as the compiler and flags define it")
    else()
        message(STATUS "_FORTIFY_SOURCE: 2")
        add_compile_options(-D_FORTIFY_SOURCE=2)
    endif()
endfunction()
