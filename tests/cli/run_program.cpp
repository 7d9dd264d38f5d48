#include "run_program.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include "platform/win32/utf16.h"

#include <windows.h>
#else
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace quillon::cli::test {
namespace {

std::filesystem::path programFolder;

std::filesystem::path utf8Path(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

#ifdef _WIN32
// Quotes one argument the way the C runtime splits a command line.
std::wstring quotedArgument(const std::wstring& argument)
{
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

HANDLE inheritableFile(const std::filesystem::path& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}
#endif

} // namespace

void setProgramFolder(const std::string& testProgramPath)
{
#ifdef _WIN32
    // argv[0] may be in the ANSI code page, or as an emulator passed it.
    (void)testProgramPath;
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    programFolder = std::filesystem::path(path).parent_path();
#else
    // Absolute, so that tests may run it from another folder.
    programFolder = std::filesystem::absolute(utf8Path(testProgramPath)).parent_path();
#endif
}

std::string programPath()
{
#ifdef _WIN32
    const std::u8string path = (programFolder / "quillon-cli.exe").u8string();
#else
    const std::u8string path = (programFolder / "quillon-cli").u8string();
#endif
    return std::string(path.begin(), path.end());
}

std::string makeScratchFolder()
{
    static std::mt19937_64 random{std::random_device{}()};
    const auto folder = std::filesystem::temp_directory_path() / ("quillon-cli-test-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    const std::u8string name = folder.u8string();
    return std::string(name.begin(), name.end());
}

std::string readFile(const std::string& path)
{
    std::ifstream in(utf8Path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(utf8Path(path), std::ios::binary) << content;
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(utf8Path(path));
}

ProgramResult runCli(const std::vector<std::string>& arguments, const std::string& stdoutPath)
{
    const std::string scratch = makeScratchFolder();
    const std::string outPath = stdoutPath.empty() ? scratch + "/out" : stdoutPath;
    const std::string errPath = scratch + "/err";
    ProgramResult result;
#ifdef _WIN32
    const std::filesystem::path program = utf8Path(programPath());
    std::wstring commandLine = quotedArgument(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + quotedArgument(utf16::wide(argument));
    HANDLE out = inheritableFile(utf8Path(outPath));
    HANDLE err = inheritableFile(utf8Path(errPath));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    bool started = false;
    DWORD startError = 0;
    // Wine's CreateProcessW fails now and then with ERROR_INTERNAL_ERROR
    // when its server is busy (seen on a loaded two-core machine); a second
    // try starts the program. Any other failure is reported at once.
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
            nullptr, &startup, &process);
        startError = started ? 0 : GetLastError();
        if (startError != ERROR_INTERNAL_ERROR)
            break;
    }
    CloseHandle(out);
    CloseHandle(err);
    // A program that did not start, or was not waited for, would look like
    // one that wrote nothing: say so instead.
    if (!started)
        throw std::runtime_error("CreateProcessW failed with system error " + std::to_string(startError));
    DWORD status = 0;
    const bool ended = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0
        && GetExitCodeProcess(process.hProcess, &status);
    const DWORD waitError = GetLastError();
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (!ended)
        throw std::runtime_error("waiting for quillon-cli failed with system error " + std::to_string(waitError));
    result.status = static_cast<int>(status);
#else
    const std::string program = programPath();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("posix_spawn failed: " + std::string(std::strerror(spawned)));
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
    if (stdoutPath.empty())
        result.out = readFile(outPath);
    result.err = readFile(errPath);
    std::filesystem::remove_all(utf8Path(scratch));
    return result;
}

} // namespace quillon::cli::test
