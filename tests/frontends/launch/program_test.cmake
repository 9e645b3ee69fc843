# Runs kivo6 and kivo6-tty with no display: --help and --version, and the exit status
# of a FOLDER that cannot be entered and of an unknown option, before either takes a
# window or a screen. Usage: cmake -DQT=kivo6 -DTTY=kivo6-tty -P program_test.cmake

# run(PROGRAM STATUS PATTERN ARGS...): PATTERN is looked for on standard output when
# STATUS is 0, on standard error otherwise.
function(run program status pattern)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
        --unset=QT_QPA_PLATFORM ${program} ${ARGN}
        RESULT_VARIABLE got OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        set(out "${err}")
    endif()
    if(NOT got STREQUAL status OR NOT out MATCHES "${pattern}")
        message(SEND_ERROR "${program} ${ARGN}: status ${got}, expected ${status} and /${pattern}/:\n${out}")
    endif()
endfunction()

run("${QT}" 0 "^Usage: kivo6 \\[OPTION\\]\\.\\.\\. \\[FOLDER\\]\n.*--own-folder.*/examples/data\\.txt" --help)
run("${QT}" 2 "^kivo6: cannot start in /nonexistent/kivo6: No such file" /nonexistent/kivo6)
run("${TTY}" 0 "^Usage: kivo6-tty \\[OPTION\\]\\.\\.\\. \\[FOLDER\\]\n.*--own-folder.*Shift\\+Tab" --help)
run("${TTY}" 0 "^kivo6-tty \\(KIVO6\\) [0-9]+\\.[0-9]+\\.[0-9]+\n$" --version)
run("${TTY}" 64 "unknown option '--own'\nUsage: kivo6-tty " --own)
