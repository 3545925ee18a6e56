# SPDX-License-Identifier: GPL-3.0-or-later
# Warning flags for our own targets. Tests get the basic set only, since test-framework macros
# expand into code we do not control. -Werror only with HARUKAZE_WERROR (developers and CI).
function(harukaze_strict_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wundef -Wpointer-arith -Wformat=2 -Wnon-virtual-dtor
        -Wold-style-cast -Woverloaded-virtual)
    if(HARUKAZE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

function(harukaze_test_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(HARUKAZE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
