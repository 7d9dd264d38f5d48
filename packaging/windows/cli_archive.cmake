# The Windows archive of the command-line program: `cpack -G ZIP` in the
# MinGW build gives quillon-cli-1.00-win64.zip with quillon-cli.exe, the
# README and the licence, side by side.
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)

set(CPACK_PACKAGE_NAME "quillon-cli")
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_VERSION "${QUILLON_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Groove data of timing-belt pulleys as tables")
set(CPACK_PACKAGE_FILE_NAME "quillon-cli-${QUILLON_VERSION_TEXT}-win64")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_GENERATOR "ZIP")
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
