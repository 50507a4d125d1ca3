// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/test_support.h"

#include "ui/controls.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

// Text measured in the program's faces as it starts them, where no system maps them (Windows'
// offscreen platform reads only the font folder it is given).
namespace {
void useTheProgramsFaces()
{
    ui::installFontSubstitutions();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(useTheProgramsFaces)

namespace testing {

namespace {

QString textOf(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QStringLiteral("\r");
    if (key == Qt::Key_Space)
        return QStringLiteral(" ");
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(u'0' + (key - Qt::Key_0)));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const char16_t base = modifiers.testFlag(Qt::ShiftModifier) ? u'A' : u'a';
        return QString(QChar(static_cast<char16_t>(base + (key - Qt::Key_A))));
    }
    return {};
}

void sendKey(QWidget* window, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers,
             bool autoRepeat)
{
    QVERIFY(window && window->windowHandle());
    QKeyEvent event(type, key, modifiers, textOf(key, modifiers), autoRepeat);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}

} // namespace

void keyPress(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    sendKey(window, QEvent::KeyPress, key, modifiers, autoRepeat);
}

void keyRelease(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    sendKey(window, QEvent::KeyRelease, key, modifiers, autoRepeat);
}

void keyClick(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    keyPress(window, key, modifiers);
    keyRelease(window, key, modifiers);
}

static QPoint centreInWindow(QWidget* widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

void mousePress(QWidget* widget, Qt::MouseButton button)
{
    QTest::mousePress(widget->window()->windowHandle(), button, {}, centreInWindow(widget));
}

void mouseRelease(QWidget* widget, Qt::MouseButton button)
{
    QTest::mouseRelease(widget->window()->windowHandle(), button, {}, centreInWindow(widget));
}

void mouseClick(QWidget* widget, Qt::MouseButton button)
{
    const QPoint at = centreInWindow(widget);
    // The press may close the window (as "Esci" does): then there is nothing to release on.
    const QPointer<QWindow> window = widget->window()->windowHandle();
    QTest::mousePress(window, button, {}, at);
    if (window)
        QTest::mouseRelease(window, button, {}, at);
}

void doubleClick(QWidget* widget)
{
    // As the platform delivers one: a click, a press, the double click itself, a release.
    mouseClick(widget);
    mousePress(widget);
    const QPoint at = centreInWindow(widget);
    QWindow* window = widget->window()->windowHandle();
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, window->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &twice);
    mouseRelease(widget);
}

void tap(QWidget* widget)
{
    // A touch screen with no handler of its own: Qt turns the unhandled touch into a click.
    static QPointingDevice* const screen = QTest::createTouchDevice();
    const QPoint at = centreInWindow(widget);
    const QPointer<QWindow> window = widget->window()->windowHandle();
    QTest::touchEvent(window, screen).press(0, at);
    if (window)
        QTest::touchEvent(window, screen).release(0, at);
}

std::set<int> range(int low, int high)
{
    std::set<int> values;
    for (int v = low; v <= high; ++v)
        values.insert(v);
    return values;
}

QString focusName()
{
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("<none>");
}

QString hexOf(ui::Colour colour, const QWidget* w)
{
    const QString name = colour.resolve(w->palette()).name();
    return colour.isSystem() ? QStringLiteral("system ") + name : name;
}

QString backOf(const QWidget* w)
{
    if (auto* l = qobject_cast<const ui::Label*>(w))
        return hexOf(l->BackColor(), w);
    if (auto* o = qobject_cast<const ui::OptionButton*>(w))
        return hexOf(o->BackColor(), w);
    if (auto* f = qobject_cast<const ui::Frame*>(w))
        return hexOf(f->BackColor(), w);
    if (auto* p = qobject_cast<const ui::PictureBox*>(w))
        return hexOf(p->BackColor(), w);
    if (auto* s = qobject_cast<const ui::Shape*>(w))
        return s->filled() ? hexOf(s->FillColor(), w) : QStringLiteral("unfilled");
    if (auto* b = qobject_cast<const ui::CommandButton*>(w))
        return hexOf(b->BackColor(), w);
    return QStringLiteral("none");
}

QString foreOf(const QWidget* w)
{
    if (auto* l = qobject_cast<const ui::Label*>(w))
        return hexOf(l->ForeColor(), w);
    if (auto* o = qobject_cast<const ui::OptionButton*>(w))
        return hexOf(o->ForeColor(), w);
    if (auto* s = qobject_cast<const ui::Shape*>(w))
        return hexOf(s->BorderColor(), w);
    return QStringLiteral("none");
}

QString captionOf(const QWidget* w)
{
    if (auto* l = qobject_cast<const ui::Label*>(w))
        return l->Caption();
    if (auto* b = qobject_cast<const ui::CommandButton*>(w))
        return b->Caption();
    if (auto* o = qobject_cast<const ui::OptionButton*>(w))
        return o->Caption();
    return {};
}

} // namespace testing
