// The program's start and end on Windows: GDI+ for every drawing, and the program's identity told
// to the shell, so that the task bar groups its windows under the desktop entry's name.
// Before the system headers, whose "near" and "far" macros would break its names.
#include "platform/graphics.h"

#include <windows.h>

#include <shobjidl.h>

#include "platform/shell.h"
#include "platform/win32/paint/win32_paint.h"
#include "platform/win32/shell/win32_shell.h"

namespace platform {
namespace {

// The shell takes an id of at most 128 characters without spaces; anything else is not told.
bool fits_as_app_id(const std::wstring& id) {
    return !id.empty() && id.size() <= 128 && id.find(L' ') == std::wstring::npos;
}

}  // namespace

bool platform_start(const ProgramIdentity& identity) {
    if (!win32::start_gdiplus()) {
        return false;
    }
    const std::wstring app_id = win32::wide_from_utf8(identity.desktop_id);
    if (fits_as_app_id(app_id)) {
        SetCurrentProcessExplicitAppUserModelID(app_id.c_str());
    }
    return true;
}

void platform_stop() {
    win32::midi_output_close();
    win32::stop_gdiplus();
}

}  // namespace platform
