#include "cli/platform.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// windows.h before shellapi.h
#include <shellapi.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quillon::cli {

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

bool isConsole(DWORD handle)
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(handle), &mode) != 0;
}

} // namespace

std::vector<std::string> commandLineArguments(int, char**)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(utf8(arguments[i]));
    LocalFree(arguments);
    return out;
}

StandardStreams::StandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (isConsole(STD_OUTPUT_HANDLE) || isConsole(STD_ERROR_HANDLE)) {
        previousCodePage_ = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
}

StandardStreams::~StandardStreams()
{
    std::fflush(stdout);
    std::fflush(stderr);
    if (previousCodePage_ != 0)
        SetConsoleOutputCP(previousCodePage_);
}

std::FILE* createFile(const std::string& utf8Path)
{
    const int descriptor
        = _wopen(wide(utf8Path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
}

bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8)
{
    return MoveFileExW(wide(fromUtf8).c_str(), wide(toUtf8).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool removeFile(const std::string& utf8Path)
{
    return _wremove(wide(utf8Path).c_str()) == 0;
}

#else

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

StandardStreams::StandardStreams() = default;

StandardStreams::~StandardStreams()
{
    std::fflush(stdout);
    std::fflush(stderr);
}

std::FILE* createFile(const std::string& utf8Path)
{
    const int descriptor = open(utf8Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
}

bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8)
{
    return std::rename(fromUtf8.c_str(), toUtf8.c_str()) == 0;
}

bool removeFile(const std::string& utf8Path)
{
    return std::remove(utf8Path.c_str()) == 0;
}

#endif

} // namespace quillon::cli
