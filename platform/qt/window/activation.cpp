// Which of our windows is in front: asked of the window system, and known before it answers.
#include "platform/qt/window/activation.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include "platform/qt/window/qt_backend.h"
#include "platform/window.h"

namespace platform::qt {
namespace {

WindowHandle& asked() {
    static WindowHandle window = 0;
    return window;
}

class RaiseWhenMapped : public QObject {
public:
    explicit RaiseWhenMapped(QWidget& widget) : QObject(&widget), widget_(widget) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && !raised_ && widget_.windowHandle() != nullptr &&
            widget_.windowHandle()->isExposed()) {
            raised_ = true;
            widget_.raise();
        } else if (event->type() == QEvent::Hide) {
            raised_ = false;
        }
        return false;
    }

private:
    QWidget& widget_;
    bool raised_ = false;
};

}  // namespace

void raise_when_mapped(QWidget& widget) {
    widget.winId();  // makes the window, whose events the filter watches
    widget.windowHandle()->installEventFilter(new RaiseWhenMapped(widget));
}

void activate(WindowHandle window, QWidget& widget) {
    widget.raise();
    widget.activateWindow();
    asked() = window;
}

WindowHandle active_window() {
    // A window just hidden (a message box) stays Qt's active one until the news arrives.
    if (const QWidget* active = QApplication::activeWindow(); active && active->isVisible()) {
        return handle_of(active);
    }
    return is_window_visible(asked()) ? asked() : 0;
}

void forget_activation(WindowHandle window) {
    if (asked() == window) {
        asked() = 0;
    }
}

void follow_activation() {
    // A window of ours (or a message box) becoming active settles what was asked; losing the
    // focus does not, since the window that had it loses it first whenever we ask for another.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, [](QWindow* window) {
        if (window != nullptr) {
            asked() = 0;
        }
    });
}

}  // namespace platform::qt
