// POSIX: arguments and names are bytes, UTF-8 as the user's locale has them.
#include "cli/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace quillon::cli {

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

bool standardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

long writeStandard(std::FILE* stream, std::string_view utf8)
{
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size() ? 0 : -1;
}

std::string errorText(int error)
{
    return std::strerror(error);
}

namespace {

// A descriptor's number as the name of its entry, or -1:
//   "3" -> 3   "03" -> -1 (no such entry)   "x" -> -1
int descriptorNumber(std::string_view name)
{
    int descriptor = -1;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), descriptor);
    const bool plain = !name.empty() && (name.size() == 1 || name.front() != '0');
    return plain && error == std::errc() && end == name.data() + name.size() ? descriptor : -1;
}

// The descriptor a path names as the shell's `>` reads it, or -1:
//   "/dev/stdout" -> 1   "/dev/stderr" -> 2   "/dev/fd/3" -> 3   "/proc/self/fd/3" -> 3
// and any other path to an entry of this process's /proc/PID/fd, such as
// "/dev/../dev/fd/3" or a relative one.
int namedDescriptor(const std::string& path)
{
    if (path == "/dev/stdout")
        return 1;
    if (path == "/dev/stderr")
        return 2;
    for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.starts_with(folder))
            return descriptorNumber(std::string_view(path).substr(folder.size()));
    }
    const std::size_t slash = path.rfind('/');
    const std::string folderPath = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::unique_ptr<char, decltype(&std::free)> folder(realpath(folderPath.c_str(), nullptr), &std::free);
    const bool descriptors = folder && folder.get() == "/proc/" + std::to_string(getpid()) + "/fd";
    return descriptors ? descriptorNumber(std::string_view(path).substr(slash + 1)) : -1; // npos + 1 is 0
}

} // namespace

bool outputPathIsTerminal(const std::string& utf8Path)
{
    const OutputTarget target = findOutputTarget(utf8Path);
    if (target.kind == OutputTarget::Kind::Descriptor)
        return isatty(target.descriptor) == 1;
    struct stat status { };
    // Only a character device is opened to ask: opening a FIFO would wait
    // for a reader.
    if (target.kind != OutputTarget::Kind::Other || stat(target.path.c_str(), &status) != 0 || !S_ISCHR(status.st_mode))
        return false;
    const int descriptor = open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool terminal = isatty(descriptor) == 1;
    close(descriptor);
    return terminal;
}

OutputTarget findOutputTarget(const std::string& utf8Path)
{
    OutputTarget target{.path = utf8Path};
    for (int links = 0;; ++links) {
        if (const int descriptor = namedDescriptor(target.path); descriptor >= 0) {
            target.kind = OutputTarget::Kind::Descriptor;
            target.descriptor = descriptor;
            return target;
        }
        struct stat status { };
        const auto unreadable = [&](int error) {
            target.kind = OutputTarget::Kind::Other;
            target.lookupError = error;
            return target;
        };
        if (lstat(target.path.c_str(), &status) != 0) {
            if (errno != ENOENT)
                return unreadable(errno);
            target.kind = OutputTarget::Kind::Missing;
            const mode_t mask = umask(0);
            umask(mask);
            target.permissions = 0666 & ~mask;
            return target;
        }
        if (S_ISLNK(status.st_mode)) {
            if (links == 40)
                return unreadable(ELOOP);
            std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096), '\0');
            const ssize_t length = readlink(target.path.c_str(), link.data(), link.size());
            if (length < 0)
                return unreadable(errno);
            link.resize(static_cast<std::size_t>(length));
            const std::size_t slash = target.path.rfind('/');
            target.path
                = link.starts_with('/') || slash == std::string::npos ? link : target.path.substr(0, slash + 1) + link;
            continue;
        }
        if (S_ISREG(status.st_mode)) {
            target.kind = OutputTarget::Kind::RegularFile;
            target.permissions = status.st_mode & 07777;
            target.owner = status.st_uid;
            target.group = status.st_gid;
            target.links = static_cast<long>(status.st_nlink);
        } else {
            target.kind = S_ISDIR(status.st_mode) ? OutputTarget::Kind::Folder : OutputTarget::Kind::Other;
        }
        return target;
    }
}

int writeAccessError(const std::string& utf8Path)
{
    // As the effective user, as open() decides.
    return faccessat(AT_FDCWD, utf8Path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

std::FILE* createFile(const std::string& utf8Path)
{
    const int descriptor = open(utf8Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    return descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
}

std::FILE* createScratchFile()
{
    return std::tmpfile();
}

std::FILE* openForWriting(const std::string& utf8Path)
{
    const int descriptor = open(utf8Path.c_str(), O_WRONLY | O_CLOEXEC);
    return descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
}

std::FILE* openDescriptor(int descriptor)
{
    const int copy = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return nullptr;
    std::FILE* file = fdopen(copy, "wb");
    if (!file) {
        const int error = errno;
        close(copy);
        errno = error;
    }
    return file;
}

bool truncateFile(std::FILE* file, long long size)
{
    return ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
}

bool takeOwnership(std::FILE* file, const OutputTarget& target)
{
    if (target.kind != OutputTarget::Kind::RegularFile)
        return true;
    // Only root may give a file away, and others only to a group of their
    // own: what fchown refuses, fstat shows.
    [[maybe_unused]] const int owned
        = fchown(fileno(file), static_cast<uid_t>(target.owner), static_cast<gid_t>(target.group));
    struct stat status { };
    return fstat(fileno(file), &status) == 0 && static_cast<long>(status.st_uid) == target.owner
        && static_cast<long>(status.st_gid) == target.group;
}

void copyPermissions(std::FILE* file, const OutputTarget& target)
{
    // After the owner: changing that may clear the set-id bits.
    fchmod(fileno(file), static_cast<mode_t>(target.permissions));
}

bool syncFile(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}

void syncFolderOf(const std::string& utf8Path)
{
    const std::size_t slash = utf8Path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : utf8Path.substr(0, slash);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

namespace {

// The file an interruption removes: set before the handlers are, so that a
// handler only reads it.
char* interruptedFile = nullptr;
constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removeAndEnd(int signal)
{
    if (char* path = interruptedFile)
        unlink(path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void removeOnInterrupt(const std::string& utf8Path)
{
    keepOnInterrupt();
    interruptedFile = strdup(utf8Path.c_str());
    for (int signal : kInterruptions) {
        // A signal the caller ignores stays ignored (nohup).
        if (std::signal(signal, removeAndEnd) == SIG_IGN)
            std::signal(signal, SIG_IGN);
    }
}

void keepOnInterrupt()
{
    char* path = interruptedFile;
    if (!path)
        return;
    for (int signal : kInterruptions) {
        if (std::signal(signal, SIG_DFL) == SIG_IGN)
            std::signal(signal, SIG_IGN);
    }
    interruptedFile = nullptr;
    std::free(path);
}

bool replaceFile(const std::string& fromUtf8, const std::string& toUtf8)
{
    return std::rename(fromUtf8.c_str(), toUtf8.c_str()) == 0;
}

bool removeFile(const std::string& utf8Path)
{
    return std::remove(utf8Path.c_str()) == 0;
}

} // namespace quillon::cli
