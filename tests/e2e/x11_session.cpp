// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11_session.h"

#include "child_process.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace e2e {

namespace {

constexpr int firstDisplay = 90;
constexpr int displaysToTry = 100;
constexpr int serverAttempts = 10;
constexpr int serverStartTimeoutMs = 10000;

QString lockFilePath(int number)
{
    return QStringLiteral("/tmp/.X%1-lock").arg(number);
}

QString socketPath(int number)
{
    return QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
}

// xdotool matches titles as POSIX extended regular expressions.
QString escapeForPosixRegex(const QString& text)
{
    static const QString special = QStringLiteral(R"(\.[]{}()*+?^$|)");
    QString escaped;
    escaped.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (special.contains(c))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

} // namespace

X11Session::X11Session(QSize screenSize, bool resetWithoutClients)
    : m_screenSize(screenSize), m_resetWithoutClients(resetWithoutClients)
{
    if (!missingTools().isEmpty()) {
        m_lastError = QStringLiteral("missing tools: %1").arg(missingTools().join(QStringLiteral(", ")));
        return;
    }
    startServer();
}

X11Session::~X11Session()
{
    stopProgram();
    if (m_windowManager)
        endProcess(*m_windowManager, 3000);
    stopServer();
}

bool X11Session::startWindowManager()
{
    if (!ok())
        return fail(m_lastError, QStringLiteral("no X server for a window manager"));
    if (!missingWindowManagerTools().isEmpty())
        return fail(m_lastError,
                    QStringLiteral("needs %1").arg(missingWindowManagerTools().join(QStringLiteral(", "))));
    // No animation of minimising and restoring: a restored window is there at once, as a test
    // looking at it right away needs. Everything else is openbox's default.
    m_windowManagerConfig = std::make_unique<QTemporaryDir>();
    const QString config = m_windowManagerConfig->filePath(QStringLiteral("rc.xml"));
    if (!writeFile(config,
                   "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><theme>"
                   "<animateIconify>no</animateIconify></theme></openbox_config>\n",
                   m_lastError))
        return false;
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    m_windowManager = std::make_unique<QProcess>();
    m_windowManager->setProcessEnvironment(toolEnvironment());
    m_windowManager->setProcessChannelMode(QProcess::MergedChannels);
    if (!startChild(*m_windowManager, openbox, words("--sm-disable --config-file") << config, m_lastError))
        return false;
    // The window manager is ready once it answers for itself.
    if (waitUntil([this] { return runTool(QStringLiteral("wmctrl"), {QStringLiteral("-m")}, nullptr, 2000); },
                  10000, m_windowManager.get()))
        return true;
    return fail(m_lastError, QStringLiteral("openbox did not come up: %1")
                                 .arg(QString::fromLocal8Bit(m_windowManager->readAll()).trimmed()));
}

bool X11Session::setKeyboardLayout(const QString& layout)
{
    return runTool(QStringLiteral("setxkbmap"), {QStringLiteral("-display"), m_display, layout});
}

QString X11Session::activeWindow()
{
    QString id;
    if (!runXdotool({QStringLiteral("getactivewindow")}, &id))
        return {};
    return id.trimmed();
}

QMargins X11Session::frameExtents(const QString& windowId)
{
    QByteArray output;
    if (!runTool(QStringLiteral("xprop"),
                 {QStringLiteral("-id"), windowId, QStringLiteral("_NET_FRAME_EXTENTS")}, &output, 5000))
        return {};
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom", or "not found." without a frame.
    const qsizetype eq = output.indexOf('=');
    if (eq < 0)
        return {};
    const QList<QByteArray> parts = output.mid(eq + 1).trimmed().split(',');
    if (parts.size() != 4)
        return {};
    return {parts[0].trimmed().toInt(), parts[2].trimmed().toInt(), parts[1].trimmed().toInt(),
            parts[3].trimmed().toInt()};
}

bool X11Session::closeWithWindowManager(const QString& windowId)
{
    return runTool(QStringLiteral("wmctrl"), words("-i -c") << windowId, nullptr, 5000);
}

bool X11Session::minimise(const QString& windowId)
{
    return runXdotool({QStringLiteral("windowminimize"), windowId});
}

bool X11Session::restore(const QString& windowId)
{
    // Activating an iconified window is how a taskbar gives it back.
    return runTool(QStringLiteral("wmctrl"), words("-i -a") << windowId, nullptr, 5000);
}

QStringList X11Session::missingTools()
{
    return missingPrograms({"Xvfb", "xdotool", "xwininfo"});
}

QStringList X11Session::missingWindowManagerTools()
{
    return missingPrograms({"openbox", "wmctrl", "xprop"});
}

QProcessEnvironment X11Session::toolEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Scaling would move the program's controls away from the pixel positions tests click on; a
    // desktop's theme or style would make it look different than in CI.
    for (const auto* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
          "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI",
          "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"}) {
        env.remove(QString::fromLatin1(name));
    }
    // A desktop's own bus is not the session's, and with none libdbus would autolaunch one that
    // outlives the test: by default a program here finds no bus at all.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(noBusAddress));
    env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    return env;
}

QProcessEnvironment X11Session::environment() const
{
    QProcessEnvironment env = toolEnvironment();
    if (m_scaleFactor)
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(*m_scaleFactor));
    const QStringList extraKeys = m_extraEnvironment.keys();
    for (const QString& name : extraKeys)
        env.insert(name, m_extraEnvironment.value(name));
    return env;
}

bool X11Session::startServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QStringList failures;
    for (int number = firstDisplay; number < firstDisplay + displaysToTry && failures.size() < serverAttempts;
         ++number) {
        if (QFileInfo::exists(lockFilePath(number)) || QFileInfo::exists(socketPath(number)))
            continue;
        auto server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::MergedChannels);
        // -noreset keeps keymap and root window stable while short-lived xdotool clients come and go;
        // -dpi 96 makes Qt's scale exactly 1.
        QStringList args{QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0")};
        args << QStringLiteral("%1x%2x24").arg(m_screenSize.width()).arg(m_screenSize.height())
             << words("-nolisten tcp -dpi 96");
        if (!m_resetWithoutClients)
            args << QStringLiteral("-noreset");
        if (!startChild(*server, xvfb, args, m_lastError))
            return false;
        m_server = std::move(server);
        m_display = QStringLiteral(":%1").arg(number);

        // Another test may have picked the same number at the same moment; the lock file tells
        // whose server it is.
        const QDeadlineTimer deadline(serverStartTimeoutMs);
        if (waitUntil([this, number] { return serverIsOurs(number); }, serverStartTimeoutMs,
                      m_server.get()) &&
            waitUntilServerAnswers(static_cast<int>(deadline.remainingTime())))
            return true;
        failures << QStringLiteral("%1: %2").arg(m_display,
                                                 QString::fromLocal8Bit(m_server->readAll()).trimmed());
        stopServer();
    }
    return fail(m_lastError, QStringLiteral("no Xvfb could be started on a free display from :%1 on\n%2")
                                 .arg(firstDisplay)
                                 .arg(failures.join(QLatin1Char('\n'))));
}

bool X11Session::serverIsOurs(int number) const
{
    QFile lock(lockFilePath(number));
    if (!lock.open(QIODevice::ReadOnly))
        return false;
    bool isNumber = false;
    const qint64 pid = lock.readAll().trimmed().toLongLong(&isNumber);
    return isNumber && pid == m_server->processId();
}

bool X11Session::waitUntilServerAnswers(int timeoutMs)
{
    const int number = m_display.mid(1).toInt();
    const bool haveXdpyinfo = missingPrograms({"xdpyinfo"}).isEmpty();
    return waitUntil(
        [&] {
            return QFileInfo::exists(socketPath(number)) &&
                   (haveXdpyinfo ? runTool(QStringLiteral("xdpyinfo"),
                                           {QStringLiteral("-display"), m_display}, nullptr, 5000)
                                 : runXdotool({QStringLiteral("getdisplaygeometry")}, nullptr, 5000));
        },
        timeoutMs, m_server.get());
}

void X11Session::stopServer()
{
    if (m_server) {
        endProcess(*m_server, 5000);
        m_server.reset();
    }
    m_display.clear();
}

bool X11Session::startProgram(const QString& path, const QStringList& args)
{
    if (!ok())
        return fail(m_lastError, QStringLiteral("no X server to start %1 on").arg(path));
    if (isRunning())
        return fail(
            m_lastError,
            QStringLiteral("%1 is still running; start %2 after it has ended").arg(m_programName, path));
    m_program = std::make_unique<QProcess>();
    m_programName = QFileInfo(path).fileName();
    m_programOutput.clear();
    m_pendingLine.clear();
    m_program->setProcessEnvironment(environment());
    m_program->setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(m_program.get(), &QProcess::readyReadStandardOutput, m_program.get(),
                     [this] { readProgramOutput(false); });
    return startChild(*m_program, path, args, m_lastError);
}

void X11Session::readProgramOutput(bool flush)
{
    const QByteArray data = m_program->readAllStandardOutput();
    m_programOutput += QString::fromLocal8Bit(data);
    // Whole lines only, so that each one becomes one message in the test log.
    m_pendingLine += data;
    if (flush && !m_pendingLine.isEmpty() && !m_pendingLine.endsWith('\n'))
        m_pendingLine += '\n';
    qsizetype end = m_pendingLine.indexOf('\n');
    while (end >= 0) {
        qInfo().noquote() << m_programName + QStringLiteral(": ") +
                                 QString::fromLocal8Bit(m_pendingLine.left(end));
        m_pendingLine.remove(0, end + 1);
        end = m_pendingLine.indexOf('\n');
    }
}

bool X11Session::waitForExit(int timeoutMs, int* exitCode, QProcess::ExitStatus* exitStatus)
{
    if (!m_program)
        return fail(m_lastError, QStringLiteral("no program was started"));
    if (m_program->state() != QProcess::NotRunning && !m_program->waitForFinished(timeoutMs))
        return fail(m_lastError,
                    QStringLiteral("%1 did not end within %2 ms").arg(m_programName).arg(timeoutMs));
    readProgramOutput(true);
    if (exitCode != nullptr)
        *exitCode = m_program->exitCode();
    if (exitStatus != nullptr)
        *exitStatus = m_program->exitStatus();
    return true;
}

void X11Session::stopProgram()
{
    if (m_program) {
        endProcess(*m_program, 3000);
        readProgramOutput(true);
        m_program.reset();
    }
}

QString X11Session::waitForWindow(const QString& title, int timeoutMs)
{
    const QString pattern = QLatin1Char('^') + escapeForPosixRegex(title) + QLatin1Char('$');
    QString found;
    // `search --sync` would block forever; polling keeps the time limit ours. xdotool ignores case
    // when matching, so each candidate's title is compared once more.
    const auto search = [&] {
        QString ids;
        if (!runXdotool(words("search --onlyvisible --name") << pattern, &ids, 5000))
            return false;
        const QStringList candidates = ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& id : candidates) {
            QString name;
            if (runXdotool({QStringLiteral("getwindowname"), id}, &name, 5000) &&
                name.chopped(name.endsWith(QLatin1Char('\n')) ? 1 : 0) == title)
                found = id.trimmed();
        }
        return !found.isEmpty();
    };
    if (waitUntil(search, timeoutMs, m_program.get(), 100)) {
        // As a window manager would; without it keys reach only the window under the pointer, and
        // Qt, seeing no active window, ignores shortcuts.
        focusWindow(found);
        return found;
    }
    m_lastError = m_program && !isRunning()
                      ? QStringLiteral("%1 ended before a window \"%2\" appeared").arg(m_programName, title)
                      : QStringLiteral("no visible window \"%1\" within %2 ms").arg(title).arg(timeoutMs);
    return {};
}

QRect X11Session::windowGeometry(const QString& windowId)
{
    // xwininfo's absolute corner is the window's own, also inside a window manager's frame.
    QByteArray bytes;
    if (!runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId}, &bytes, 5000))
        return {};
    const QString output = QString::fromUtf8(bytes);
    const auto field = [&output](const QString& name) {
        const QRegularExpression re(QRegularExpression::escape(name) + QStringLiteral(":\\s*(-?\\d+)"));
        const QRegularExpressionMatch m = re.match(output);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    const int width = field(QStringLiteral("Width"));
    const int height = field(QStringLiteral("Height"));
    if (width < 0 || height < 0) {
        m_lastError = QStringLiteral("unexpected xwininfo output: %1").arg(output);
        return {};
    }
    return {field(QStringLiteral("Absolute upper-left X")), field(QStringLiteral("Absolute upper-left Y")),
            width, height};
}

bool X11Session::focusWindow(const QString& windowId)
{
    return runXdotool({QStringLiteral("windowfocus"), windowId});
}

QImage X11Session::screenshot()
{
    if (!ok()) {
        m_lastError = QStringLiteral("no X server to take a screenshot of");
        return {};
    }
    const QString grabber = qEnvironmentVariable("ZANFILO_SCREEN_GRAB");
    if (grabber.isEmpty()) {
        m_lastError = QStringLiteral("ZANFILO_SCREEN_GRAB does not name the screen grab tool");
        return {};
    }
    QByteArray png;
    if (!runTool(grabber, {}, &png, 20000))
        return {};
    QImage image = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        m_lastError = QStringLiteral("the screen grab gave no image");
    return image;
}

QImage X11Session::screenshot(const QRect& area)
{
    const QImage screen = screenshot();
    return screen.isNull() ? QImage() : screen.copy(area);
}

// Without --sync: xdotool's --sync waits for the pointer to move and so never returns when it
// already stands at the target, as on a second click at the same place. The pointer warp is done
// by the server before the following button event either way.
static QStringList moveTo(QPoint screenPos)
{
    return {QStringLiteral("mousemove"), QString::number(screenPos.x()), QString::number(screenPos.y())};
}

bool X11Session::mouseClick(QPoint screenPos, int button)
{
    return runXdotool(moveTo(screenPos) << QStringLiteral("click") << QString::number(button));
}

bool X11Session::key(const QString& keysym)
{
    return runXdotool({QStringLiteral("key"), keysym});
}

bool X11Session::keys(const QStringList& keysyms, int pauseMs)
{
    for (const QString& keysym : keysyms) {
        if (!key(keysym))
            return false;
        settle(pauseMs);
    }
    return true;
}

bool X11Session::savePng(const QImage& image, const QString& name)
{
    const QString configured = qEnvironmentVariable("ZANFILO_E2E_ARTIFACTS");
    const QString folder =
        configured.isEmpty() ? QDir::tempPath() + QStringLiteral("/zanfilo-e2e") : configured;
    if (!QDir().mkpath(folder)) {
        qWarning().noquote() << "could not create" << folder;
        return false;
    }
    QString fileName = name;
    if (!fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".png");
    const QString path = QDir(folder).absoluteFilePath(fileName);
    if (image.isNull() || !image.save(path, "PNG")) {
        qWarning().noquote() << "could not save" << path;
        return false;
    }
    qInfo().noquote() << "screenshot saved:" << path;
    return true;
}

bool X11Session::runXdotool(const QStringList& args, QString* output, int timeoutMs)
{
    QByteArray bytes;
    const bool done = runTool(QStringLiteral("xdotool"), args, &bytes, timeoutMs);
    if (output != nullptr)
        *output = QString::fromUtf8(bytes);
    return done;
}

bool X11Session::runTool(const QString& program, const QStringList& args, QByteArray* output, int timeoutMs)
{
    QProcess tool;
    tool.setProcessEnvironment(toolEnvironment());
    tool.start(program, args);
    return finishTool(tool, timeoutMs, output, m_lastError);
}

} // namespace e2e
