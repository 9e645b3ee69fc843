# Runs the built kivo6-check as a user would, in a fresh folder, and checks its exit
# statuses and what it writes. CTest runs it with cmake -P; PROGRAM is the program,
# EMULATOR what starts it (Wine for the Windows build, memcheck under valgrind), if any.
# Usage: cmake -DPROGRAM=... -DEXAMPLE=examples/data.txt -DWORK=dir [-DEMULATOR=...]
#        [-DJAPANESE_ONLY=ON] -P program_test.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(failures 0)

# run(NAME STATUS REGEX... [ENV VAR=VALUE...] ARGS ...)
function(run name expected_status)
    if(cannot_run_here)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 2 run "" "" "EXPECT;ENV;ARGS")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env ${run_ENV} ${EMULATOR} ${PROGRAM} ${run_ARGS}
        WORKING_DIRECTORY "${WORK}"
        RESULT_VARIABLE status
        OUTPUT_VARIABLE output
        ERROR_VARIABLE errors)
    if(status EQUAL 77 AND errors MATCHES "^skipped: ")
        # tools/wine-run.sh: this machine cannot start the program at all. Its reason,
        # once, is what CTest reports the test as skipped on.
        message(STATUS "${errors}")
        set(cannot_run_here ON PARENT_SCOPE)
        return()
    endif()
    set(problem "")
    if(NOT status STREQUAL expected_status)
        set(problem "exit status ${status}, expected ${expected_status}")
    endif()
    foreach(pattern IN LISTS run_EXPECT)
        string(FIND "${output}${errors}" "${pattern}" at)
        if(at EQUAL -1)
            string(APPEND problem "\n  missing: ${pattern}")
        endif()
    endforeach()
    if(JAPANESE_ONLY)
        # Windows writes redirected text in the system's code page (932 here), with
        # a question mark for a character it lacks.
        string(FIND "${output}${errors}" "?" lost)
        if(NOT lost EQUAL -1)
            string(APPEND problem "\n  a character is missing from the code page")
        endif()
    endif()
    if(problem)
        message(SEND_ERROR "${name}: ${problem}\n--- output:\n${output}\n--- errors:\n${errors}")
    else()
        message(STATUS "${name}: ok")
    endif()
endfunction()

file(WRITE "${WORK}/faulty.txt" "KIVO history\n3 11 25 30 38 42 17\n1 2 3\t4 5 6 7 8\nEND\n")
file(WRITE "${WORK}/many-faults.txt"
    "KIVO\n1 2 3\t4 5 6 7 8\n9 10 11 12 13 44 15 1 2 3 4 5\n5 5 8 9 9\n9 10 11 12 13 14 15 1 END\n"
    "notes\n")
file(WRITE "${WORK}/foreign.txt" "Lottery history\n3 11 25 30 38 42 17\nEND\n")
file(COPY "${EXAMPLE}" DESTINATION "${WORK}/example")

if(NOT JAPANESE_ONLY)
    run("help" 0 EXPECT "Usage: kivo6-check" "--backtest" ENV LC_ALL=C.UTF-8 LANG=C.UTF-8 ARGS --help)
    run("clean file" 0 EXPECT "150 draws read" "No problems found."
        ENV LC_ALL=C.UTF-8 ARGS example/data.txt)
    run("file with a fault" 1 EXPECT "faulty.txt:3:6: warning: a tab is not a separator"
        ENV LC_ALL=C.UTF-8 ARGS faulty.txt)
    run("file KIVO6 refuses" 2 EXPECT "foreign.txt:1:1: error:"
        "  Error: Wrong File.\n  This file is not data.txt\n  ERROR ReadData"
        ENV LC_ALL=C.UTF-8 ARGS foreign.txt)
    run("no data.txt here" 2 EXPECT "  Data Read ERROR\n  ERROR ReadData" ENV LC_ALL=C.UTF-8)
    run("unknown option" 64 EXPECT "unknown option --color" ENV LC_ALL=C.UTF-8 ARGS --color)
    run("two files" 64 EXPECT "name one file only" ENV LC_ALL=C.UTF-8 ARGS a.txt b.txt)
    run("backtest" 0 EXPECT "--backtest 20 --seeds 300 --first-seed 7 example/data.txt"
        ENV LC_ALL=C.UTF-8 ARGS --backtest 20 --seeds 300 --first-seed 7 example/data.txt)
    run("backtest of a refused file" 2 EXPECT "ERROR ReadData"
        ENV LC_ALL=C.UTF-8 ARGS --backtest foreign.txt)
    run("Japanese locale" 1 EXPECT "faulty.txt:3:6: 警告: タブは区切りになりません"
        ENV LC_ALL= LC_MESSAGES= LANGUAGE= LANG=ja_JP.UTF-8 ARGS faulty.txt)
else()
    # Under Wine the user's interface is Japanese; only the statuses and the ASCII
    # parts are compared, as the text arrives in the system's code page.
    run("help" 0 EXPECT "kivo6-check" "--backtest" ARGS --help)
    run("clean file" 0 EXPECT "150" ARGS example/data.txt)
    run("file with a fault" 1 EXPECT "faulty.txt:3:6: " ARGS faulty.txt)
    run("file with many faults" 1
        EXPECT "many-faults.txt:3:15: " "many-faults.txt:4:3: " "many-faults.txt:6:1: "
        ARGS many-faults.txt)
    run("file KIVO6 refuses" 2 EXPECT "  Error: Wrong File." "  ERROR ReadData" ARGS foreign.txt)
    run("unknown option" 64 EXPECT "--color" ARGS --color)
    run("backtest" 0 EXPECT "--backtest 20 --seeds 300 --first-seed 7 example/data.txt"
        ARGS --backtest 20 --seeds 300 --first-seed 7 example/data.txt)
endif()
