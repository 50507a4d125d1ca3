// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/form_window.h"

#include "ui/form.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>

namespace ui {

ClientArea::ClientArea(Form& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName(QStringLiteral("client"));
    // It fills every pixel of its area: the window beneath need not be filled first, which on a
    // large scaled screen is a good part of a frame's work.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClientArea::setBackColor(Colour colour)
{
    backColor_ = colour;
    update();
}

void ClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backColor_.resolve(palette()));
}

void ClientArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    form_.handleResize();
}

FormWindow::FormWindow(Form& form, QSize innerPixels) : QWidget(nullptr), form_(form)
{
    setObjectName(form.name());
    setAttribute(Qt::WA_DeleteOnClose, false);
    client_ = new ClientArea(form, this);
    client_->setGeometry(0, 0, innerPixels.width(), innerPixels.height());
    resize(innerPixels);
}

QMenuBar* FormWindow::ensureMenuBar()
{
    if (!menuBar_) {
        const QSize inner = client_->size();
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        fitInner(inner);
    }
    return menuBar_;
}

int FormWindow::menuBarHeight() const
{
    return menuBar_ ? menuBar_->sizeHint().height() : 0;
}

void FormWindow::fitInner(QSize innerPixels)
{
    // The design size is the inner area: a menu bar comes on top of it.
    resize(innerPixels.width(), innerPixels.height() + menuBarHeight());
    placeChildren();
}

void FormWindow::placeChildren()
{
    const int top = menuBarHeight();
    if (menuBar_)
        menuBar_->setGeometry(0, 0, width(), top);
    // A minimised window has an inner area of 0 x 0; the resize puts every control at 0, 0.
    if (isMinimized())
        client_->setGeometry(0, top, 0, 0);
    else
        client_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void FormWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeChildren();
    form_.handleFrameChange();
}

void FormWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    form_.handleFrameChange();
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // Closing goes through the form's own unload; the form destroys the window itself.
    event->ignore();
    form_.handleCloseRequest();
}

void FormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        form_.handleActivated();
    if (event->type() == QEvent::WindowStateChange)
        placeChildren();
}

} // namespace ui
