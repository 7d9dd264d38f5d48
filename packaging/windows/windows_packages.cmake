# The Windows packages, made by CPack in the MinGW build:
#   cpack -G ZIP   quillon-1.00-win64.zip: Quillon.exe, quillon-cli.exe, the
#                  README and the licence, side by side;
#   cpack -G NSIS  quillon-1.00-win64-setup.exe: installs the same into
#                  C:\Program Files\Quillon on Windows 7 SP1 or later, with
#                  a Start-menu folder "Quillon" (Quillon and its
#                  uninstaller), an Add/Remove Programs entry, and on request
#                  quillon-cli.exe in the PATH; in English or Simplified
#                  Chinese, as Windows speaks. /S installs (and the
#                  uninstaller uninstalls) silently; /PATH=AllUsers or
#                  /PATH=CurrentUser adds to the PATH without the page.
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)

set(CPACK_PACKAGE_NAME "Quillon")
set(CPACK_PACKAGE_VENDOR "${QUILLON_PUBLISHER}")
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
# Not "Uninstall": the installation folder may be in the PATH.
set(CPACK_NSIS_UNINSTALL_NAME "Uninstall Quillon")
# The Start-menu shortcut "Quillon", in the folder "Quillon" beside the
# uninstaller's, and the desktop's when asked for. The programs are in the
# installation folder itself, not in CPack's default bin\.
set(CPACK_PACKAGE_EXECUTABLES "Quillon" "Quillon")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_CREATE_DESKTOP_LINKS "Quillon")
set(CPACK_NSIS_MENU_LINKS "")
set(CPACK_NSIS_MODIFY_PATH ON) # offered, off unless chosen
# Add/Remove Programs: where to read more, and the size on disk in KiB.
set(CPACK_NSIS_URL_INFO_ABOUT "${PROJECT_HOMEPAGE_URL}")
set(CPACK_NSIS_HELP_LINK "${PROJECT_HOMEPAGE_URL}")
set(CPACK_NSIS_CONTACT "quillon@example.org")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD SHCTX \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\" \"EstimatedSize\" $0")
# The 64-bit Unicode stub: Debian's makensis also has it, and the 32-bit
# stub cannot run where only 64-bit Wine is.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# Values as written here: the NSIS commands above keep their ${} and \.
set(CPACK_VERBATIM_VARIABLES ON)
include("${CMAKE_CURRENT_LIST_DIR}/nsis_template.cmake")
list(PREPEND CMAKE_MODULE_PATH "${QUILLON_NSIS_TEMPLATE_DIR}")
# The setup program's own name.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/cpack_file_names.cmake")
include(CPack)
