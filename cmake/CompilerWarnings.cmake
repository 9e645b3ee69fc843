# Compiler settings shared by every target: the warning set, and the switch that
# keeps exceptions out of the logic core. Used by the top-level CMakeLists.txt.
# Both apply to C++ sources only, so a target's resource script is left alone.

function(kivo6_set_warnings target)
    if(MSVC)
        set(flags /W4 /utf-8)
        if(KIVO6_WARNINGS_AS_ERRORS)
            list(APPEND flags /WX)
        endif()
    else()
        set(flags -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
            -Wold-style-cast -Wcast-qual -Wformat=2 -Wundef -Wnull-dereference)
        if(KIVO6_WARNINGS_AS_ERRORS)
            list(APPEND flags -Werror)
        endif()
    endif()
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${flags}>")
endfunction()

function(kivo6_disable_exceptions target)
    if(MSVC)
        target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:/EHs-c->")
        target_compile_definitions(${target} PRIVATE _HAS_EXCEPTIONS=0)
    else()
        target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>")
    endif()
endfunction()
