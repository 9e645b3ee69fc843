# Man pages of the Linux programs, made at build time by help2man from each built
# program's --help and --version and its include file doc/man/PROGRAM.h2m (what
# --help does not say), gzipped into build/PRESET/man/ and installed in the .deb's
# share/man/man1. Included by cmake/Packaging.cmake for native builds only.

find_program(KIVO6_HELP2MAN help2man)
find_program(KIVO6_GZIP gzip)
mark_as_advanced(KIVO6_HELP2MAN KIVO6_GZIP)
set(KIVO6_MAN_DIR ${PROJECT_BINARY_DIR}/man)

if(CMAKE_CROSSCOMPILING)
    message(STATUS "Man pages: none in a cross build (help2man runs the programs)")
elseif(NOT KIVO6_HELP2MAN OR NOT KIVO6_GZIP)
    message(WARNING "help2man or gzip not found: the .deb gets no man pages "
        "(bash tools/install-deps.sh run installs them)")
else()
    foreach(program kivo6 kivo6-tty kivo6-check)
        if(NOT TARGET ${program})
            continue()
        endif()
        set(include ${PROJECT_SOURCE_DIR}/doc/man/${program}.h2m)
        set(page ${KIVO6_MAN_DIR}/${program}.1.gz)
        # A program that does not answer --help yet gets no page, only a note that the
        # build prints and the package test reads; OPTIONAL keeps its install quiet.
        add_custom_command(OUTPUT ${page}
            COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}>
                -DHELP2MAN=${KIVO6_HELP2MAN} -DGZIP=${KIVO6_GZIP} -DINCLUDE=${include}
                -DPAGE=${page} -P ${PROJECT_SOURCE_DIR}/cmake/MakeManPage.cmake
            DEPENDS ${program} ${include} ${PROJECT_SOURCE_DIR}/cmake/MakeManPage.cmake
            COMMENT "Man page of ${program}"
            VERBATIM)
        add_custom_target(${program}_man_page ALL DEPENDS ${page})
        install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 OPTIONAL)
    endforeach()
endif()
