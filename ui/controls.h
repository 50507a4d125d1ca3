// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"
#include "ui/control.h"
#include "ui/picture.h"

#include <QAbstractButton>
#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QAction;

namespace ui {

enum class Alignment { Left, Right, Center };

// A label: text in a box, opaque or transparent, optionally with a single-line border.
class Label : public QWidget, public VisualControl
{
    Q_OBJECT
public:
    Label(QWidget* container, const QString& name, int index = -1);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour);
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    Colour ForeColor() const { return foreColor_; }
    void setForeColor(Colour colour);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered);
    void setToolTipText(const QString& text) { setToolTip(text); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    Colour backColor_ = Colour::buttonFace();
    Colour foreColor_ = Colour::windowText();
    Alignment alignment_ = Alignment::Left;
    bool transparent_ = false;
    bool bordered_ = false;
};

// How a button face is drawn: by the desktop style, or flat in the button's own colour so no
// gradient of the style shifts the colour the child sees.
enum class ButtonStyle { Standard, Graphical };

class CommandButton : public QAbstractButton, public VisualControl
{
    Q_OBJECT
public:
    CommandButton(QWidget* container, const QString& name, int index = -1);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    ButtonStyle style() const { return style_; }
    void setStyle(ButtonStyle style);
    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour);
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    void detachHandlers() override { Click = nullptr; }

    std::function<void()> Click;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QSize sizeHint() const override { return size(); }

private:
    ButtonStyle style_ = ButtonStyle::Standard;
    Colour backColor_ = Colour::buttonFace();
};

// An option button drawn as a graphical toggle: pressed in while selected. Its events carry the
// arguments the window's handlers may change: a KeyPress character set to 0 is discarded and a
// KeyDown key code set to 0 is consumed (the button's default handling of that key is skipped).
class OptionButton : public QAbstractButton, public VisualControl
{
    Q_OBJECT
public:
    OptionButton(QWidget* container, const QString& name, int index = -1);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    bool Value() const { return value_; }
    void setValue(bool value);
    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour);
    Colour ForeColor() const { return foreColor_; }
    void setForeColor(Colour colour);
    ui::Picture Picture() const { return picture_; }
    void setPicture(const ui::Picture& picture);
    void SetFocus();
    void detachHandlers() override;

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> Click;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyCode, int shift)> KeyUp;
    std::function<void(int button, int shift, Twips x, Twips y)> MouseDown;
    std::function<void(int button, int shift, Twips x, Twips y)> MouseUp;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QSize sizeHint() const override { return size(); }

private:
    void handlePress(QMouseEvent& event);
    void handleRelease(QMouseEvent& event);

    bool value_ = false;
    bool pressed_ = false;
    Colour backColor_ = Colour::buttonFace();
    Colour foreColor_ = Colour::buttonText();
    ui::Picture picture_;
};

// A container. Disabling it makes it and everything inside ignore mouse and keyboard, while
// every control keeps its look.
class Frame : public QWidget, public VisualControl
{
    Q_OBJECT
public:
    Frame(QWidget* container, const QString& name, int index = -1);

    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour);
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Colour backColor_ = Colour::buttonFace();
    bool bordered_ = true;
};

// A plain panel in its own colour, usually docked to an edge. It takes the mouse presses that
// land on it, so nothing behind it can be reached through it.
class PictureBox : public QWidget, public VisualControl
{
    Q_OBJECT
public:
    PictureBox(QWidget* container, const QString& name, int index = -1);

    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Colour backColor_ = Colour::buttonFace();
};

// Shows a picture at its own size from its top-left corner; never stretched.
class Image : public QWidget, public VisualControl
{
    Q_OBJECT
public:
    Image(QWidget* container, const QString& name, int index = -1);

    ui::Picture Picture() const { return picture_; }
    void setPicture(const ui::Picture& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A picture is shown whole at its own size, even where it is larger than its slot.
    QSize minimumPixelSize() const override { return picture_.scaled(fitScale()).size(); }

private:
    ui::Picture picture_;
};

enum class ShapeKind { Rectangle, RoundedRectangle, Circle };

class Shape : public QWidget, public VisualControl
{
    Q_OBJECT
public:
    Shape(QWidget* container, const QString& name, int index = -1);

    ShapeKind shape() const { return shape_; }
    void setShape(ShapeKind shape);
    bool filled() const { return filled_; }
    Colour FillColor() const { return fillColor_; }
    void setFillColor(Colour colour); // also makes the shape filled
    Colour BorderColor() const { return borderColor_; }
    void setBorderColor(Colour colour);
    int BorderWidth() const { return borderWidth_; } // pixels; 0 means no outline
    void setBorderWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ShapeKind shape_ = ShapeKind::Rectangle;
    bool filled_ = false;
    Colour fillColor_ = Colour::windowBackground();
    Colour borderColor_ = Colour::windowText();
    int borderWidth_ = 1;
};

// A periodic timer. It has a place in the window (where it was dropped) but no size, and is never
// laid out. The ticks use a precise timer so an animation keeps the rate it asks for.
class Timer : public QObject, public Control
{
    Q_OBJECT
public:
    Timer(QObject* owner, const QString& name, Twips left, Twips top);

    bool hasSize() const override { return false; }
    Twips Left() const override { return left_; }
    Twips Top() const override { return top_; }

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isTicking() const { return timer_.isActive(); }
    void detachHandlers() override;

    std::function<void()> Tick;

private:
    QTimer timer_;
    Twips left_;
    Twips top_;
    int interval_ = 0;
    bool enabled_ = false;
};

// An entry of the window's menu: it has neither place nor size.
class MenuEntry : public Control
{
public:
    MenuEntry(QAction* action, const QString& name, int index = -1);

    bool hasPosition() const override { return false; }
    bool hasSize() const override { return false; }
    QAction* action() const { return action_; }
    QString Caption() const;

private:
    QPointer<QAction> action_;
};

} // namespace ui
