# quillon_charconv_libraries: {fmt} and fast_float as headers alone, for the
# floating-point conversions a standard library lacks (Debian's libfmt-dev
# and libfast-float-dev). Their folders are linked into one of the build's
# own, so that a cross build sees these two and nothing else of the
# machine's /usr/include.
if(TARGET quillon_charconv_libraries)
    return()
endif()
find_path(QUILLON_FMT_INCLUDE_DIR fmt/format.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
find_path(QUILLON_FAST_FLOAT_INCLUDE_DIR fast_float/fast_float.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(QUILLON_FMT_INCLUDE_DIR AND QUILLON_FAST_FLOAT_INCLUDE_DIR)
    set(staged "${PROJECT_BINARY_DIR}/charconv_libraries")
    file(MAKE_DIRECTORY "${staged}")
    file(CREATE_LINK "${QUILLON_FMT_INCLUDE_DIR}/fmt" "${staged}/fmt" SYMBOLIC)
    file(CREATE_LINK "${QUILLON_FAST_FLOAT_INCLUDE_DIR}/fast_float" "${staged}/fast_float" SYMBOLIC)
    add_library(quillon_charconv_libraries INTERFACE)
    target_include_directories(quillon_charconv_libraries SYSTEM INTERFACE "${staged}")
endif()
