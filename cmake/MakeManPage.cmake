# Run at build time by the rules of cmake/ManPages.cmake: makes PAGE (PROGRAM.1.gz)
# with HELP2MAN from PROGRAM's --help and --version and the include file INCLUDE.
# A program that does not answer both fails the build: its page would be empty.

get_filename_component(name ${PROGRAM} NAME)
get_filename_component(dir ${PAGE} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" roff ${PAGE})
file(MAKE_DIRECTORY ${dir})
file(REMOVE ${PAGE} ${roff})

# A program that ignores its arguments would start its window or take the
# terminal: without a display or a terminal it stops at once instead, with no core
# file, and the time limit stops it otherwise.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
unset(ENV{TERM})
set(ENV{LC_ALL} C)
foreach(option --help --version)
    execute_process(COMMAND sh -c "ulimit -c 0; exec \"$0\" \"$1\"" ${PROGRAM} ${option}
        WORKING_DIRECTORY ${dir}
        INPUT_FILE /dev/null
        OUTPUT_VARIABLE answer
        ERROR_QUIET
        RESULT_VARIABLE status
        TIMEOUT 10)
    if(option STREQUAL "--help")
        set(expected "Usage: ${name}")
    else()
        set(expected ".*[0-9]")
    endif()
    if(NOT status EQUAL 0 OR NOT answer MATCHES "^${expected}")
        message(FATAL_ERROR "Man page of ${name} not made: ${name} ${option} does not answer "
            "(exit status ${status})")
    endif()
endforeach()

execute_process(COMMAND ${HELP2MAN} --no-info --include ${INCLUDE} --output ${roff}
        ${PROGRAM}
    COMMAND_ERROR_IS_FATAL ANY)
# -n leaves the name and time out of the gzip header, so the page is the same
# from one build to the next.
execute_process(COMMAND ${GZIP} -9nf ${roff} COMMAND_ERROR_IS_FATAL ANY)
