# Runs kivo6 and kivo6-tty as a user would, with no display and no terminal: what
# each writes for --help and --version, and the exit status of a wrong command line
# or a FOLDER that cannot be entered, all before either takes a window or a screen.
# Usage: cmake -DQT=path/kivo6 -DTTY=path/kivo6-tty -P program_test.cmake
# (either may be empty when that front end is not built).

# run(PROGRAM STATUS PATTERN ARGS...): the exit status, and PATTERN (a regular
# expression) in what the program writes, on the stream the status implies.
function(run program expected_status pattern)
    if(NOT program)
        return()
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM ${program} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    set(text "${output}")
    if(NOT expected_status EQUAL 0)
        set(text "${errors}")
    endif()
    if(NOT status STREQUAL expected_status OR NOT text MATCHES "${pattern}")
        message(SEND_ERROR "${program} ${ARGN}: exit status ${status}, expected "
            "${expected_status} and /${pattern}/\n--- output:\n${output}\n--- errors:\n${errors}")
    endif()
endfunction()

run("${QT}" 0 "^Usage: kivo6 \\[OPTION\\]\\.\\.\\. \\[FOLDER\\]\n.*--own-folder.*/examples/data\\.txt" --help)
run("${QT}" 0 "^kivo6 \\(KIVO6\\) [0-9]+\\.[0-9]+\\.[0-9]+\n$" --version)
run("${QT}" 2 "^kivo6: cannot start in /nonexistent/kivo6: No such file" /nonexistent/kivo6)
run("${QT}" 64 "unknown option '--bogus'\nUsage: kivo6 " --bogus)
run("${QT}" 64 "leave out '/tmp'" --own-folder /tmp)
run("${TTY}" 0 "^Usage: kivo6-tty \\[OPTION\\]\\.\\.\\. \\[FOLDER\\]\n.*Shift\\+Tab" --help)
run("${TTY}" 0 "^kivo6-tty \\(KIVO6\\) [0-9]+\\.[0-9]+\\.[0-9]+\n$" --version)
run("${TTY}" 2 "^kivo6-tty: cannot start in /nonexistent/kivo6: No such file" /nonexistent/kivo6)
run("${TTY}" 64 "unknown option '--own-folder'" --own-folder)
