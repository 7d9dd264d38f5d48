# The Windows packages, made by CPack in the MinGW build:
#   cpack -G ZIP   quillon-1.00-win64.zip: Quillon.exe, quillon-cli.exe, the
#                  README and the licence, side by side;
#   cpack -G NSIS  quillon-1.00-win64-setup.exe: installs the same into
#                  C:\Program Files\Quillon, with a Start-menu shortcut
#                  "Quillon" and an Add/Remove Programs entry; /S installs
#                  (and the uninstaller uninstalls) silently.
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)

set(CPACK_PACKAGE_NAME "Quillon")
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_VERSION "${QUILLON_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Groove data of timing-belt pulleys")
set(CPACK_PACKAGE_FILE_NAME "quillon-${QUILLON_VERSION_TEXT}-win64")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quillon")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Quillon")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Quillon")
set(CPACK_NSIS_DISPLAY_NAME "Quillon")
set(CPACK_NSIS_INSTALLED_ICON_NAME "Quillon.exe")
set(CPACK_NSIS_MUI_ICON "${CMAKE_CURRENT_LIST_DIR}/../icons/quillon.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_CURRENT_LIST_DIR}/../icons/quillon.ico")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu shortcut: "Quillon" for Quillon.exe, in no folder of its own.
set(CPACK_PACKAGE_EXECUTABLES "Quillon" "Quillon")
set(CPACK_NSIS_MENU_LINKS "")
# The 64-bit Unicode stub: Debian's makensis also has it, and the 32-bit
# stub cannot run where only 64-bit Wine is.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# The setup program's own name.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/cpack_file_names.cmake")
include(CPack)
