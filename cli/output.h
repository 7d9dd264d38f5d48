// Where the output goes: standard output, or a file that is written whole or
// not at all.
#pragma once

#include "cli/platform.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
    // Standard output when path is empty or "-". A file is written into a new
    // temporary file beside it (beside the file a symbolic link leads to; on
    // Windows links are not followed, and a link is replaced), readable by
    // its owner only, which commit() syncs to the disk and renames over it
    // with the file's owner and permissions; until then the file is
    // untouched, and an interruption removes the temporary file.
    //
    // A file that renaming would change or cannot replace (one with more
    // than one name, one whose owner or group this program cannot give the
    // new file, one in a folder that refuses new files) is written in place
    // as the shell's `>` does, after the whole output is made: an input error
    // leaves it as it was, but a write that fails in commit() may leave it
    // cut short. A file this program may not write (read-only, on a
    // read-only disk) is refused at once. A device or a pipe is written
    // directly; /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N
    // through a copy of the descriptor they name (see findOutputTarget).
    explicit Output(std::string path);
    ~Output(); // without commit(): removes the temporary file
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void write(std::string_view text)
    {
        const std::size_t size = text.size();
        if (size > kBufferSize - used_)
            return writeLong(text);
        char* to = buffer_.get() + used_;
        const char* from = text.data();
        // Most texts of a table are a few bytes long: copied by two
        // overlapping moves of a fixed size, which compile to plain loads and
        // stores, instead of a call to memcpy each.
        if (size >= 8 && size <= 16) {
            std::memcpy(to, from, 8);
            std::memcpy(to + size - 8, from + size - 8, 8);
        } else if (size < 8) {
            for (std::size_t i = 0; i < size; ++i)
                to[i] = from[i];
        } else {
            std::memcpy(to, from, size);
        }
        used_ += size;
    }
    void write(char c) { write(std::string_view(&c, 1)); }

    // Writes out what is buffered, flushes and closes the file, and puts it in
    // place. Throws OutputError when any of it fails.
    void commit();

    // A warning about the output, for standard error once it is committed:
    // after the data on a terminal, and not at all when writing fails.
    void warn(std::string warning) { warnings_.push_back(std::move(warning)); }
    const std::vector<std::string>& warnings() const { return warnings_; }

    // A line about what was written, for standard error once it is
    // committed, as warnings are, but not called one: "warning: " begins the
    // note when it is one.
    void note(std::string line) { notes_.push_back(std::move(line)); }
    const std::vector<std::string>& notes() const { return notes_; }

private:
    static constexpr std::size_t kBufferSize = 1 << 16;
    void openTemporaryFile();
    void flushBuffer();
    void writeLong(std::string_view text);
    void writeInPlace();
    [[noreturn]] void fail(int error);

    std::string path_;          // as given
    OutputTarget target_;       // the file it names, links followed
    std::string temporaryPath_; // written, then renamed over the target
    bool inPlace_ = false;      // file_ is a scratch file, copied into the target by commit()
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    long long written_ = 0; // into file_
    bool committed_ = false;
    std::vector<std::string> warnings_;
    std::vector<std::string> notes_;
};

} // namespace quillon::cli
