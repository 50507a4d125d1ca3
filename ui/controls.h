// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every control a window is built of; the one include the windows need for them. The drawn
// controls without input live here, the buttons and the controls without a widget beside it.

#include "ui/buttons.h"
#include "ui/colour.h"
#include "ui/control.h"
#include "ui/picture.h"
#include "ui/widgetless.h"

#include <QWidget>

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
    void setBackColor(Colour colour) { repaintWith(backColor_, colour); }
    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent);
    Colour ForeColor() const { return foreColor_; }
    void setForeColor(Colour colour) { repaintWith(foreColor_, colour); }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment) { repaintWith(alignment_, alignment); }
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered) { repaintWith(bordered_, bordered); }
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

// A container. Disabling it makes it and everything inside ignore mouse and keyboard, while
// every control keeps its look.
class Frame : public QWidget, public VisualControl
{
    Q_OBJECT
public:
    Frame(QWidget* container, const QString& name, int index = -1);

    Colour BackColor() const { return backColor_; }
    void setBackColor(Colour colour) { repaintWith(backColor_, colour); }
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered) { repaintWith(bordered_, bordered); }

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
    void setBackColor(Colour colour) { repaintWith(backColor_, colour); }

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
    void setShape(ShapeKind shape) { repaintWith(shape_, shape); }
    bool filled() const { return filled_; }
    Colour FillColor() const { return fillColor_; }
    void setFillColor(Colour colour); // also makes the shape filled
    Colour BorderColor() const { return borderColor_; }
    void setBorderColor(Colour colour) { repaintWith(borderColor_, colour); }
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

} // namespace ui
