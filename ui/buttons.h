// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"
#include "ui/control.h"
#include "ui/picture.h"

#include <QAbstractButton>
#include <functional>

namespace ui {

// How a button face is drawn: by the desktop style, or flat in the button's own colour so no
// gradient of the style shifts the colour the child sees.
enum class ButtonStyle { Standard, Graphical };

// What the command and option buttons share: the highlight of scanning, which a child on one
// switch follows. It is drawn over the button's own face and focus look, only while scanning.
class Button : public QAbstractButton, public VisualControl
{
    Q_OBJECT
public:
    Button(QWidget* container, ControlKind kind, const QString& name, int index);

    bool scanHighlighted() const { return scanHighlighted_; }
    void setScanHighlighted(bool on) { repaintWith(scanHighlighted_, on); }

protected:
    // Thick bands, black outside and yellow inside, so one of them stands out on any face.
    void drawScanHighlight(QPainter& painter) const;
    // What the highlight leaves of the face.
    QRect insideScanHighlight() const;
    // Each band's width: in proportion to the button, so it reads from across the room on a
    // board as on a laptop.
    virtual int scanBand() const;

private:
    bool scanHighlighted_ = false;
};

class CommandButton : public Button
{
    Q_OBJECT
public:
    CommandButton(QWidget* container, const QString& name, int index = -1);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    ButtonStyle style() const { return style_; }
    void setStyle(ButtonStyle style) { repaintWith(style_, style); }
    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour) { repaintWith(backColor_, colour); }
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
class OptionButton : public Button
{
    Q_OBJECT
public:
    OptionButton(QWidget* container, const QString& name, int index = -1);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    bool Value() const { return value_; }
    void setValue(bool value);
    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour) { repaintWith(backColor_, colour); }
    Colour ForeColor() const { return foreColor_; }
    void setForeColor(Colour colour) { repaintWith(foreColor_, colour); }
    ui::Picture Picture() const { return picture_; }
    void setPicture(const ui::Picture& picture) { repaintWith(picture_, picture); }
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

// The way out of a window for a child on one switch, made only while scanning: it lies over the
// whole inner area, lets every press through to the controls beneath, and shows only when lit, as
// a frame round the window. Pressed, it closes the window as the window manager's close does.
class WayBack final : public Button
{
    Q_OBJECT
public:
    explicit WayBack(QWidget* client);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    int scanBand() const override;
};

} // namespace ui
