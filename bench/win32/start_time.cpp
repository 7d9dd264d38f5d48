// Start-up of Windows window programs, side by side: each program is started
// in turn (alternating, so that both see the same machine), timed from
// CreateProcess to the moment its top-level window is visible and answers a
// message (it has been shown and painted and waits for input), then closed.
// Prints the median of each and its ratio to the first program's.
//
//   start_time.exe [--runs N] PROGRAM.exe...
//   wine start_time.exe --runs 20 bare_window.exe Quillon.exe

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
    DWORD process;
    HWND window;
};

HWND visibleWindowOf(DWORD process)
{
    Search search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->process && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
                search->window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// Milliseconds from the start of the program to its window shown; -1 when
// it did not show one within 30 s.
double timeStart(const std::wstring& program)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const Clock::time_point begin = Clock::now();
    if (!CreateProcessW(
            program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    HWND window = nullptr;
    while (!window && Clock::now() - begin < std::chrono::seconds(30)) {
        window = visibleWindowOf(started.dwProcessId);
        if (!window)
            Sleep(1);
    }
    DWORD_PTR answer = 0;
    const bool answered = window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
    const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(started.hProcess, 1);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return answered ? milliseconds : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int wmain(int count, wchar_t** arguments)
{
    int runs = 20;
    std::vector<std::wstring> programs;
    for (int i = 1; i < count; ++i) {
        if (std::wstring(arguments[i]) == L"--runs" && i + 1 < count)
            runs = _wtoi(arguments[++i]);
        else
            programs.emplace_back(arguments[i]);
    }
    if (programs.empty() || runs < 1) {
        std::fprintf(stderr, "usage: start_time [--runs N] PROGRAM.exe...\n");
        return 2;
    }
    std::vector<std::vector<double>> times(programs.size());
    for (std::size_t program = 0; program < programs.size(); ++program)
        timeStart(programs[program]); // once each before timing: DLLs and fonts in the caches
    for (int run = 0; run < runs; ++run) {
        for (std::size_t program = 0; program < programs.size(); ++program) {
            const double milliseconds = timeStart(programs[program]);
            if (milliseconds < 0) {
                std::fwprintf(stderr, L"%ls showed no window\n", programs[program].c_str());
                return 1;
            }
            times[program].push_back(milliseconds);
        }
    }
    const double first = median(times[0]);
    for (std::size_t program = 0; program < programs.size(); ++program) {
        const double middle = median(times[program]);
        std::printf("%-40ls median %7.1f ms  min %7.1f ms  %.2fx\n", programs[program].c_str(), middle,
            *std::min_element(times[program].begin(), times[program].end()), middle / first);
    }
    return 0;
}
