// Message boxes on a real desktop (Wine's, on a virtual display): answered from a timer while the
// box's own loop runs, above the always-on-top game window, the owner disabled meanwhile, and a
// quit request that closes the box reaching the loop below.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32/shell/tests/test_windows.h"
#include "platform/win32/shell/win32_shell.h"

namespace {

using shell_tests::make_window;

// What the timer saw of the box, and what it does to it.
struct BoxWatch {
    enum class Answer { press_ok, quit };
    Answer answer = Answer::press_ok;
    HWND owner = nullptr;
    bool seen = false;
    bool topmost = false;
    bool owner_enabled = true;
    std::wstring caption;
    std::wstring text;
};

BoxWatch watch;

BOOL CALLBACK find_box(HWND window, LPARAM found) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    if (std::wstring(class_name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring text_of(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The message text is the box's static control with the id the system gives it.
constexpr int message_text_id = 0xFFFF;

void CALLBACK answer_box(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    watch.seen = true;
    watch.topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    watch.owner_enabled = watch.owner == nullptr || IsWindowEnabled(watch.owner);
    watch.caption = text_of(box);
    watch.text = text_of(GetDlgItem(box, message_text_id));
    if (watch.answer == BoxWatch::Answer::quit) {
        PostQuitMessage(7);
    } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

std::int32_t show_box_answered(HWND owner, BoxWatch::Answer answer) {
    watch = BoxWatch{.answer = answer, .owner = owner};
    SetTimer(nullptr, 0, 50, answer_box);
    return platform::message_box(platform::win32::handle_of(owner), u"Le fichier est plein.",
                                 u"Probl\u00e8me", platform::message_box_ok);
}

TEST(Win32MessageBox, AnsweredAboveAnAlwaysOnTopOwnerThatIsDisabledMeanwhile) {
    const HWND owner = make_window(true);
    ShowWindow(owner, SW_SHOW);
    EXPECT_EQ(show_box_answered(owner, BoxWatch::Answer::press_ok),
              platform::message_box_result_ok);
    ASSERT_TRUE(watch.seen);
    EXPECT_TRUE(watch.topmost);
    EXPECT_FALSE(watch.owner_enabled);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "enabled again";
    EXPECT_EQ(watch.caption, L"Probl\u00e8me");
    EXPECT_EQ(watch.text, L"Le fichier est plein.");
    DestroyWindow(owner);
}

TEST(Win32MessageBox, WithoutOwnerOrWithAGoneOneIsStillShownOnTop) {
    EXPECT_EQ(show_box_answered(nullptr, BoxWatch::Answer::press_ok),
              platform::message_box_result_ok);
    EXPECT_TRUE(watch.seen);
    // Wine 8 makes an unowned box always on top only when its owner is.
    EXPECT_TRUE(watch.topmost || shell_tests::running_under_wine());

    const HWND gone = make_window(false);
    DestroyWindow(gone);
    EXPECT_EQ(show_box_answered(gone, BoxWatch::Answer::press_ok), platform::message_box_result_ok);
    EXPECT_TRUE(watch.seen) << "a box owned by a window that is gone is still shown";
}

TEST(Win32MessageBox, AQuitRequestClosesTheBoxAndReachesTheLoopBelow) {
    const HWND owner = make_window(true);
    ShowWindow(owner, SW_SHOW);
    show_box_answered(owner, BoxWatch::Answer::quit);
    EXPECT_TRUE(watch.seen);
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "posted again";
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

}  // namespace
