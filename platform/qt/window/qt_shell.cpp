// Modal message boxes on Qt.
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QWindow>

#include <algorithm>

#include "platform/message_queue.h"
#include "platform/qt/window/activation.h"
#include "platform/qt/window/qt_backend.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace platform {
namespace {

// Room in a title bar beside its caption: the window manager's icon and buttons.
constexpr int title_bar_buttons_width = 110;

// The box is wide enough for its whole caption, which a window manager cuts short in a narrow
// window ("Fin d...artie"), and for its longest line: the label takes the width set here as its
// own, and would cut a longer line ("Impossible d'ouvrir le périphe").
void fit_caption_and_text(QMessageBox& box, const QString& caption, const QString& text) {
    QFont title_font = QApplication::font();
    title_font.setBold(true);
    int width = QFontMetrics(title_font).horizontalAdvance(caption) + title_bar_buttons_width;
    const QFontMetrics text_metrics(QApplication::font());
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        width = std::max(width, text_metrics.horizontalAdvance(line) + 1);
    }
    box.setStyleSheet(QStringLiteral("QLabel { min-width: %1px; }").arg(width));
}

}  // namespace

std::int32_t message_box(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                         std::uint32_t) {
    const bool owner_was_enabled = owner != 0 && is_window_enabled(owner);
    const bool owner_had_focus = owner != 0 && focus_window() == owner;
    if (owner_was_enabled) {
        enable_window(owner, false);
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdU16String(std::u16string(caption)),
                    QString::fromStdU16String(std::u16string(text)), QMessageBox::Ok);
    fit_caption_and_text(box, box.windowTitle(), box.text());
    // Above the game, which stays above every other window, whoever owns the box.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (QWidget* owner_widget = qt::widget_of(owner)) {
        box.winId();
        box.windowHandle()->setTransientParent(owner_widget->windowHandle());
    }
    qt::raise_when_mapped(box);
    bool answered = false;
    QObject::connect(&box, &QDialog::finished, [&answered] {
        answered = true;
        post_message(0, 0, 0, 0);  // wakes the loop below
    });
    box.show();
    box.raise();
    box.activateWindow();

    // The box's own loop: the program's other windows go on getting their messages.
    run_nested_loop([&answered] { return answered; });
    box.hide();
    if (owner_was_enabled && is_window(owner)) {
        enable_window(owner, true);
        if (owner_had_focus) {
            set_focus(owner);
        }
    }
    return message_box_result_ok;
}

}  // namespace platform
