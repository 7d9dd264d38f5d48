#include "cli/platform.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
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

long writeStandard(std::FILE* stream, std::string_view utf8)
{
    HANDLE console = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode)) {
        const std::size_t written = std::fwrite(utf8.data(), 1, utf8.size(), stream);
        return written == utf8.size() ? 0 : -1;
    }
    // Leave an incomplete last character for the next call.
    std::size_t complete = utf8.size();
    for (std::size_t back = 1; back <= 3 && back <= utf8.size(); ++back) {
        const auto byte = static_cast<unsigned char>(utf8[utf8.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (length > back)
            complete = utf8.size() - back;
        break;
    }
    std::fflush(stream);
    const std::wstring text = wide(std::string(utf8.substr(0, complete)));
    DWORD written = 0;
    if (!text.empty() && !WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        errno = EIO;
        return -1;
    }
    return static_cast<long>(utf8.size() - complete);
}

std::FILE* createFile(const std::string& utf8Path)
{
    const int descriptor
        = _wopen(wide(utf8Path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
}

bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8)
{
    if (MoveFileExW(wide(fromUtf8).c_str(), wide(toUtf8).c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO; // for the message
    return false;
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

long writeStandard(std::FILE* stream, std::string_view utf8)
{
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size() ? 0 : -1;
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
