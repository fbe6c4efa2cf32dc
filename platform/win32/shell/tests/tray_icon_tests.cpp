// The notification-area icon: its picture made from the embedded PNG at the small-icon size, and
// the icon added, changed and deleted where the desktop has a notification area.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32/shell/tests/test_windows.h"
#include "platform/win32/shell/win32_shell.h"

namespace {

constexpr std::uint32_t tray_message = 1124;

struct IconFacts {
    LONG width = 0;
    LONG height = 0;
    bool has_alpha = false;
};

IconFacts facts_of(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return {};
    }
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {colour.bmWidth, colour.bmHeight, colour.bmBitsPixel == 32};
}

class Win32Tray : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platform::platform_start({})); }
    void TearDown() override { platform::platform_stop(); }
};

TEST_F(Win32Tray, IconPicturesAtTheAskedSizeFromEitherSet) {
    for (const int size : {16, 20, 32, 48}) {
        const HICON icon = platform::win32::resource_icon("SYSTRAY", size);
        ASSERT_NE(icon, nullptr) << size;
        const IconFacts facts = facts_of(icon);
        EXPECT_EQ(facts.width, size);
        EXPECT_EQ(facts.height, size);
        EXPECT_TRUE(facts.has_alpha) << "the round picture keeps its transparent corners";
        DestroyIcon(icon);
    }
    EXPECT_EQ(platform::win32::resource_icon("NO_SUCH_PICTURE", 16), nullptr);
    EXPECT_EQ(platform::win32::resource_icon("SYSTRAY", 0), nullptr);
}

TEST_F(Win32Tray, AddedChangedAndDeletedWhereThereIsANotificationArea) {
    const HWND window = shell_tests::make_window(false);
    const platform::WindowHandle handle = platform::win32::handle_of(window);
    // The shell keeps 127 characters of a tip; a longer one is cut, never written past.
    const platform::TrayIcon icon{.window = handle,
                                  .id = 1,
                                  .callback_message = tray_message,
                                  .icon_resource = "SYSTRAY",
                                  .tip = std::u16string(300, u'\u00e9')};
    if (!platform::tray_available()) {
        EXPECT_FALSE(platform::tray_icon_add(icon)) << "nowhere to add it";
        EXPECT_FALSE(platform::tray_icon_delete(handle, 1));
        DestroyWindow(window);
        GTEST_SKIP() << "this desktop has no notification area";
    }
    EXPECT_TRUE(platform::tray_icon_add(icon));
    EXPECT_TRUE(platform::tray_icon_add(icon)) << "shown again: changed in place";
    EXPECT_TRUE(platform::tray_icon_delete(handle, 1));
    EXPECT_FALSE(platform::tray_icon_delete(handle, 1)) << "already gone";
    EXPECT_FALSE(platform::tray_icon_delete(handle, 2)) << "never added";
    DestroyWindow(window);
}

TEST_F(Win32Tray, NoIconForAWindowThatIsGone) {
    const HWND window = shell_tests::make_window(false);
    DestroyWindow(window);
    EXPECT_FALSE(platform::tray_icon_add({.window = platform::win32::handle_of(window),
                                          .id = 1,
                                          .callback_message = tray_message,
                                          .icon_resource = "SYSTRAY",
                                          .tip = u"Vormelin"}));
}

}  // namespace
