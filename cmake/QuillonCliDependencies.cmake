# CLI11 and nlohmann-json are header-only. A cross build uses the host's
# copies, linked into a folder of their own so that no other host header
# comes along.
if(CMAKE_CROSSCOMPILING)
    set(host_headers "${PROJECT_BINARY_DIR}/host-headers")
    file(MAKE_DIRECTORY "${host_headers}")
    foreach(folder CLI nlohmann)
        if(NOT EXISTS "/usr/include/${folder}")
            message(FATAL_ERROR "/usr/include/${folder} not found: install libcli11-dev and nlohmann-json3-dev")
        endif()
        file(CREATE_LINK "/usr/include/${folder}" "${host_headers}/${folder}" SYMBOLIC)
    endforeach()
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    target_include_directories(CLI11::CLI11 SYSTEM INTERFACE "${host_headers}")
    target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE "${host_headers}")
endif()
# zlib deflates the 3MF package: Debian's zlib1g-dev, and libz-mingw-w64-dev
# for the Windows build, linked in statically there so that quillon-cli.exe
# needs no zlib1.dll beside it.
if(WIN32)
    set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
if(NOT CMAKE_CROSSCOMPILING)
    find_package(CLI11 CONFIG REQUIRED)
    find_package(nlohmann_json 3.9 CONFIG REQUIRED)
endif()

