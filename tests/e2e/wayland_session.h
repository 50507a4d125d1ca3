// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A private Wayland desktop: sway on its headless backend, windows floating at the size they ask
// for, one keyboard (a virtual one, as a desktop always has one), a virtual mouse from the first
// click on, no X server. sway refuses to run as root, so when the test is root the compositor and
// every client of it run as "nobody". Screenshots with grim, keys with wtype, windows as swaymsg's
// tree tells them.

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace e2e {

class WaylandSession
{
public:
    struct Window
    {
        QString title;
        QString shell; // "xdg_shell", or "xwayland" for an X client
        QRect rect;    // on the screen, frame excluded (there is none)
        qint64 pid = 0;
        bool focused = false;
    };

    // Starts sway with one output of the given size; check ok() afterwards.
    explicit WaylandSession(QSize screenSize = QSize(1280, 1024));
    // Ends the keyboard and the compositor; the clients started with start() end with their QProcess.
    ~WaylandSession();

    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;
    WaylandSession(WaylandSession&&) = delete;
    WaylandSession& operator=(WaylandSession&&) = delete;

    // What a session needs and is not there (empty if all is): programs, Qt's wayland plugin.
    static QStringList missingTools();

    bool ok() const
    {
        return m_compositor && m_compositor->state() == QProcess::Running && !m_waylandDisplay.isEmpty();
    }
    QString lastError() const { return m_lastError; }

    // Starts a client of the compositor as the session's user, with nothing of the test's
    // environment but the path, the language and the sanitizers' options: no X display, no
    // session bus. A program that user cannot reach where it lies runs from a copy.
    bool start(QProcess& process, const QString& program, const QStringList& args = {});
    // Runs a client to its end; its standard output goes to `output`.
    bool run(const QString& program, const QStringList& args, QByteArray* output = nullptr,
             int timeoutMs = 10000);

    QList<Window> windows();
    std::optional<Window> waitForWindow(const QString& title, int timeoutMs);
    // xkb key names ("Return", "3", "Escape") typed to the focused window, a pause after each.
    bool type(const QStringList& keys, int pauseMs = 150);
    // A click of the left button at a point of the output, with the virtual mouse that
    // `pointerProgram` (zanfilo_wayland_pointer) adds to the seat at the first click.
    bool click(const QString& pointerProgram, QPoint at);
    // The whole output; null on failure.
    QImage screenshot();

private:
    QProcessEnvironment environment() const;
    void launch(QProcess& process, const QString& program, const QStringList& args,
                const QProcessEnvironment& env) const;
    bool startCompositor(QSize screenSize);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QProcess> m_compositor;
    std::unique_ptr<QProcess> m_keyboard;
    std::unique_ptr<QProcess> m_pointer;
    QStringList m_asUser;                // setpriv and its options, or empty when the test is not root
    QHash<QString, QString> m_reachable; // program -> the path it runs from
    QString m_waylandDisplay;
    QSize m_screenSize;
    QString m_lastError;
};

} // namespace e2e
