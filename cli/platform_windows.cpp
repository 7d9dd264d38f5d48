// What differs on Windows: the wide command line, the console, and files by
// UTF-8 names.
#include "cli/platform.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// windows.h before shellapi.h
#include <shellapi.h>

namespace quillon::cli {

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

OutputTarget findOutputTarget(const std::string& utf8Path)
{
    OutputTarget target{.path = utf8Path};
    const DWORD attributes = GetFileAttributesW(wide(utf8Path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // Devices such as NUL and CON have no attributes on some systems.
        HANDLE device = CreateFileW(wide(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            OPEN_EXISTING, 0, nullptr);
        if (device != INVALID_HANDLE_VALUE) {
            target.kind
                = GetFileType(device) == FILE_TYPE_DISK ? OutputTarget::Kind::RegularFile : OutputTarget::Kind::Other;
            CloseHandle(device);
        } else {
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                target.kind = OutputTarget::Kind::Missing;
            } else {
                target.kind = OutputTarget::Kind::Other;
                target.lookupError = EACCES;
            }
        }
        return target;
    }
    target.kind = attributes & FILE_ATTRIBUTE_DIRECTORY ? OutputTarget::Kind::Folder : OutputTarget::Kind::RegularFile;
    return target;
}

std::FILE* createFile(const std::string& utf8Path)
{
    // Shared for deletion, so that an interruption can remove it while it is
    // open (removeOnInterrupt).
    HANDLE file = CreateFileW(wide(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST
            : error == ERROR_ACCESS_DENIED                                  ? EACCES
                                                                            : ENOENT;
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(file);
        return nullptr;
    }
    return _fdopen(descriptor, "wb");
}

std::FILE* openForWriting(const std::string& utf8Path)
{
    return _wfopen(wide(utf8Path).c_str(), L"wb");
}

int writeAccessError(const std::string& utf8Path)
{
    const DWORD attributes = GetFileAttributesW(wide(utf8Path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
}

std::FILE* createScratchFile()
{
    return std::tmpfile();
}

bool truncateFile(std::FILE* file, long long size)
{
    return _chsize_s(_fileno(file), size) == 0;
}

bool takeOwnership(std::FILE*, const OutputTarget&)
{
    return true;
}

void copyPermissions(std::FILE*, const OutputTarget&)
{
}

bool syncFile(std::FILE* file)
{
    if (FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))))
        return true;
    errno = EIO;
    return false;
}

void syncFolderOf(const std::string&)
{
}

namespace {

std::wstring interruptedFile;
SRWLOCK interruptedFileLock = SRWLOCK_INIT;

// Runs on a thread of its own, while the program may be writing.
BOOL WINAPI removeAndEnd(DWORD event)
{
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        AcquireSRWLockExclusive(&interruptedFileLock);
        if (!interruptedFile.empty())
            DeleteFileW(interruptedFile.c_str());
        ReleaseSRWLockExclusive(&interruptedFileLock);
    }
    return FALSE; // and the system ends the program as it would have
}

void setInterruptedFile(std::wstring path)
{
    AcquireSRWLockExclusive(&interruptedFileLock);
    interruptedFile.swap(path);
    ReleaseSRWLockExclusive(&interruptedFileLock);
}

} // namespace

void removeOnInterrupt(const std::string& utf8Path)
{
    static const bool handled = SetConsoleCtrlHandler(removeAndEnd, TRUE) != 0;
    (void)handled;
    setInterruptedFile(wide(utf8Path));
}

void keepOnInterrupt()
{
    setInterruptedFile({});
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

} // namespace quillon::cli
