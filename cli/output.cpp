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
    if (path_.empty()) {
        file_ = stdout;
        return;
    }
    for (int attempt = 0; attempt < 10 && !file_; ++attempt) {
        temporaryPath_ = temporaryName(path_);
        file_ = createFile(temporaryPath_);
        if (!file_ && errno != EEXIST)
            break;
    }
    if (!file_) {
        const int error = errno;
        temporaryPath_.clear();
        throw OutputError("cannot write " + path_ + ": " + std::strerror(error), false);
    }
}

Output::~Output()
{
    if (!temporaryPath_.empty() && !committed_) {
        if (file_)
            std::fclose(file_);
        removeFile(temporaryPath_);
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
    if (temporaryPath_.empty())
        return;
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0)
        fail(errno);
    if (!replaceFile(temporaryPath_, path_))
        fail(errno);
    committed_ = true;
}

} // namespace quillon::cli
