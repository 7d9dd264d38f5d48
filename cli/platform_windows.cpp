// What differs on Windows: the wide command line, the console, and files by
// UTF-8 names.
#include "cli/platform.h"

#include "platform/win32/utf16.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// windows.h before shellapi.h
#include <shellapi.h>

namespace quillon::cli {

using utf16::utf8;
using utf16::wide;

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

// The console's code page is left as it is: every console write goes
// through WriteConsoleW, and a code page changed here would outlive a Ctrl-C.
StandardStreams::StandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

StandardStreams::~StandardStreams()
{
    std::fflush(stdout);
    std::fflush(stderr);
}

bool standardOutputIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
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

namespace {

// A system error as the errno value the messages are made from (errorText).
int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return EINVAL;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_INVALID_HANDLE: // CON without a console
        return ENXIO;
    default:
        return EIO;
    }
}

// A handle as a C stream for writing, and reading when asked; null with
// errno set on failure.
std::FILE* streamOf(HANDLE handle, bool readable = false)
{
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errnoOf(GetLastError());
        return nullptr;
    }
    const int descriptor
        = _open_osfhandle(reinterpret_cast<intptr_t>(handle), (readable ? _O_RDWR : _O_WRONLY) | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    return _fdopen(descriptor, readable ? "w+b" : "wb");
}

} // namespace

std::string errorText(int error)
{
    if (error == EINVAL)
        return "Windows does not allow this name (it holds one of \\ / : * ? \" < > |, or names a device)";
    if (error == EBUSY)
        return "it is in use by another program; close it there and try again";
    if (error == ENXIO)
        return "no such device here (CON is the console, and this program has none)";
    return std::strerror(error);
}

OutputTarget findOutputTarget(const std::string& utf8Path)
{
    OutputTarget target{.path = utf8Path};
    // What the name is, asked of the open handle: devices such as NUL report
    // file attributes too, but not the type of a disk file. CON opens only
    // for reading or writing.
    const std::wstring name = wide(utf8Path);
    constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(
        name.c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        handle = CreateFileW(name.c_str(), GENERIC_WRITE, shareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            target.kind = OutputTarget::Kind::Missing;
        } else {
            target.kind = OutputTarget::Kind::Other;
            target.lookupError = errnoOf(error);
        }
        return target;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &information)) {
        target.kind = OutputTarget::Kind::Other;
    } else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        target.kind = OutputTarget::Kind::Folder;
    } else {
        target.kind = OutputTarget::Kind::RegularFile;
        target.links = static_cast<long>(information.nNumberOfLinks);
    }
    CloseHandle(handle);
    return target;
}

bool outputPathIsTerminal(const std::string& utf8Path)
{
    // Windows opens the console for CON and CONOUT$ in any folder and with
    // any extension (CON.stl too); no path names a descriptor here.
    const std::size_t slash = utf8Path.find_last_of("/\\:");
    std::string name = utf8Path.substr(slash == std::string::npos ? 0 : slash + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' '))
        name.pop_back();
    for (char& c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name == "CON" || name == "CONOUT$";
}

std::FILE* openDescriptor(int descriptor)
{
    // findOutputTarget names no descriptors here: Windows has no such paths.
    const int copy = _dup(descriptor);
    if (copy < 0)
        return nullptr;
    std::FILE* file = _fdopen(copy, "wb");
    if (!file)
        _close(copy);
    return file;
}

std::FILE* createFile(const std::string& utf8Path)
{
    // Shared for deletion, so that an interruption can remove it while it is
    // open (removeOnInterrupt).
    return streamOf(CreateFileW(wide(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::FILE* openForWriting(const std::string& utf8Path)
{
    return streamOf(CreateFileW(
        wide(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
}

int writeAccessError(const std::string& utf8Path)
{
    // Opened for writing, as `>` needs, and closed untouched: a
    // read-only file, or one another program holds open (Excel does), is
    // refused before anything is made.
    HANDLE file = CreateFileW(
        wide(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return errnoOf(GetLastError());
    CloseHandle(file);
    return 0;
}

std::FILE* createScratchFile()
{
    // In the user's temporary folder: tmpfile() would make it in the root of
    // the drive, which users may not write.
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"qcl", 0, name) == 0) {
        errno = errnoOf(GetLastError());
        return nullptr;
    }
    return streamOf(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr),
        true);
}

bool truncateFile(std::FILE* file, long long size)
{
    return _chsize_s(_fileno(file), size) == 0;
}

bool takeOwnership(std::FILE*, const OutputTarget& target)
{
    // Renaming over a file deletes it: a file this user may write but not
    // delete (as a folder's permissions can have it) is written in place.
    HANDLE file = CreateFileW(wide(target.path).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
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
    errno = errnoOf(GetLastError());
    return false;
}

bool removeFile(const std::string& utf8Path)
{
    return _wremove(wide(utf8Path).c_str()) == 0;
}

} // namespace quillon::cli
