#include "cli/output.h"

#include "cli/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

namespace quillon::cli {
namespace {

// A new name in the file's folder, as short whatever the file's own name:
// a name near the system's limit must not make the temporary one too long.
std::string temporaryName(const std::string& path)
{
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name = path.substr(0, path.find_last_of("/\\") + 1) + ".quillon-";
    for (int i = 0; i < 12; ++i)
        name.push_back(kDigits[random() % 16]);
    return name + ".part";
}

} // namespace

Output::Output(std::string path) : path_(std::move(path))
{
    buffer_ = std::make_unique<char[]>(kBufferSize);
    if (path_.empty() || path_ == "-") {
        path_.clear();
        file_ = stdout;
        return;
    }
    target_ = findOutputTarget(path_);
    switch (target_.kind) {
    case OutputTarget::Kind::Folder:
        throw OutputError("cannot write " + path_ + ": it is a folder; give a file name", false);
    case OutputTarget::Kind::Other:
        // A device, a pipe or a socket is written as it is: renaming a file
        // over it would replace it.
        if (target_.lookupError != 0)
            fail(target_.lookupError);
        if (!(file_ = openForWriting(target_.path)))
            fail(errno);
        return;
    case OutputTarget::Kind::Descriptor:
        // As the shell's > writes it: through the open file, appending if
        // it appends; a rename or a truncation would lose what is there.
        if (!(file_ = openDescriptor(target_.descriptor)))
            fail(errno);
        return;
    case OutputTarget::Kind::RegularFile:
        // Renaming needs only the folder's leave: a file that `>` may not
        // write is not replaced either.
        if (const int error = writeAccessError(target_.path))
            fail(error);
        break;
    case OutputTarget::Kind::Missing:
        break;
    }
    openTemporaryFile();
}

void Output::openTemporaryFile()
{
    // Beside the file itself, not beside a link to it, so that the rename
    // replaces the file and the link still leads to it.
    for (int attempt = 0; attempt < 10 && !file_; ++attempt) {
        temporaryPath_ = temporaryName(target_.path);
        file_ = createFile(temporaryPath_);
        if (!file_ && errno != EEXIST)
            break;
    }
    const int error = errno;
    const bool exists = target_.kind == OutputTarget::Kind::RegularFile;
    // A rename gives the name a new file: the other names of the old one
    // would keep the old data, and its owner would be lost.
    if (file_ && (!exists || (target_.links == 1 && takeOwnership(file_, target_)))) {
        removeOnInterrupt(temporaryPath_);
        return;
    }
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        removeFile(temporaryPath_);
    }
    temporaryPath_.clear();
    if (exists) {
        inPlace_ = true;
        if (!(file_ = createScratchFile()))
            fail(errno);
        return;
    }
    const std::size_t slash = target_.path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? std::string(".") : target_.path.substr(0, slash + 1);
    if (error == EACCES || error == EPERM || error == EROFS)
        throw OutputError("cannot write " + path_ + ": the folder " + folder + " does not let files be made in it ("
                + errorText(error) + ")",
            false);
    throw OutputError("cannot write " + path_ + ": " + errorText(error), false);
}

Output::~Output()
{
    if (!temporaryPath_.empty() && !committed_) {
        if (file_)
            std::fclose(file_);
        removeFile(temporaryPath_);
        keepOnInterrupt();
    } else if (file_ && file_ != stdout && !committed_) {
        std::fclose(file_);
    }
}

void Output::fail(int error)
{
    const std::string where = path_.empty() ? std::string("the output") : path_;
    throw OutputError("cannot write " + where + ": " + errorText(error), error == EPIPE);
}

void Output::flushBuffer()
{
    if (used_ == 0)
        return;
    if (file_ == stdout) {
        const long kept = writeStandard(stdout, std::string_view(buffer_.get(), used_));
        if (kept < 0)
            fail(errno);
        // An incomplete last character waits for the rest of it.
        std::memmove(
            buffer_.get(), buffer_.get() + used_ - static_cast<std::size_t>(kept), static_cast<std::size_t>(kept));
        used_ = static_cast<std::size_t>(kept);
        return;
    }
    if (std::fwrite(buffer_.get(), 1, used_, file_) != used_)
        fail(errno);
    written_ += static_cast<long long>(used_);
    used_ = 0;
}

void Output::writeLong(std::string_view text)
{
    while (!text.empty()) {
        if (used_ == kBufferSize)
            flushBuffer();
        const std::size_t part = std::min(text.size(), kBufferSize - used_);
        std::memcpy(buffer_.get() + used_, text.data(), part);
        used_ += part;
        text.remove_prefix(part);
    }
}

void Output::commit()
{
    flushBuffer();
    if (std::fflush(file_) != 0 || std::ferror(file_))
        fail(errno);
    if (file_ == stdout)
        return;
    if (inPlace_)
        return writeInPlace();
    std::FILE* file = file_;
    file_ = nullptr;
    const bool replacing = !temporaryPath_.empty();
    // On the disk before the rename, or a power failure could leave the name
    // on an empty file; its mode only now, so that no one else could open it
    // while it was written.
    if (replacing) {
        copyPermissions(file, target_);
        if (!syncFile(file)) {
            const int error = errno;
            std::fclose(file);
            fail(error);
        }
    }
    if (std::fclose(file) != 0)
        fail(errno);
    if (replacing) {
        if (!replaceFile(temporaryPath_, target_.path))
            fail(errno);
        syncFolderOf(target_.path);
    }
    committed_ = true;
    keepOnInterrupt();
}

void Output::writeInPlace()
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> made(file_, std::fclose);
    file_ = nullptr;
    committed_ = true;
    std::FILE* opened = openForWriting(target_.path);
    if (!opened)
        fail(errno);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> target(opened, std::fclose);
    std::rewind(made.get());
    for (std::size_t read; (read = std::fread(buffer_.get(), 1, kBufferSize, made.get())) > 0;) {
        if (std::fwrite(buffer_.get(), 1, read, target.get()) != read)
            fail(errno);
    }
    if (std::ferror(made.get()) || std::fflush(target.get()) != 0 || !truncateFile(target.get(), written_)
        || !syncFile(target.get()))
        fail(errno);
}

} // namespace quillon::cli
