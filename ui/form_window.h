// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/colour.h"

#include <QWidget>

class QMenuBar;

namespace ui {

class Form;

// The inner area of a window: the container of its controls, in the window's colour.
class ClientArea : public QWidget
{
    Q_OBJECT
public:
    ClientArea(Form& form, QWidget* parent);

    Colour backColor() const { return backColor_; }
    void setBackColor(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Form& form_;
    Colour backColor_ = Colour::buttonFace();
};

// The top-level window of a Form: an optional menu bar above the inner area.
class FormWindow : public QWidget
{
    Q_OBJECT
public:
    FormWindow(Form& form, QSize innerPixels);

    ClientArea* client() const { return client_; }
    QMenuBar* menuBar() const { return menuBar_; }
    QMenuBar* ensureMenuBar();
    int menuBarHeight() const;
    // Sizes the window so that its inner area has the given size, below any menu bar.
    void fitInner(QSize innerPixels);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeChildren();

    Form& form_;
    ClientArea* client_;
    QMenuBar* menuBar_ = nullptr;
};

} // namespace ui
