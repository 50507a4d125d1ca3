// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A private X server (Xvfb) for driving the real program with real X input (xdotool) and looking at
// what it draws (Qt's own grab of the screen). No window manager runs there unless a test starts
// one; without it windows have no frames and sit where the program puts them. Programs started
// here find no session bus unless a test gives them one.

#include <QByteArray>
#include <QImage>
#include <QMargins>
#include <QPoint>
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

class X11Session
{
public:
    // The bus address programs get by default: a socket that does not exist, so there is no bus
    // and nothing is autolaunched.
    static constexpr const char* noBusAddress = "unix:path=/nonexistent/zanfilo-e2e-no-bus";

    // Starts Xvfb with a screen of the given size on the first free display from :90 upward;
    // check ok() afterwards. The server keeps its state when its last client leaves, as xdotool's
    // short-lived clients come and go, unless resetWithoutClients: the benchmark's rows to the
    // painted frame keep Xvfb's own default, under which they have always run (with -noreset their
    // client lost its connection on maximising).
    explicit X11Session(QSize screenSize = QSize(1280, 1024), bool resetWithoutClients = false);
    // Stops the started program, then the window manager and the X server.
    ~X11Session();

    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;
    X11Session(X11Session&&) = delete;
    X11Session& operator=(X11Session&&) = delete;

    // The helper programs a session needs, missing from PATH (empty if all are there).
    static QStringList missingTools();
    // And those startWindowManager() and the window manager's moves need.
    static QStringList missingWindowManagerTools();

    bool ok() const { return m_server && m_server->state() == QProcess::Running && !m_display.isEmpty(); }
    // ":N", or empty if no server could be started.
    QString display() const { return m_display; }
    // Why the last thing that failed did fail (server start, program start, a tool run).
    QString lastError() const { return m_lastError; }

    // Environment for the program run inside the session: the test's own, aimed at this display
    // and the xcb platform, without inherited scaling variables, so coordinates are plain pixels,
    // and without a session bus; then the scale factor and variables the test set.
    QProcessEnvironment environment() const;
    // Opts back into a scale factor (QT_SCALE_FACTOR) for programs started afterwards.
    void setScaleFactor(double factor) { m_scaleFactor = factor; }
    // Extra variables for programs started afterwards.
    void setEnvironmentVariable(const QString& name, const QString& value)
    {
        m_extraEnvironment.insert(name, value);
    }

    // One program at a time; false if it could not be started (see lastError()).
    bool startProgram(const QString& path, const QStringList& args = {});
    bool isRunning() const { return m_program && m_program->state() != QProcess::NotRunning; }
    // Ends the started program, if any, so that another can start in the same session.
    void stopProgram();
    // True once the program has ended (also if it had ended before); the outputs tell how.
    bool waitForExit(int timeoutMs, int* exitCode = nullptr, QProcess::ExitStatus* exitStatus = nullptr);
    // Everything the program wrote to stdout and stderr so far.
    QString programOutput() const { return m_programOutput; }

    // Id of a viewable window whose title is exactly `title`, which then gets the input focus;
    // empty on timeout or if the program ended.
    QString waitForWindow(const QString& title, int timeoutMs);
    // Position on the screen and size of a window, frame excluded; an empty rectangle if unknown.
    QRect windowGeometry(const QString& windowId);
    // What the window manager draws around the window; none without one.
    QMargins frameExtents(const QString& windowId);

    // A real window manager (openbox) on this display, ended with the session.
    bool startWindowManager();
    bool hasWindowManager() const { return m_windowManager != nullptr; }
    // Closes, minimises and restores a window the way a window manager's buttons do.
    bool closeWithWindowManager(const QString& windowId);
    bool minimise(const QString& windowId);
    bool restore(const QString& windowId);
    // The window that has the input focus as the window manager sees it; empty if none.
    QString activeWindow();
    // An X keyboard layout for the display ("us", "fr"), as setxkbmap sets it.
    bool setKeyboardLayout(const QString& layout);
    // Gives the window the X input focus, which Qt takes as activation; without a window manager
    // nothing else does that.
    bool focusWindow(const QString& windowId);

    // The whole screen, or a part of it (parts outside the screen come out black); null on failure.
    QImage screenshot();
    QImage screenshot(const QRect& area);

    // Input, in screen coordinates and X button numbers (1 left, 2 middle, 3 right).
    bool mouseClick(QPoint screenPos, int button = 1);
    // X keysym names as xdotool knows them: "Escape", "Return", "a", "shift+a", "space".
    bool key(const QString& keysym);
    // One key after the other, a pause after each, as a child types; stops at one that fails.
    bool keys(const QStringList& keysyms, int pauseMs = 200);

    // Saves into $ZANFILO_E2E_ARTIFACTS, else <temp>/zanfilo-e2e/, and prints where (or why not).
    static bool savePng(const QImage& image, const QString& name);

private:
    // The environment of the tools (xdotool, the grab, the window manager): no scale, no bus.
    QProcessEnvironment toolEnvironment() const;
    bool startServer();
    bool serverIsOurs(int number) const;
    bool waitUntilServerAnswers(int timeoutMs);
    bool runXdotool(const QStringList& args, QString* output = nullptr, int timeoutMs = 10000);
    bool runTool(const QString& program, const QStringList& args, QByteArray* output = nullptr,
                 int timeoutMs = 10000);
    void stopServer();
    void readProgramOutput(bool flush);

    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_program;
    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<QTemporaryDir> m_windowManagerConfig;
    QSize m_screenSize;
    bool m_resetWithoutClients = false;
    QString m_display;
    QString m_programName;
    QString m_programOutput;
    QByteArray m_pendingLine;
    QString m_lastError;
    std::optional<double> m_scaleFactor;
    QProcessEnvironment m_extraEnvironment;
};

} // namespace e2e
