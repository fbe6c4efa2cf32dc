#include "platform/win32/shell/tests/test_windows.h"

#include <algorithm>
#include <map>
#include <utility>

namespace shell_tests {
namespace {

std::map<std::pair<HWND, UINT>, int>& received() {
    static std::map<std::pair<HWND, UINT>, int> counts;
    return counts;
}

LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ++received()[{window, message}];
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND make_window(bool topmost) {
    static constexpr wchar_t class_name[] = L"vormelin-shell-test";
    static const ATOM registered = [] {
        WNDCLASSEXW description{};
        description.cbSize = sizeof(description);
        description.lpfnWndProc = recording_procedure;
        description.hInstance = GetModuleHandleW(nullptr);
        description.lpszClassName = class_name;
        return RegisterClassExW(&description);
    }();
    (void)registered;
    const HWND window =
        CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, class_name, L"test", WS_POPUP, 10, 10, 100,
                        100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // A handle may be reused: what its earlier window got is forgotten.
    std::erase_if(received(), [window](const auto& entry) { return entry.first.first == window; });
    return window;
}

bool pump_until(const std::function<bool()>& done, DWORD timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        // In slices: what is waited for may be no message (another process ending).
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20));
        MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

int times_received(HWND window, UINT message) {
    const auto found = received().find({window, message});
    return found == received().end() ? 0 : found->second;
}

bool running_under_wine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace shell_tests
