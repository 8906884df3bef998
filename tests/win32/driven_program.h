#pragma once

// Another Windows program, started and driven from outside as a user would: its windows found
// among the desktop's, their buttons pressed and their fields filled by messages. Messages that
// open a modal box are posted, so that the driver stays free to answer the box.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>

namespace lf::testing {

// Long enough for a program to start under Wine on a busy machine; a program that takes longer
// has hung.
inline constexpr std::chrono::seconds kPatience{60};

inline std::wstring TextOf(HWND window) {
    std::wstring text(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), L'\0');
    SendMessageW(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Polls until `found` gives something, or gives up after kPatience.
template <typename T>
std::optional<T> Await(const std::function<std::optional<T>()>& found,
                       std::chrono::milliseconds interval = std::chrono::milliseconds(2)) {
    const auto end = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < end) {
        if (auto result = found()) return result;
        std::this_thread::sleep_for(interval);
    }
    return std::nullopt;
}

// The first child (at any depth) of `parent` that fits, or null.
inline HWND FindChild(HWND parent, const std::function<bool(HWND)>& fits) {
    struct Search {
        const std::function<bool(HWND)>& fits;
        HWND found = nullptr;
    } search{fits};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM state) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(state);
            if (s.fits(child)) s.found = child;
            return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Presses a button; posted, as the click may open a modal box.
inline void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

class DrivenProgram {
  public:
    // Starts the program in its own folder; Started() tells whether Windows could start it.
    explicit DrivenProgram(const std::filesystem::path& exe, const std::wstring& arguments = {}) {
        std::wstring commandLine = L"\"" + exe.native() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        const std::wstring folder = exe.parent_path().native();
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process_)) {
            process_ = {};
        }
    }
    // A program the test did not see to its end is ended, so that a failed case leaves nothing.
    ~DrivenProgram() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    DrivenProgram(const DrivenProgram&) = delete;
    DrivenProgram& operator=(const DrivenProgram&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }

    // A visible top-level window of this program that fits, once there is one; null if the
    // program ended or none came.
    HWND AwaitWindow(const std::function<bool(HWND)>& fits) const {
        return Await<HWND>([&]() -> std::optional<HWND> {
                   if (HWND window = VisibleWindow(fits)) return window;
                   if (Ended()) return HWND{};
                   return std::nullopt;
               })
            .value_or(nullptr);
    }

    // A visible box of this program (a message box, a file dialog) whose title is `title`.
    HWND AwaitBox(const std::wstring& title) const {
        return AwaitWindow(
            [&](HWND window) { return ClassOf(window) == L"#32770" && TextOf(window) == title; });
    }

    // The exit code, once the program has ended; nothing if it had to be ended.
    std::optional<DWORD> AwaitEnd() const {
        if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kPatience.count() * 1000)) !=
            WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    bool Ended() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

    HWND VisibleWindow(const std::function<bool(HWND)>& fits) const {
        struct Search {
            DWORD processId;
            const std::function<bool(HWND)>& fits;
            HWND found = nullptr;
        } search{process_.dwProcessId, fits};
        EnumWindows(
            [](HWND window, LPARAM state) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(state);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == s.processId && IsWindowVisible(window) && s.fits(window)) {
                    s.found = window;
                }
                return s.found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process_{};
};

}  // namespace lf::testing
