# Runs the built kivo6-check as a user would, in a fresh folder: its exit statuses and
# what it writes. PROGRAM is the program, EMULATOR what starts it (Wine for the Windows
# build, memcheck under valgrind), if any. Under Wine (JAPANESE_ONLY) the interface is
# Japanese: the EXPECT texts are compared there, and the ENGLISH ones too elsewhere.
# Usage: cmake -DPROGRAM=... -DEXAMPLE=examples/data.txt -DWORK=dir [-DEMULATOR=...]
#        [-DJAPANESE_ONLY=ON] -P program_test.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# run(NAME STATUS [INPUT FILE] [EXPECT TEXT...] [ENGLISH TEXT...] [ENV VAR=VALUE...]
#     [ARGS ...])
function(run name expected_status)
    if(cannot_run_here)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 2 run "" "INPUT" "EXPECT;ENGLISH;ENV;ARGS")
    if(NOT run_INPUT)
        set(run_INPUT /dev/null)
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${run_ENV} ${EMULATOR} ${PROGRAM} ${run_ARGS}
        WORKING_DIRECTORY "${WORK}"
        # Not a console: on a console of its own the Windows program would wait for Enter.
        INPUT_FILE "${run_INPUT}"
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
    if(NOT JAPANESE_ONLY)
        list(APPEND run_EXPECT ${run_ENGLISH})
    endif()
    # Windows ends the lines it writes with CR LF.
    string(REPLACE "\r\n" "\n" text "${output}${errors}")
    foreach(pattern IN LISTS run_EXPECT)
        string(FIND "${text}" "${pattern}" at)
        if(at EQUAL -1)
            string(APPEND problem "\n  missing: ${pattern}")
        endif()
    endforeach()
    # Windows writes redirected text in the system's code page (932 here), with a
    # question mark for a character it lacks.
    if(JAPANESE_ONLY AND text MATCHES "[?]")
        string(APPEND problem "\n  a character is missing from the code page")
    endif()
    if(problem)
        message(SEND_ERROR "${name}: ${problem}\n--- output:\n${output}\n--- errors:\n${errors}")
    endif()
endfunction()

# Most kinds of warning, so that each one's Japanese text meets the code page.
file(WRITE "${WORK}/faulty.txt"
    "KIVO\n1 2 3\t4 5 6 7 8\n9 10 11 12 13 44 15 1 2 3 4 5\n5 5 8 9 9\n9 10 11 12 13 14 15 1 END\n"
    "notes\n")
file(WRITE "${WORK}/foreign.txt" "Lottery history\n3 11 25 30 38 42 17\nEND\n")
file(COPY "${EXAMPLE}" DESTINATION "${WORK}/example")

run("help" 0 EXPECT "kivo6-check --backtest" ENGLISH "Usage: kivo6-check" ARGS --help)
run("clean file" 0 EXPECT "150" ENGLISH "150 draws read" "No problems found." ARGS example/data.txt)
run("file with faults" 1
    EXPECT "faulty.txt:2:6: " "faulty.txt:3:15: " "faulty.txt:4:3: " "faulty.txt:6:1: "
    ENGLISH "faulty.txt:2:6: warning: a tab is not a separator" ARGS faulty.txt)
run("file KIVO6 refuses" 2
    EXPECT "foreign.txt:1:1: " "  Error: Wrong File.\n  This file is not data.txt\n  ERROR ReadData"
    ENGLISH "foreign.txt:1:1: error:" ARGS foreign.txt)
run("no data.txt here" 2 EXPECT "  Data Read ERROR\n  ERROR ReadData")
run("unknown option" 64 EXPECT "--color" ENGLISH "unknown option --color" ARGS --color)
run("seeds without backtest" 64 EXPECT "--seeds" ENGLISH "--seeds is for --backtest only" ARGS --seeds 10)
run("two files" 64 ENGLISH "name one file only" ARGS a.txt b.txt)
run("backtest" 0 EXPECT "--backtest 20 --seeds 300 --first-seed 7 example/data.txt"
    ARGS --backtest 20 --seeds 300 --first-seed 7 example/data.txt)
run("backtest of a refused file" 2 EXPECT "ERROR ReadData" ARGS --backtest foreign.txt)
if(NOT JAPANESE_ONLY)
    run("Japanese locale" 1 EXPECT "faulty.txt:2:6: 警告: タブは区切りになりません"
        ENV LC_ALL= LC_MESSAGES= LANGUAGE= LANG=ja_JP.UTF-8 ARGS faulty.txt)
endif()

# --fix: an export replaced in place, its original kept byte for byte as .orig, then
# as .orig.1 with .orig untouched; --output leaves the file alone and never
# overwrites; a line it cannot read leaves the file as it was.
function(expect_bytes name path expected)
    if(cannot_run_here)
        return()
    endif()
    # In hexadecimal: file(READ) would escape the semicolons of a text.
    file(READ "${path}" bytes HEX)
    string(HEX "${expected}" expected)
    if(NOT bytes STREQUAL expected)
        message(SEND_ERROR "${name}: ${path} holds other bytes: ${bytes}")
    endif()
endfunction()
function(expect_absent name path)
    if(EXISTS "${path}")
        message(SEND_ERROR "${name}: ${path} should not exist")
    endif()
endfunction()

set(export "No;Date;N1;N2;N3;N4;N5;N6;Bonus\r\n2;2024-01-08;11;12;13;14;15;16;17\r\n")
string(APPEND export "1;2024-01-04;1;2;3;4;5;6;7\r\n")
set(fixed "KIVO6\r\n1 2 3 4 5 6 7\r\n11 12 13 14 15 16 17\r\nEND\r\n")
file(WRITE "${WORK}/export.csv" "${export}")
file(WRITE "${WORK}/export-copy.csv" "${export}")
run("fix in place" 0 EXPECT "export.csv.orig" ENGLISH "export.csv: 2 draws written"
    ARGS --fix export.csv)
expect_bytes("fix in place" "${WORK}/export.csv.orig" "${export}")
expect_bytes("fix in place" "${WORK}/export.csv" "${fixed}")
run("fix in place again" 0 EXPECT "export.csv.orig.1" ARGS --fix export.csv)
expect_bytes("fix in place again" "${WORK}/export.csv.orig" "${export}")
expect_bytes("fix in place again" "${WORK}/export.csv.orig.1" "${fixed}")
run("fix with --output naming the file itself" 0 EXPECT "export.csv.orig.2"
    ARGS --fix export.csv --output ./export.csv)

file(MAKE_DIRECTORY "${WORK}/out")
run("fix to a new file" 0 ENGLISH "out/data.txt: 2 draws written"
    ARGS --fix export-copy.csv --output out/data.txt)
expect_bytes("fix to a new file" "${WORK}/out/data.txt" "${fixed}")
expect_absent("fix to a new file" "${WORK}/export-copy.csv.orig")
set(five "KIVO\n1 2 3 4 5\n")
file(WRITE "${WORK}/five.csv" "${five}")
file(WRITE "${WORK}/taken.txt" "${five}")
run("fix onto a taken name" 2 EXPECT "taken.txt: " ENGLISH "this name is taken"
    ARGS --fix export-copy.csv --output taken.txt)
expect_bytes("fix onto a taken name" "${WORK}/taken.txt" "${five}")
expect_absent("fix onto a taken name" "${WORK}/export-copy.csv.orig")

run("fix of a line of five numbers" 2 EXPECT "five.csv:2:1: "
    ENGLISH "five.csv:2:1: error: this line holds 5 numbers" ARGS --fix five.csv)
expect_bytes("fix of a line of five numbers" "${WORK}/five.csv" "${five}")
expect_absent("fix of a line of five numbers" "${WORK}/five.csv.orig")
run("fix of a missing file" 2 ENGLISH "absent.csv: error: there is no such file"
    ARGS --fix absent.csv)
run("--output without --fix" 64 ENGLISH "--output goes with --fix" ARGS --output a.txt)

# --add: the draw goes in before END with the file's CR LF line ends.
file(WRITE "${WORK}/history.txt" "KIVO6\r\n1 2 3 4 5 6 7\r\nEND\r\n")
run("add a draw" 0 EXPECT "05 09 17 28 30 37 + 27" "No.2" "history.txt.prev"
    ENGLISH "Added 05 09 17 28 30 37 + 27 as draw 2 of the file; KIVO6 lists it as No.2."
    ARGS --add "5 9 17 28 30 37 + 27" history.txt)
expect_bytes("add a draw" "${WORK}/history.txt"
    "KIVO6\r\n1 2 3 4 5 6 7\r\n5 9 17 28 30 37 27\r\nEND\r\n")
run("add with --fix" 64 ENGLISH "--add cannot be used with --fix"
    ARGS --add "1 2 3 4 5 6 8" --fix history.txt)

# --tickets: a Type 2 box copied with Ctrl+C and a line typed below it, against the
# example's latest draw, 9 31 4 1 32 25 and the bonus 6; then typed on standard input.
file(WRITE "${WORK}/tickets.txt" "---------------------------\nDialog\n---------------------------\n"
    "Type 2\n\n01 04 09 25 31 32\n03 11 25 30 38 42\n---------------------------\nOK   \n"
    "---------------------------\n1,4,6,9,25,31\n3 11 25\n")
run("tickets" 1 EXPECT "tickets.txt:12:1: " "01 04 09 25 31 32 + 06"
    ENGLISH "1等: 1 ticket\n2等: 1 ticket\n3 tickets checked." ARGS --tickets tickets.txt example/data.txt)
file(WRITE "${WORK}/typed.txt" "1 4 6 9 25 31\n")
run("tickets typed" 0 INPUT "${WORK}/typed.txt" EXPECT "01 04 06 09 25 31   01 04 09 25 31"
    ENGLISH "standard input against draw 150" ARGS --tickets - example/data.txt)
run("tickets against a history read with warnings" 0 INPUT "${WORK}/typed.txt"
    EXPECT "faulty.txt: " ENGLISH "faulty.txt: KIVO6 reads this file with warnings"
    ARGS --tickets - faulty.txt)
run("tickets against a refused history" 2 EXPECT "ERROR ReadData" ARGS --tickets typed.txt foreign.txt)
file(WRITE "${WORK}/no-draws.txt" "KIVO\nEND\n")
run("tickets against no draws" 2 EXPECT "no-draws.txt: " ENGLISH "holds no draw to check against"
    ARGS --tickets typed.txt no-draws.txt)

# Through a symbolic link, --fix replaces the file behind it and keeps the backup there.
if(NOT JAPANESE_ONLY)
    file(MAKE_DIRECTORY "${WORK}/synced")
    file(WRITE "${WORK}/synced/export.csv" "${export}")
    file(CREATE_LINK "${WORK}/synced/export.csv" "${WORK}/linked.csv" SYMBOLIC)
    run("fix through a link" 0 ARGS --fix linked.csv)
    expect_bytes("fix through a link" "${WORK}/synced/export.csv" "${fixed}")
    expect_bytes("fix through a link" "${WORK}/synced/export.csv.orig" "${export}")
    if(NOT IS_SYMLINK "${WORK}/linked.csv")
        message(SEND_ERROR "fix through a link: linked.csv is no longer a link")
    endif()
endif()
