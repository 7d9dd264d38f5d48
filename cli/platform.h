// What differs between Windows and the rest: the command line's encoding,
// standard streams, and opening and replacing files by UTF-8 names.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::cli {

// The program's arguments as UTF-8, whatever the system's code page (on
// Windows they are read from the wide command line).
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Makes standard output and error write bytes as they are (no CRLF
// translation on Windows) and flushes them when the guard ends. The
// console's code page is never changed (see writeStandard).
class StandardStreams {
public:
    StandardStreams();
    ~StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;
};

// Whether standard output is a terminal (a console on Windows), where a
// binary file is of no use and, on Windows, would be taken for text.
bool standardOutputIsTerminal();

// Whether writing to an output path (UTF-8) would reach a terminal: a
// terminal device named directly, or one of this program's descriptors
// (/dev/stdout, /dev/fd/N) open on one; on Windows the console's names
// (CON, CONOUT$) or standard output named as a descriptor.
bool outputPathIsTerminal(const std::string& utf8Path);

// Writes UTF-8 text to standard output or error. A Windows console gets it
// as UTF-16 (WriteConsoleW), which shows every character whatever the
// console's code page; anything else gets the bytes as they are. Text may
// end inside a UTF-8 sequence: the bytes that do not complete a character
// are left for the next call and their count is returned. Throws nothing;
// returns -1 on failure, with errno set.
long writeStandard(std::FILE* stream, std::string_view utf8);

// What an errno value set by these functions means, for messages: the
// system's text, but on Windows EINVAL stands for a name Windows does not
// allow, EBUSY for a file another program holds open and ENXIO for a device
// that is not there (CON without a console).
std::string errorText(int error);

// What stands at an output path, symbolic links followed to their target.
struct OutputTarget {
    // Other: a device, a pipe, a socket. Descriptor: a name of one of this
    // program's open descriptors, such as /dev/stdout.
    enum class Kind { Missing, RegularFile, Folder, Other, Descriptor };
    Kind kind = Kind::Missing;
    std::string path; // where the file is or is to be: the path with its links followed
    // Of an existing regular file, for the file that replaces it; of a
    // missing one, the permission bits a new file gets (the umask applied).
    unsigned permissions = 0;
    long owner = -1;
    long group = -1;
    long links = 1;      // the names an existing regular file has
    int lookupError = 0; // an errno value where the path could not be looked at
    int descriptor = -1; // of a Descriptor
};

// Looks at an output path (UTF-8). A link to nothing names the file to be
// made. Where the path cannot be looked at (a loop of links, a folder that
// cannot be entered), the kind is Other and lookupError says why. On POSIX,
// /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N, named or reached
// through links, are the Descriptor they name: following their links would
// lead to the file the descriptor was opened on (or to a pipe's "pipe:[…]"),
// not to the open file itself, which may be appending.
OutputTarget findOutputTarget(const std::string& utf8Path);

// Opens one of this program's descriptors for writing through a copy of it,
// as the shell's `>` does with /dev/stdout: the same open file, its position
// and its appending kept, nothing truncated. Null on failure (EBADF where it
// is not open), with errno set.
std::FILE* openDescriptor(int descriptor);

// Why this program may not write an existing file, as an errno value (EACCES
// for a read-only file, EROFS), or 0 when it may, as the shell's `>` decides.
int writeAccessError(const std::string& utf8Path);

// Creates a new file for writing in binary by its UTF-8 name, readable and
// writable by its owner only; fails if it exists. Null on failure, with errno
// set.
std::FILE* createFile(const std::string& utf8Path);

// An unnamed temporary file, removed when it is closed. Null on failure, with
// errno set.
std::FILE* createScratchFile();

// Opens an existing file, device or pipe for writing as it is, without
// truncating what it cannot. Null on failure, with errno set.
std::FILE* openForWriting(const std::string& utf8Path);

// Cuts a file opened by openForWriting to `size` bytes; false on failure,
// with errno set.
bool truncateFile(std::FILE* file, long long size);

// Gives a newly made file the owner and group of the file it is to replace,
// where this program may. True when the file then has them, so that
// renaming it over the target keeps who owns the file; on Windows, where
// the owner stays, when this user may delete the target, which renaming
// over it does.
bool takeOwnership(std::FILE* file, const OutputTarget& target);

// Gives a newly written file the target's permission bits. Does nothing on
// Windows.
void copyPermissions(std::FILE* file, const OutputTarget& target);

// Writes a flushed file's data through to the disk; false on failure, with
// errno set.
bool syncFile(std::FILE* file);

// Writes the entries of the folder that holds a file through to the disk, so
// that a rename in it outlives a power failure. Does nothing on Windows.
void syncFolderOf(const std::string& utf8Path);

// While armed, an interruption (Ctrl-C, SIGTERM, SIGHUP; Ctrl-Break on
// Windows) removes the file before the program ends as it would have.
void removeOnInterrupt(const std::string& utf8Path);
void keepOnInterrupt();

// Puts `from` in the place of `to`, replacing it; false on failure.
bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8);

// Removes a file; false on failure.
bool removeFile(const std::string& utf8Path);

} // namespace quillon::cli
