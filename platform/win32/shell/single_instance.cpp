// One game per score table on Windows: a named mutex claims the folder, and a message-only window
// of the holder, of a class named after the same key, answers a later start's request to come
// forward. Both names carry the hash of the folder's canonical path.
#include <windows.h>

#include <string>

#include "platform/single_instance.h"
#include "platform/win32/shell/folder_key.h"
#include "platform/win32/shell/win32_shell.h"

namespace platform {
namespace {

// Private to the listener's own class, so any number does.
constexpr UINT come_forward_request = WM_APP + 1;
constexpr LRESULT answer_ok = 0x6B6F;  // "ok"
// A start gives the game that holds the folder this long to answer: that game may itself be
// starting (its listener comes right after the mutex) or busy with a turn.
constexpr DWORD answer_timeout_ms = 3000;
constexpr DWORD attempt_pause_ms = 100;

struct Claim {
    HANDLE mutex = nullptr;
    HWND listener = nullptr;
    std::wstring class_name;
    WindowHandle window = 0;
    std::uint32_t message = 0;
    bool request_waiting = false;
};

Claim& claim() {
    static Claim current;
    return current;
}

void come_forward() {
    Claim& current = claim();
    if (current.window == 0) {
        current.request_waiting = true;
        return;
    }
    PostMessageW(win32::hwnd_of(current.window), current.message, 0, 0);
}

LRESULT CALLBACK listener_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == come_forward_request) {
        come_forward();
        return answer_ok;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Without its listener the game still runs; later starts then find it unanswering.
HWND make_listener(const std::wstring& class_name) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = listener_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = class_name.c_str();
    if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    return CreateWindowExW(0, class_name.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           window_class.hInstance, nullptr);
}

bool owned(DWORD wait) {
    // An abandoned mutex is ours now: the game that held it ended without giving it up.
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

bool ask_to_come_forward(const std::wstring& class_name, DWORD timeout_ms) {
    const HWND listener = FindWindowExW(HWND_MESSAGE, nullptr, class_name.c_str(), nullptr);
    if (listener == nullptr) {
        return false;
    }
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(listener, come_forward_request, 0, 0,
                                             SMTO_ABORTIFHUNG | SMTO_BLOCK, timeout_ms, &answer);
    return sent != 0 && answer == static_cast<DWORD_PTR>(answer_ok);
}

}  // namespace

FolderClaim claim_folder(const std::string& folder) {
    const std::wstring key = win32::folder_key(folder);
    if (key.empty()) {
        return FolderClaim::unavailable;
    }
    release_folder();  // one folder per game: a claim made before is given up
    const std::wstring mutex_name = L"Local\\vormelin-" + key;
    const std::wstring class_name = L"vormelin-" + key;
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, mutex_name.c_str());
    if (mutex == nullptr) {
        return FolderClaim::unavailable;
    }
    const ULONGLONG deadline = GetTickCount64() + answer_timeout_ms;
    for (;;) {
        const DWORD wait = WaitForSingleObject(mutex, 0);
        if (owned(wait)) {
            claim() = Claim{
                .mutex = mutex, .listener = make_listener(class_name), .class_name = class_name};
            return FolderClaim::claimed;
        }
        if (wait == WAIT_FAILED) {
            CloseHandle(mutex);
            return FolderClaim::unavailable;
        }
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        if (left > 0 && ask_to_come_forward(class_name, left)) {
            CloseHandle(mutex);
            return FolderClaim::handed_over;
        }
        if (GetTickCount64() >= deadline) {
            break;
        }
        Sleep(attempt_pause_ms);
    }
    CloseHandle(mutex);
    return FolderClaim::held_elsewhere;
}

void post_come_forward_requests(WindowHandle window, std::uint32_t message) {
    Claim& current = claim();
    current.window = window;
    current.message = message;
    if (window != 0 && current.request_waiting) {
        current.request_waiting = false;
        PostMessageW(win32::hwnd_of(window), message, 0, 0);
    }
}

void release_folder() {
    Claim& current = claim();
    if (current.listener != nullptr) {
        DestroyWindow(current.listener);
        UnregisterClassW(current.class_name.c_str(), GetModuleHandleW(nullptr));
    }
    if (current.mutex != nullptr) {
        ReleaseMutex(current.mutex);
        CloseHandle(current.mutex);
    }
    current = Claim{};
}

}  // namespace platform
