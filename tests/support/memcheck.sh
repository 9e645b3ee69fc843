#!/bin/sh
# memcheck.sh [VALGRIND-OPTION...] PROGRAM [ARGUMENT...]: runs one of our programs
# under valgrind's memcheck in the KIVO6_VALGRIND build. CTest starts every test
# program through it, the kivo6-tty tests the program they drive (KIVO6_TTY_MEMCHECK).
# Any memcheck error or a definitely lost block makes the exit status 99.
set -eu

# Listing a GoogleTest program's cases (CTest does it before each run) only prints
# names; under valgrind it would outlast GoogleTest's discovery timeout.
if [ "${2-}" = --gtest_list_tests ]; then
    exec "$@"
fi

# Qt's regular expressions (the file dialog's filters) compiled to machine code read
# scratch memcheck cannot follow; interpreted, memcheck sees every byte.
export QT_ENABLE_REGEXP_JIT=0

exec valgrind --tool=memcheck --error-exitcode=99 \
    --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --track-origins=yes --num-callers=40 \
    --suppressions="$(dirname "$0")/memcheck.supp" \
    "$@"
