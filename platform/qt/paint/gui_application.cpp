// Creates the Qt GUI application object on demand, for programs and tests without a window.
#include "platform/qt/paint/gui_application.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace platform::qt {

namespace {

// With no platform named and no X display, Qt's default platform plugin would abort the process.
bool needs_offscreen_platform() {
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY");
}

}  // namespace

void ensure_gui_application() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    // Qt keeps references to argc and argv for the application's whole life.
    static int argc = 1;
    static char program[] = "vormelin";
    static char platform_option[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {program, platform_option, offscreen, nullptr};
    if (needs_offscreen_platform()) {
        argc = 3;
    }
    // Never deleted: the fonts made under it may be released at any time until the process ends.
    new QGuiApplication(argc, argv);
}

}  // namespace platform::qt
