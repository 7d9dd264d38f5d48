#include "cli/output.h"

#include "cli/platform.h"

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
    buffer_.reserve(kBufferSize + 4096);
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
    if (buffer_.empty())
        return;
    if (file_ == stdout) {
        const long kept = writeStandard(stdout, buffer_);
        if (kept < 0)
            fail(errno);
        buffer_.erase(0, buffer_.size() - static_cast<std::size_t>(kept));
        return;
    }
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        fail(errno);
    buffer_.clear();
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
