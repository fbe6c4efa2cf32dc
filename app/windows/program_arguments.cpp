// On Windows main's arguments are in the ANSI code page, which cannot hold every name: they are
// read again from the wide command line and passed on as UTF-8.
#include <windows.h>

#include <shellapi.h>

#include "app/program_arguments.h"

namespace {

std::string utf8_of(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating null
    return text;
}

}  // namespace

ProgramArguments program_arguments(int argc, char** argv) {
    ProgramArguments arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 0; i < count; ++i) {
            arguments.texts.push_back(utf8_of(wide[i]));
        }
        LocalFree(wide);
    } else {
        arguments.texts.assign(argv, argv + argc);  // what main got is better than nothing
    }
    for (const std::string& text : arguments.texts) {
        arguments.pointers.push_back(text.c_str());
    }
    return arguments;
}
