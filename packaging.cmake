# The packages: cpack in the build folder writes velkora_<version>_<arch>.deb on Linux and the
# .zip on Windows; the Windows build also writes the installer velkora-<version>-win64.msi.
set(CPACK_PACKAGE_NAME velkora)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${PROJECT_NAME}")
set(CPACK_PACKAGE_CONTACT "Velkora <support@velkora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")

# Every time in the packages is that of the last commit, so that the same commit gives the
# same bytes whenever it is built. CPack reads SOURCE_DATE_EPOCH when it packages.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(VELKORA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE VELKORA_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(VELKORA_SOURCE_DATE_EPOCH)
    file(WRITE ${PROJECT_BINARY_DIR}/cpack_times.cmake
        "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n    set(ENV{SOURCE_DATE_EPOCH} ${VELKORA_SOURCE_DATE_EPOCH})\nendif()\n")
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack_times.cmake)
endif()

if(WIN32)
    # The program is linked without symbols already; stripping again would only change its
    # time stamp.
    set(CPACK_STRIP_FILES OFF)
    # The .zip; the installer is the MSI below. (The NSIS installers that Debian's NSIS makes
    # load libraries from the folder they are started from, and their stubs carry no
    # relocations, so that address-space randomisation cannot move them.)
    set(CPACK_GENERATOR "ZIP")
    set(CPACK_PACKAGE_FILE_NAME "velkora-${PROJECT_VERSION}-win64")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

    # The Windows installer, beside the program, signed with it when a certificate is given.
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(VELKORA_MSI ${PROJECT_BINARY_DIR}/velkora-${PROJECT_VERSION}-win64.msi)
    add_custom_command(OUTPUT ${VELKORA_MSI}
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VELKORA_SOURCE_DATE_EPOCH}
            ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/resources/build_msi.py
            ${PROJECT_SOURCE_DIR}/resources/velkora.wxs.in $<TARGET_FILE:velkora>
            ${PROJECT_SOURCE_DIR}/resources/icons/velkora.ico ${VELKORA_MSI} ${PROJECT_NAME} ${PROJECT_VERSION}
            ${VELKORA_SHOWN_VERSION} ${PROJECT_DESCRIPTION} ${PROJECT_HOMEPAGE_URL}
        DEPENDS velkora ${PROJECT_SOURCE_DIR}/resources/velkora.wxs.in ${PROJECT_SOURCE_DIR}/resources/build_msi.py
            ${PROJECT_SOURCE_DIR}/resources/sign.sh ${PROJECT_SOURCE_DIR}/resources/icons/velkora.ico
        VERBATIM)
    add_custom_target(msi ALL DEPENDS ${VELKORA_MSI})
else()
    set(CPACK_STRIP_FILES ON)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    # Library dependencies come from the program's own links; the captions are laid out for
    # metric-compatible faces, which the libraries do not pull in.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
    # On a Wayland desktop the window is native there; without it, it opens through X.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
    # Under the summary line.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A technician adjusting a power-operated elevator door enters the door type
(side or center opening, single or two speed), the full entrance width and the
total moving door weight, in inches and pounds or in millimetres and kilograms,
and reads the minimum door close time and the minimum nudging close time over
the code distance, in seconds.")
    # What Debian asks of every package: its copyright, changelog and manual page, the last
    # two compressed without names or times, so that the package is the same from any build.
    find_program(GZIP gzip REQUIRED)
    set(debian_docs ${PROJECT_BINARY_DIR}/debian)
    foreach(doc changelog velkora.1)
        add_custom_command(OUTPUT ${debian_docs}/${doc}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${debian_docs}
            COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/resources/debian/${doc} > ${debian_docs}/${doc}.gz
            DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/${doc})
    endforeach()
    add_custom_target(debian_docs ALL DEPENDS ${debian_docs}/changelog.gz ${debian_docs}/velkora.1.gz)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${debian_docs}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/velkora)
    install(FILES ${debian_docs}/velkora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
include(CPack)
