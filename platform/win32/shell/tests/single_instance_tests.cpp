// One game per score folder, between real processes: this test program starts itself to play a
// later start (the child case below, which only runs when its parent names it a folder).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/single_instance.h"
#include "platform/win32/shell/tests/test_windows.h"
#include "platform/win32/shell/win32_shell.h"

namespace {

using platform::FolderClaim;
using shell_tests::make_window;
using shell_tests::pump_until;
using shell_tests::times_received;

constexpr UINT come_forward_message = WM_APP + 7;
constexpr wchar_t child_variable[] = L"VORMELIN_TEST_CLAIM_FOLDER";
constexpr int child_exit_base = 10;
constexpr DWORD child_timeout_ms = 20000;

std::string utf8_of(const std::wstring& wide) {
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

// A later start: claims the folder its parent names and ends at once with the claim's result, as
// a game that dies without giving its claim up.
TEST(FolderClaimChild, ClaimsTheFolderItsParentNames) {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(child_variable, folder, MAX_PATH) == 0) {
        GTEST_SKIP() << "run by the folder-claim tests only";
    }
    const FolderClaim claim = platform::claim_folder(utf8_of(folder));
    ExitProcess(static_cast<UINT>(child_exit_base + static_cast<int>(claim)));
}

// Runs the child on `folder` and returns its claim's result; the parent answers requests while it
// waits only when `answering`.
int run_later_start(const std::wstring& folder, bool answering) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) +
                           L"\" --gtest_filter=FolderClaimChild.ClaimsTheFolderItsParentNames";
    SetEnvironmentVariableW(child_variable, folder.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program, command.data(), nullptr, nullptr, FALSE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(child_variable, nullptr);
    if (!started) {
        return -1;
    }
    if (answering) {
        pump_until([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; },
                   child_timeout_ms);
    } else {
        WaitForSingleObject(process.hProcess, child_timeout_ms);
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code) - child_exit_base;
}

int result(FolderClaim claim) {
    return static_cast<int>(claim);
}

// A score folder with a non-ASCII name in a fresh folder of its own, removed afterwards.
class Win32FolderClaim : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        base =
            std::wstring(temporary) + L"vormelin-claim-" + std::to_wstring(GetCurrentProcessId());
        folder = base + L"\\B\u00e2timent";
        other = base + L"\\Autre";
        ASSERT_TRUE(CreateDirectoryW(base.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(other.c_str(), nullptr));
        window = make_window(false);
    }
    void TearDown() override {
        platform::release_folder();
        DestroyWindow(window);
        RemoveDirectoryW(folder.c_str());
        RemoveDirectoryW(other.c_str());
        RemoveDirectoryW(base.c_str());
    }
    platform::WindowHandle handle() const { return platform::win32::handle_of(window); }
    int requests() const { return times_received(window, come_forward_message); }

    std::wstring base;
    std::wstring folder;
    std::wstring other;
    HWND window = nullptr;
};

TEST_F(Win32FolderClaim, ALaterStartHandsOverAndTheRequestReachesTheWindow) {
    ASSERT_EQ(platform::claim_folder(utf8_of(folder)), FolderClaim::claimed);
    platform::post_come_forward_requests(handle(), come_forward_message);
    // Another spelling of the same folder: upper case, a "." and a trailing separator.
    const std::wstring same = base + L"\\.\\B\u00c2TIMENT\\";
    EXPECT_EQ(run_later_start(same, true), result(FolderClaim::handed_over));
    EXPECT_TRUE(pump_until([&] { return requests() == 1; }, 2000));
}

TEST_F(Win32FolderClaim, ARequestBeforeTheWindowIsPostedOnceItIsNamedAndNotAfterItStops) {
    ASSERT_EQ(platform::claim_folder(utf8_of(folder)), FolderClaim::claimed);
    EXPECT_EQ(run_later_start(folder, true), result(FolderClaim::handed_over));
    pump_until([] { return false; }, 100);
    EXPECT_EQ(requests(), 0);
    platform::post_come_forward_requests(handle(), come_forward_message);
    EXPECT_TRUE(pump_until([&] { return requests() == 1; }, 2000));

    platform::post_come_forward_requests(0, 0);
    EXPECT_EQ(run_later_start(folder, true), result(FolderClaim::handed_over));
    pump_until([] { return false; }, 100);
    EXPECT_EQ(requests(), 1) << "no window named any more";
}

TEST_F(Win32FolderClaim, AHolderThatDoesNotAnswerKeepsTheFolder) {
    ASSERT_EQ(platform::claim_folder(utf8_of(folder)), FolderClaim::claimed);
    EXPECT_EQ(run_later_start(folder, false), result(FolderClaim::held_elsewhere));
}

TEST_F(Win32FolderClaim, AFolderReleasedOrLeftByADeadGameIsFreeAndOthersNeverWereHeld) {
    ASSERT_EQ(platform::claim_folder(utf8_of(folder)), FolderClaim::claimed);
    EXPECT_EQ(run_later_start(other, true), result(FolderClaim::claimed)) << "another folder";
    platform::release_folder();
    // The child claims and dies holding the claim.
    EXPECT_EQ(run_later_start(folder, true), result(FolderClaim::claimed));
    EXPECT_EQ(platform::claim_folder(utf8_of(folder)), FolderClaim::claimed);
}

TEST_F(Win32FolderClaim, NoClaimOnAMissingFolderOrAFile) {
    EXPECT_EQ(platform::claim_folder(utf8_of(base + L"\\missing")), FolderClaim::unavailable);
    const std::wstring file = base + L"\\Scores.qelm";
    const HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    CloseHandle(created);
    EXPECT_EQ(platform::claim_folder(utf8_of(file)), FolderClaim::unavailable);
    DeleteFileW(file.c_str());
}

}  // namespace
