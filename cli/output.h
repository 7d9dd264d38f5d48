// Where the output goes: standard output, or a file that is written whole or
// not at all.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon::cli {

// Writing failed (a full disk, /dev/full, a closed pipe): status 1.
class OutputError : public std::runtime_error {
public:
    OutputError(const std::string& message, bool closedPipe) : std::runtime_error(message), closedPipe(closedPipe) { }
    // The reader went away (`| head`): end quietly.
    bool closedPipe;
};

class Output {
public:
    // Standard output when path is empty. A file is written into a new
    // temporary file beside it, which commit() renames over it; until then
    // the file is untouched.
    explicit Output(std::string path);
    ~Output(); // without commit(): removes the temporary file
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void write(std::string_view text)
    {
        buffer_.append(text);
        if (buffer_.size() >= kBufferSize)
            flushBuffer();
    }
    void write(char c)
    {
        buffer_.push_back(c);
        if (buffer_.size() >= kBufferSize)
            flushBuffer();
    }

    // Writes out what is buffered, flushes and closes the file, and puts it in
    // place. Throws OutputError when any of it fails.
    void commit();

private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    void flushBuffer();
    [[noreturn]] void fail(int error);

    std::string path_;
    std::string temporaryPath_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool committed_ = false;
};

} // namespace quillon::cli
