# Every test carries a label of its kind, so that a run can pick its tests
# by kind (ctest -L, the test presets). A test is named KIND.what
# (e2e.test_shell, figures.numbers, fps.tally, fuzz.dib): a folder that
# registers tests calls ocean_label_tests() once, before its first add_test,
# and at the end of that folder every test gets the label KIND beside any it
# was given. Tests that GoogleTest discovers at test time are labelled where
# they are discovered.

# What ocean_label_tests() runs at the end of the folder.
function(ocean_label_tests_now)
    get_property(tests DIRECTORY PROPERTY TESTS)
    foreach(test IN LISTS tests)
        get_test_property(${test} LABELS labels)
        if(NOT labels)
            set(labels "")
        endif()
        if(test MATCHES "^([A-Za-z0-9_-]+)\\.")
            list(APPEND labels ${CMAKE_MATCH_1})
            list(REMOVE_DUPLICATES labels)
        elseif(NOT labels)
            message(FATAL_ERROR "The test ${test} has no label: name it KIND.what or give it LABELS")
        endif()
        set_tests_properties(${test} PROPERTIES LABELS "${labels}")
    endforeach()
endfunction()

function(ocean_label_tests)
    cmake_language(DEFER CALL ocean_label_tests_now)
endfunction()
