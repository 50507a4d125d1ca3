// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the benchmark measures against: a bare Qt Widgets program of the program's size, one
// window of about 300 child widgets, painted once. It prints nothing and waits to be ended, so
// the benchmark can time its first paint and read its memory the same way as the program's.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(795, 592);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xC0, 0xFF));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    for (int i = 0; i < 300; ++i) {
        QWidget* child = i % 10 == 0
                             ? static_cast<QWidget*>(new QPushButton(QStringLiteral("%1").arg(i), &window))
                             : new QLabel(QStringLiteral("%1").arg(i), &window);
        child->setGeometry(20 + (i % 20) * 36, 60 + (i / 20) * 30, 34, 26);
    }
    window.move(window.screen()->availableGeometry().center() - QPoint(795 / 2, 592 / 2));
    window.show();
    return QApplication::exec();
}
