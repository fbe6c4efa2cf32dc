// The built-in child controls of dialogs as real Qt widgets: a label, a one-line edit field and
// a push button.
#pragma once

#include <QWidget>

#include <string>

#include "platform/common/window_table.h"

namespace platform::qt {

QWidget* create_control(const common::WindowRecord& record, QWidget* parent);
// Shows the record's text: the title of a window or the text of a control.
void set_control_text(const common::WindowRecord& record);
// What an edit field holds.
std::u16string control_text(const common::WindowRecord& record);

}  // namespace platform::qt
