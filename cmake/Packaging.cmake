# Install rules and CPack settings: a .deb of the Linux programs (the Qt window
# kivo6, the terminal program kivo6-tty and the file checker kivo6-check) with a menu
# entry, icon, example history, man pages and changelog, and a .zip of the Windows
# programs (-win32 or -win64, as built) with the example beside them. Included by the
# top-level CMakeLists.txt; `cmake --build --preset NAME --target package`.

# One prefix for the build and the package: kivo6 is told where the example history
# is installed (below), so `cmake --install` and the .deb must put it there. /usr,
# the .deb's usual prefix, unless one is chosen.
if(NOT KIVO6_SYSTEM STREQUAL "windows" AND CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install path prefix" FORCE)
endif()
include(GNUInstallDirs)

set(KIVO6_PACKAGE_MAINTAINER "KIVO6 maintainers <kivo6@example.org>"
    CACHE STRING "Maintainer named in the packages")

if(KIVO6_SYSTEM STREQUAL "windows")
    # One folder holding the program, an example history and the README: KIVO6
    # reads data.txt from its current folder, which is the program's own folder
    # when it is started by a double-click, so it starts on the example at once.
    if(TARGET kivo6)
        install(TARGETS kivo6 RUNTIME DESTINATION .)
    endif()
    install(TARGETS kivo6-check RUNTIME DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/examples/data.txt DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
    set(CPACK_GENERATOR ZIP)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
    else()
        set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
    endif()
else()
    # The front ends are optional (KIVO6_QT_FRONT_END, KIVO6_TTY_FRONT_END), so each
    # is installed only when it is built.
    if(TARGET kivo6)
        install(TARGETS kivo6 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        install(FILES ${PROJECT_SOURCE_DIR}/resources/kivo6.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/kivo6.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
    endif()
    if(TARGET kivo6-tty)
        install(TARGETS kivo6-tty RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
    install(TARGETS kivo6-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/examples/data.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
    # Both front ends name the example in --help, and offer to copy it from there
    # into the user's own folder (frontends/launch/first_run.cpp).
    set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
    if(TARGET kivo6_launch)
        target_compile_definitions(kivo6_launch PRIVATE
            KIVO6_EXAMPLE_HISTORY="${CMAKE_INSTALL_FULL_DOCDIR}/examples/data.txt")
    endif()
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
    include(${PROJECT_SOURCE_DIR}/cmake/ManPages.cmake)
    # The changelog where Debian keeps a native package's: gzipped in the doc folder,
    # without its source's opening comment lines, which are for developers.
    set(changelog_source ${PROJECT_SOURCE_DIR}/doc/changelog)
    set(changelog ${PROJECT_BINARY_DIR}/changelog)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog_source})
    file(READ ${changelog_source} text)
    string(REGEX REPLACE "^(#[^\n]*\n)+" "" text "${text}")
    # Debian takes the top entry for this version's; nothing else checks it.
    if(NOT text MATCHES "^${PROJECT_NAME} \\(${PROJECT_VERSION}\\)")
        message(FATAL_ERROR "doc/changelog has no entry for ${PROJECT_VERSION} on top")
    endif()
    file(WRITE ${changelog} "${text}")
    add_custom_command(OUTPUT ${changelog}.gz
        COMMAND ${KIVO6_GZIP} -9nkf ${changelog}
        DEPENDS ${changelog}
        VERBATIM)
    add_custom_target(kivo6_changelog ALL DEPENDS ${changelog}.gz)
    install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    find_program(KIVO6_DPKG_SHLIBDEPS dpkg-shlibdeps)
    mark_as_advanced(KIVO6_DPKG_SHLIBDEPS)
    if(KIVO6_DPKG_SHLIBDEPS)
        set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    else()
        # Debian 12's run-time packages for what the programs link.
        set(depends libc6 libstdc++6 libgcc-s1)
        if(TARGET kivo6)
            list(APPEND depends libqt6core6 libqt6gui6 libqt6widgets6)
        endif()
        if(TARGET kivo6-tty)
            list(APPEND depends libncursesw6 libtinfo6)
        endif()
        list(JOIN depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
    endif()
    if(TARGET kivo6)
        # The dialogs are in Japanese; Qt draws on Wayland only with its plugin
        # (without it, through XWayland).
        set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic, qt6-wayland")
    endif()
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "KIVO6")
set(CPACK_PACKAGE_CONTACT ${KIVO6_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "number picker for a 6-of-43 lottery with a bonus number")
# Debian shows each line indented by one space and wants it within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
"KIVO6 reads a history of past draws from data.txt in its current folder,
counts how often each number was drawn, and suggests numbers: three lines of
six from three drawing rules, or five tickets leaving out chosen groups of
numbers and recent draws. Its dialogs are in Japanese; it only reads data.txt.
This package holds the Qt window (kivo6), the terminal program (kivo6-tty),
kivo6-check, which tells how KIVO6 will read a data.txt, rewrites an export
of draws as one and backtests the picks, their man pages, and an example
history.")
set(CPACK_STRIP_FILES ON)
# A source package must never sweep up the build folders (they hold a Wine prefix).
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/__pycache__/")

include(CPack)
