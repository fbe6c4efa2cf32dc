// Makes sure a Qt GUI application object exists, which fonts and text layout need.
#pragma once

namespace platform::qt {

// Does nothing when an application object exists already (the window backend creates its own
// first). Otherwise creates a QGuiApplication that lives until the process ends, on the
// "offscreen" platform when neither QT_QPA_PLATFORM nor DISPLAY is set.
void ensure_gui_application();

}  // namespace platform::qt
