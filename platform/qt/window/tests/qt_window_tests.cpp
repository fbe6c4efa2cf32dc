// The Qt window backend on Qt's offscreen platform: real Qt windows behind the records, Qt input
// posted to the queue, controls, timers on the real clock.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <vector>

#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/message_queue.h"
#include "platform/qt/window/keys.h"
#include "platform/qt/window/qt_backend.h"
#include "platform/qt/window/shape.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace platform {
namespace {

std::vector<Message>& seen() {
    static std::vector<Message> messages;
    return messages;
}

std::int32_t seeing_proc(WindowHandle window, std::uint32_t message, std::uint32_t wparam,
                         std::int32_t lparam) {
    seen().push_back({window, message, wparam, lparam});
    return default_window_proc(window, message, wparam, lparam);
}

class QtWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ASSERT_TRUE(platform_start());
        register_window_class({.name = "Seeing", .procedure = seeing_proc});
    }

    static void TearDownTestSuite() { platform_stop(); }

    void SetUp() override { seen().clear(); }
    void TearDown() override {
        for (const WindowHandle window : thread_windows()) {
            destroy_window(window);
        }
    }

    static WindowHandle make_layered() {
        return create_window(
            {.ex_style = ex_style::layered | ex_style::tool_window | ex_style::topmost,
             .class_name = "Seeing",
             .text = u"Vormelin",
             .style = style::popup | style::visible,
             .x = 162,
             .y = 109,
             .width = 700,
             .height = 550});
    }

    // Handles what is queued now, without waiting.
    static void drain() {
        QCoreApplication::processEvents();
        qt::run_deferred();
        constexpr std::uint32_t end_marker = msg::user + 99;
        post_message(0, end_marker, 0, 0);
        Message message;
        while (get_message(message) && message.message != end_marker) {
            translate_message(message);
            dispatch_message(message);
        }
    }

    static std::vector<std::uint32_t> seen_messages(WindowHandle window) {
        std::vector<std::uint32_t> messages;
        for (const Message& message : seen()) {
            if (message.window == window) {
                messages.push_back(message.message);
            }
        }
        return messages;
    }
};

TEST_F(QtWindowTest, AMessageBoxShowsItsWholeTextAndItsWholeCaption) {
    int label_width = 0;
    int line_width = 0;
    int box_width = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        const QLabel* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        label_width = label->width();
        line_width = label->fontMetrics().horizontalAdvance(
            QStringLiteral("une seconde ligne bien plus longue que la l\u00E9gende"));
        box_width = box->width();
        box->button(QMessageBox::Ok)->click();
    });
    message_box(0, u"Court\nune seconde ligne bien plus longue que la l\u00E9gende",
                u"Probl\u00E8me", 0);
    EXPECT_GE(label_width, line_width) << "the longest line is not cut";
    EXPECT_GE(box_width, 110) << "room for the caption beside the title bar's buttons";
}

TEST_F(QtWindowTest, ALayeredWindowAppearsWithItsFirstPictureAtThePicturesSize) {
    const WindowHandle window = make_layered();
    QWidget* widget = qt::widget_of(window);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isWindow());
    EXPECT_TRUE(widget->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(widget->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(widget->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(widget->pos(), QPoint(162, 109));
    EXPECT_FALSE(widget->isVisible()) << "nothing to show before the first picture";

    Canvas* canvas = canvas_create(700, 550);
    Graphics* graphics = graphics_create(canvas);
    fill_rectangle(graphics, 0xFF2532D5, 10, 10, 20, 20);
    graphics_delete(graphics);
    update_layered_window(window, canvas, {120, 60}, {0, 0}, {});
    canvas_delete(canvas);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->size(), QSize(120, 60));
    const QImage shown = widget->grab().toImage();
    EXPECT_EQ(shown.pixel(15, 15), 0xFF2532D5u);
    EXPECT_EQ(qAlpha(shown.pixel(50, 50)), 0) << "transparent where nothing was drawn";
}

TEST_F(QtWindowTest, QtMouseAndKeyInputIsPostedWithClientPositionsAndCharacters) {
    const WindowHandle window = make_layered();
    Canvas* canvas = canvas_create(700, 550);
    update_layered_window(window, canvas, {700, 550}, {0, 0}, {});
    canvas_delete(canvas);
    QWidget* widget = qt::widget_of(window);
    QTest::mouseMove(widget, QPoint(100, 40));
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(101, 41));
    QTest::keyClick(widget, Qt::Key_Escape);
    drain();
    std::vector<Message> got;
    for (const Message& message : seen()) {
        if (message.message == msg::mouse_move || message.message == msg::lbutton_down ||
            message.message == msg::key_down || message.message == msg::character) {
            got.push_back(message);
        }
    }
    ASSERT_GE(got.size(), 4u);
    const Message& press = got[got.size() - 3];
    EXPECT_EQ(press.message, msg::lbutton_down);
    EXPECT_EQ(point_from_lparam(press.lparam), (Point{101, 41}));
    EXPECT_EQ(got[got.size() - 2].message, msg::key_down);
    EXPECT_EQ(got[got.size() - 2].wparam, vk::escape);
    EXPECT_EQ(got.back().message, msg::character);
    EXPECT_EQ(got.back().wparam, 27u);
}

TEST_F(QtWindowTest, DialogControlsAreQtWidgetsThatPostTheirCommandsAndKeys) {
    const WindowHandle dialog = create_window({.class_name = "Seeing",
                                               .text = u"Vormelin",
                                               .style = style::caption | style::visible,
                                               .width = 300,
                                               .height = 130});
    const WindowHandle edit = create_window({.class_name = "EDIT",
                                             .style = style::child | style::visible,
                                             .x = 10,
                                             .y = 32,
                                             .width = 275,
                                             .height = 21,
                                             .parent = dialog,
                                             .control_id = 10});
    const WindowHandle button = create_window({.class_name = "BUTTON",
                                               .text = u"OK",
                                               .style = style::child | style::visible,
                                               .x = 110,
                                               .y = 67,
                                               .width = 80,
                                               .height = 25,
                                               .parent = dialog,
                                               .control_id = 1000});
    auto* line_edit = qobject_cast<QLineEdit*>(qt::widget_of(edit));
    auto* push_button = qobject_cast<QPushButton*>(qt::widget_of(button));
    ASSERT_NE(line_edit, nullptr);
    ASSERT_NE(push_button, nullptr);
    EXPECT_EQ(line_edit->geometry(), QRect(10, 32, 275, 21));

    set_window_text(edit, u"Anne");
    set_edit_selection(edit, 4, 4);
    EXPECT_EQ(line_edit->cursorPosition(), 4);
    EXPECT_FALSE(line_edit->hasSelectedText());
    QTest::keyClicks(line_edit, QStringLiteral("-Zo"));
    line_edit->insert(QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(window_text(edit), u"Anne-Zo\u00e9") << "what the player types, as typed";

    QTest::keyClick(line_edit, Qt::Key_Return);
    push_button->click();
    drain();
    bool enter_seen = false;
    bool command_seen = false;
    for (const Message& message : seen()) {
        enter_seen |= message.message == msg::key_down && message.wparam == vk::enter;
        command_seen |=
            message.window == dialog && message.message == msg::command && message.wparam == 1000;
    }
    EXPECT_TRUE(command_seen) << "the button's click reaches the dialog";
    EXPECT_FALSE(enter_seen) << "Enter goes to the queue, for the edit field, not the dialog";
}

TEST_F(QtWindowTest, AnOwnedWindowIsADialogOfItsOwnerAndSharesItsLayer) {
    const WindowHandle main = make_layered();
    const WindowSpec dialog_spec{.class_name = "Seeing",
                                 .text = u"Vormelin",
                                 .style = style::visible | style::caption,
                                 .x = 362,
                                 .y = 319,
                                 .width = 300,
                                 .height = 130,
                                 .parent = main};
    const WindowHandle dialog = create_window(dialog_spec);
    QWidget* widget = qt::widget_of(dialog);
    ASSERT_NE(widget, nullptr);
    // The window manager hears of the owner (transient-for) only for a dialog.
    EXPECT_EQ(widget->windowType(), Qt::Dialog);
    EXPECT_EQ(widget->windowHandle()->transientParent(), qt::widget_of(main)->windowHandle());
    EXPECT_TRUE(widget->windowFlags() & Qt::WindowStaysOnTopHint) << "its owner stays on top";

    // Came while another program was in front: no owner, and still above the game.
    WindowSpec unowned_spec = dialog_spec;
    unowned_spec.parent = 0;
    QWidget* unowned = qt::widget_of(create_window(unowned_spec));
    EXPECT_EQ(unowned->windowType(), Qt::Window);
    EXPECT_TRUE(unowned->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(QtWindowTest, TheWindowAskedForIsInFrontAtOnceAndItsOwnerTakesOverWhenItGoes) {
    const WindowHandle main = make_layered();
    const WindowHandle dialog = create_window({.class_name = "Seeing",
                                               .style = style::visible | style::caption,
                                               .width = 300,
                                               .height = 130,
                                               .parent = main});
    drain();
    ASSERT_TRUE(set_foreground_window(dialog));
    // The window system answers later; the dialog is in front meanwhile.
    EXPECT_EQ(foreground_window(), dialog);
    drain();
    EXPECT_EQ(foreground_window(), dialog);

    destroy_window(dialog);
    EXPECT_EQ(foreground_window(), main) << "the owner takes the keyboard back";
}

TEST(QtShape, AWindowWithoutCompositingKeepsThePixelsAtLeastHalfOpaque) {
    // Rows longer than a byte's eight pixels, with a part that starts off the picture's edge.
    const int alphas[] = {0, 127, 128, 255, 1, 200, 0, 129, 64, 255, 127, 128, 90};
    const int count = static_cast<int>(std::size(alphas));
    QImage picture(count + 3, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    for (int x = 0; x < count; ++x) {
        picture.setPixel(x + 3, 1, qRgba(0, 0, 0, alphas[x]));
    }
    const QImage mask = qt::opaque_part(picture, QRect(3, 1, count, 1));
    ASSERT_EQ(mask.size(), QSize(count, 1));
    const QRgb shown = QColor(Qt::color1).rgba();
    for (int x = 0; x < count; ++x) {
        EXPECT_EQ(mask.pixel(x, 0) == shown, alphas[x] >= 128) << "alpha " << alphas[x];
    }
    EXPECT_TRUE(qt::same_bits(mask, qt::opaque_part(picture, QRect(3, 1, count, 1))));
    EXPECT_FALSE(qt::same_bits(mask, qt::opaque_part(picture, QRect(2, 1, count, 1))));
}

TEST_F(QtWindowTest, TimersFireOnTheRealClockAndQuitEndsTheLoop) {
    const WindowHandle window = make_layered();
    set_timer(window, 4, 20, nullptr);
    const std::uint32_t start = tick_count();
    Message message;
    int ticks = 0;
    while (ticks < 3 && get_message(message)) {
        ticks += message.message == msg::timer && message.wparam == 4;
        dispatch_message(message);
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(tick_count() - start, 55u);
    kill_timer(window, 4);
    post_quit_message(5);
    while (get_message(message)) {
    }
    EXPECT_EQ(message.wparam, 5u);
}

TEST(QtKeys, KeysAndCharactersOfThePlayer) {
    EXPECT_EQ(qt::virtual_key_of(Qt::Key_Escape), vk::escape);
    EXPECT_EQ(qt::virtual_key_of(Qt::Key_Enter), vk::enter);
    EXPECT_EQ(qt::virtual_key_of(Qt::Key_A), static_cast<std::uint32_t>('A'));
    EXPECT_EQ(qt::virtual_key_of(Qt::Key_F2), 113u);
    EXPECT_EQ(qt::character_of(QStringLiteral("\x1b")), 27);
    EXPECT_EQ(qt::character_of(QString::fromUtf8("\xC3\xA9")), 0xE9);
    EXPECT_EQ(qt::character_of(QString::fromUtf8("\xE2\x82\xAC")), 0) << "beyond Latin-1";
}

}  // namespace
}  // namespace platform
