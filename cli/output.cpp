#include "cli/output.h"

#include "cli/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

namespace quillon::cli {
namespace {

std::string temporaryName(const std::string& path)
{
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name = path + ".part-";
    for (int i = 0; i < 12; ++i)
        name.push_back(kDigits[random() % 16]);
    return name;
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
    const OutputTarget target = findOutputTarget(path_);
    switch (target.kind) {
    case OutputTarget::Kind::Folder:
        throw OutputError("cannot write " + path_ + ": it is a folder; give a file name", false);
    case OutputTarget::Kind::Other:
        // A device, a pipe or a socket is written as it is: renaming a file
        // over it would replace it.
        if (target.lookupError != 0)
            fail(target.lookupError);
        if (!(file_ = openForWriting(target.path)))
            fail(errno);
        return;
    case OutputTarget::Kind::Missing:
    case OutputTarget::Kind::RegularFile:
        break;
    }
    // Beside the file itself, not beside a link to it, so that the rename
    // replaces the file and the link still leads to it.
    targetPath_ = target.path;
    for (int attempt = 0; attempt < 10 && !file_; ++attempt) {
        temporaryPath_ = temporaryName(targetPath_);
        file_ = createFile(temporaryPath_);
        if (!file_ && errno != EEXIST)
            break;
    }
    if (!file_) {
        const int error = errno;
        temporaryPath_.clear();
        const std::size_t slash = targetPath_.find_last_of("/\\");
        const std::string folder = slash == std::string::npos ? std::string(".") : targetPath_.substr(0, slash + 1);
        if (error == EACCES || error == EPERM || error == EROFS)
            throw OutputError("cannot write " + path_ + ": the folder " + folder + " does not let files be made in it ("
                    + std::strerror(error) + ")",
                false);
        throw OutputError("cannot write " + path_ + ": " + std::strerror(error), false);
    }
    copyPermissions(file_, target);
    removeOnInterrupt(temporaryPath_);
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
    throw OutputError("cannot write " + where + ": " + std::strerror(error), error == EPIPE);
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
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0)
        fail(errno);
    if (!temporaryPath_.empty() && !replaceFile(temporaryPath_, targetPath_))
        fail(errno);
    committed_ = true;
    keepOnInterrupt();
}

} // namespace quillon::cli
