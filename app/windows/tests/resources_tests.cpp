// What Windows reads of the executable: its icon at every size the shell asks for, its version
// and manifest; and its arguments as UTF-8 whatever the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program_arguments.h"

namespace {

constexpr wchar_t child_variable[] = L"VORMELIN_TEST_ARGUMENTS_CHILD";

int icon_width(int size) {
    const HANDLE icon =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
    if (icon == nullptr) {
        return 0;
    }
    ICONINFO info{};
    GetIconInfo(static_cast<HICON>(icon), &info);
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(static_cast<HICON>(icon));
    return colour.bmWidth;
}

std::wstring version_text(const wchar_t* name) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const DWORD size = GetFileVersionInfoSizeW(program, nullptr);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(program, 0, size, block.data())) {
        return {};
    }
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

std::wstring wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

TEST(WindowsExecutable, IconAtEveryPackedSize) {
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        EXPECT_EQ(icon_width(size), size);
    }
}

TEST(WindowsExecutable, VersionAndManifest) {
    EXPECT_EQ(version_text(L"ProductName"), L"Vormelin");
    EXPECT_EQ(version_text(L"FileVersion"), wide(VORMELIN_VERSION));
    EXPECT_EQ(version_text(L"ProductVersion"), wide(VORMELIN_VERSION));
    EXPECT_EQ(version_text(L"OriginalFilename"), L"vormelin.exe");
    EXPECT_EQ(version_text(L"LegalCopyright").rfind(L"Copyright (c) ", 0), 0u);
    const HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(nullptr, manifest)));
    const std::string contents(text, SizeofResource(nullptr, manifest));
    EXPECT_NE(contents.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(contents.find("asInvoker"), std::string::npos);
}

// Started by the test below with a non-ASCII argument, which it must read back whole.
TEST(WindowsArgumentsChild, ReadsItsArgumentsAsUtf8) {
    if (GetEnvironmentVariableW(child_variable, nullptr, 0) == 0) {
        GTEST_SKIP() << "run by the arguments test only";
    }
    const ProgramArguments arguments = program_arguments(0, nullptr);
    const bool whole = !arguments.texts.empty() &&
                       arguments.texts.back() == "B\xC3\xA2timent \xE2\x82\xAC" &&
                       arguments.pointers.size() == arguments.texts.size();
    ExitProcess(whole ? 0 : 1);
}

TEST(WindowsArguments, ANonAsciiArgumentArrivesAsUtf8) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) +
                           L"\" --gtest_filter=WindowsArgumentsChild.* \"B\u00e2timent \u20ac\"";
    SetEnvironmentVariableW(child_variable, L"1");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program, command.data(), nullptr, nullptr, FALSE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(child_variable, nullptr);
    ASSERT_TRUE(started);
    WaitForSingleObject(process.hProcess, 20000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);
}

}  // namespace
