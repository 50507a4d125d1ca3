// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/twips.h"

#include <QFont>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace ui {

enum class ControlKind {
    Label,
    CommandButton,
    OptionButton,
    Frame,
    PictureBox,
    Image,
    Shape,
    Timer,
    Menu,
    ComboBox,
    Line
};

// One entry of a window's control collection. Positions are in twips, relative to the control's
// container. Not every kind has every property: a timer has a place but no size, a menu entry
// has neither; callers ask before they read.
class Control
{
public:
    Control(ControlKind kind, QString name, int index);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    QString name() const { return name_; }
    int index() const { return index_; } // -1 when not part of a control array
    QString qualifiedName() const;       // "Option2(1)" or "Frame1"

    virtual bool hasPosition() const { return true; }
    virtual bool hasSize() const { return true; }
    virtual Twips Left() const { return {}; }
    virtual Twips Top() const { return {}; }
    virtual Twips Width() const { return {}; }
    virtual Twips Height() const { return {}; }
    virtual void Move(Twips left, Twips top, Twips width, Twips height);
    // The window is going away: no handler of it may run any more.
    virtual void detachHandlers() {}

private:
    ControlKind kind_;
    QString name_;
    int index_;
};

// Where a picture box is docked: a docked control keeps to its edge at full inner height and
// takes only its width from a move.
enum class Dock { None, Left, Right };

// A control that is a widget on screen. It keeps its twip rectangle as the truth and derives the
// pixel geometry from it, so scaling up and down never drifts.
class VisualControl : public Control
{
public:
    VisualControl(ControlKind kind, QWidget* self, QString name, int index);

    QWidget* widget() const { return self_; }

    Twips Left() const override;
    Twips Top() const override;
    Twips Width() const override;
    Twips Height() const override;
    void Move(Twips left, Twips top, Twips width, Twips height) override;
    void Move(const TwipRect& rect) { Move(rect.left, rect.top, rect.width, rect.height); }
    void setWidth(Twips width);
    TwipRect twipRect() const;

    // The control's own settings; they are changed through the widget's setVisible and setEnabled.
    bool Visible() const;
    bool Enabled() const;

    int TabIndex() const { return tabIndex_; }
    void setTabIndex(int tabIndex) { tabIndex_ = tabIndex; }

    Dock dock() const { return dock_; }
    void setDock(Dock dock);

    // Re-derives the pixel geometry, e.g. after the container changed size (docking).
    void updateGeometry();

    // The factor by which the program shrank the window to fit the screen, 1 at its design size:
    // the control's own font and picture shrink with it, so no text or picture is cut off.
    double fitScale() const { return fitScale_; }
    void setFitScale(double scale);

protected:
    // Sets a property the control is painted with, and has it painted anew.
    template <typename T> void repaintWith(T& property, const T& value)
    {
        property = value;
        paintAnew();
    }
    void paintAnew();

    // The least size on screen whatever the twip rectangle says (a picture's own size).
    virtual QSize minimumPixelSize() const { return {}; }

private:
    QWidget* self_;
    TwipRect twips_;
    Dock dock_ = Dock::None;
    int tabIndex_ = -1;
    double fitScale_ = 1.0;
    std::optional<QFont> designFont_; // the font the window gave, kept while it is shrunk
    QSize designBox_;                 // and the box it was given for
};

} // namespace ui
