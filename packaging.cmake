# The packages: cpack in the build folder writes velkora_<version>_<arch>.deb on Linux, and a
# .zip and a 64-bit NSIS installer on Windows.
set(CPACK_PACKAGE_NAME velkora)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "${PROJECT_NAME}")
set(CPACK_PACKAGE_CONTACT "Velkora <support@velkora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")

if(WIN32)
    # The program is linked without symbols already; stripping again would only change its
    # time stamp, and the installer's copy would differ from the zip's.
    set(CPACK_STRIP_FILES OFF)
    set(CPACK_GENERATOR "ZIP;NSIS")
    set(CPACK_PACKAGE_FILE_NAME "velkora-${PROJECT_VERSION}-win64")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velkora")
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Velkora")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    # 64 bits, under "Program Files" rather than "Program Files (x86)".
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_DISPLAY_NAME "Velkora ${VELKORA_SHOWN_VERSION}")
    set(CPACK_NSIS_PACKAGE_NAME "Velkora")
    set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/icons/velkora.ico")
    set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/icons/velkora.ico")
    set(CPACK_NSIS_INSTALLED_ICON_NAME "velkora.exe")
    set(CPACK_NSIS_URL_INFO_ABOUT "${PROJECT_HOMEPAGE_URL}")
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
    set(CPACK_PACKAGE_EXECUTABLES "velkora;Velkora")
    # A 64-bit installer, so that the 64-bit folder and registry view are the real ones.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
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
endif()
include(CPack)
