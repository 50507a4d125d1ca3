// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wayland_session.h"

#include "child_process.h"
#include "x11_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace e2e {

namespace {

constexpr int startTimeoutMs = 10000;
// The resident keyboard's one command: a pause longer than any run; it ends with the session.
constexpr auto keyboardPauseMs = "1000000";

// sway starts no program of its own (no X server, background or message bar); windows float at
// the size they ask for, centred, as on a stacking desktop, and have no border.
constexpr auto swayConfig = R"(xwayland disable
swaybg_command -
swaynag_command -
output HEADLESS-1 resolution %1x%2 position 0 0
default_border none
default_floating_border none
focus_follows_mouse no
for_window [shell=".*"] floating enable
)";

QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

void collectWindows(const QJsonObject& node, QList<WaylandSession::Window>& windows)
{
    // Containers of windows are the nodes with a client process.
    if (node.value(u"pid").toInteger() > 0) {
        const QJsonObject r = node.value(u"rect").toObject();
        windows.append({node.value(u"name").toString(), node.value(u"shell").toString(),
                        QRect(r.value(u"x").toInt(), r.value(u"y").toInt(), r.value(u"width").toInt(),
                              r.value(u"height").toInt()),
                        node.value(u"pid").toInteger(), node.value(u"focused").toBool()});
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        const QJsonArray nodes = node.value(QLatin1String(children)).toArray();
        for (const QJsonValue& child : nodes)
            collectWindows(child.toObject(), windows);
    }
}

} // namespace

WaylandSession::WaylandSession(QSize screenSize)
{
    const QStringList missing = missingTools();
    if (!missing.isEmpty()) {
        m_lastError = QStringLiteral("missing: %1").arg(missing.join(QStringLiteral(", ")));
        return;
    }
    m_screenSize = screenSize;
    startCompositor(screenSize);
}

WaylandSession::~WaylandSession()
{
    // The keyboard sleeps through a lost compositor, so it goes first and by itself.
    if (m_pointer)
        endProcess(*m_pointer, 1000);
    if (m_keyboard)
        endProcess(*m_keyboard, 1000);
    if (m_compositor)
        endProcess(*m_compositor, 3000);
}

QStringList WaylandSession::missingTools()
{
    QStringList missing = missingPrograms({"sway", "swaymsg", "grim", "wtype"});
    if (::geteuid() == 0)
        missing << missingPrograms({"setpriv"});
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    if (platforms.entryList({QStringLiteral("libqwayland-*")}, QDir::Files).isEmpty())
        missing << QStringLiteral("Qt's wayland platform plugin (qt6-wayland)");
    return missing;
}

QProcessEnvironment WaylandSession::environment() const
{
    QProcessEnvironment env;
    const QProcessEnvironment own = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"PATH", "LANG", "LC_ALL", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (own.contains(QString::fromLatin1(name)))
            env.insert(QString::fromLatin1(name), own.value(QString::fromLatin1(name)));
    }
    // Mesa and libwayland have no frame pointers: only the slow unwinder takes a leak's stack
    // through them to the library that the suppressions name.
    if (env.contains(QStringLiteral("ASAN_OPTIONS")))
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":fast_unwind_on_malloc=0"));
    if (!env.contains(QStringLiteral("PATH")))
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    const QString folder = m_folder->path();
    env.insert(QStringLiteral("HOME"), folder);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
    env.insert(QStringLiteral("SWAYSOCK"), folder + QStringLiteral("/sway.sock"));
    if (!m_waylandDisplay.isEmpty())
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_waylandDisplay);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(X11Session::noBusAddress));
    return env;
}

void WaylandSession::launch(QProcess& process, const QString& program, const QStringList& args,
                            const QProcessEnvironment& env) const
{
    process.setProcessEnvironment(env);
    // setpriv keeps the parent-death signal across the change of user, which would clear it.
    endWithParent(process);
    if (m_asUser.isEmpty())
        process.start(program, args);
    else
        process.start(m_asUser.first(), m_asUser.mid(1) + QStringList{QStringLiteral("--"), program} + args);
}

bool WaylandSession::startCompositor(QSize screenSize)
{
    m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zanfilo-wayland-XXXXXX"));
    if (!m_folder->isValid())
        return fail(m_lastError, QStringLiteral("no private folder: %1").arg(m_folder->errorString()));
    // The folder (mode 0700) is the user's runtime folder and home.
    if (::geteuid() == 0) {
        const passwd* user = ::getpwnam("nobody");
        if (user == nullptr ||
            ::chown(QFile::encodeName(m_folder->path()).constData(), user->pw_uid, user->pw_gid) != 0)
            return fail(m_lastError,
                        QStringLiteral("no user \"nobody\" to give %1 to").arg(m_folder->path()));
        m_asUser = QStringList{tool("setpriv"), QStringLiteral("--reuid=%1").arg(user->pw_uid),
                               QStringLiteral("--regid=%1").arg(user->pw_gid)} +
                   words("--clear-groups --pdeathsig keep");
    }
    const QString config = m_folder->filePath(QStringLiteral("sway.conf"));
    if (!writeFile(config,
                   QString::fromLatin1(swayConfig).arg(screenSize.width()).arg(screenSize.height()).toUtf8(),
                   m_lastError))
        return false;

    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    const QString log = m_folder->filePath(QStringLiteral("sway.log"));
    m_compositor = std::make_unique<QProcess>();
    m_compositor->setProcessChannelMode(QProcess::MergedChannels);
    m_compositor->setStandardOutputFile(log);
    launch(*m_compositor, tool("sway"), {QStringLiteral("-c"), config}, env);
    const QString swaymsg = tool("swaymsg");
    const QString ipcSocket = env.value(QStringLiteral("SWAYSOCK"));
    const auto answers = [&] {
        return QFileInfo::exists(ipcSocket) && run(swaymsg, words("-t get_version"));
    };
    const bool up = m_compositor->waitForStarted(startTimeoutMs) &&
                    waitUntil(answers, startTimeoutMs, m_compositor.get());
    const QStringList sockets = QDir(m_folder->path())
                                    .entryList({QStringLiteral("wayland-*")}, QDir::System)
                                    .filter(QRegularExpression(QStringLiteral("^wayland-\\d+$")));
    if (!up || sockets.isEmpty())
        return fail(m_lastError, QStringLiteral("sway did not come up: %1").arg(tail(log)));
    m_waylandDisplay = sockets.first();

    // Clients find the keyboard there from their start, as on any desktop.
    m_keyboard = std::make_unique<QProcess>();
    launch(*m_keyboard, tool("wtype"), {QStringLiteral("-s"), QString::fromLatin1(keyboardPauseMs)},
           environment());
    const auto haveKeyboard = [&] {
        QByteArray inputs;
        return run(swaymsg, words("-r -t get_inputs"), &inputs) && inputs.contains("\"keyboard\"");
    };
    if (!waitUntil(haveKeyboard, startTimeoutMs, m_compositor.get())) {
        m_lastError = QStringLiteral("no keyboard on the seat: %1").arg(m_lastError);
        m_waylandDisplay.clear();
        return false;
    }
    return true;
}

bool WaylandSession::start(QProcess& process, const QString& program, const QStringList& args)
{
    if (!ok())
        return fail(m_lastError, QStringLiteral("no compositor to start %1 on").arg(program));
    // A checkout in root's home is closed to the session's user: such a program runs from a copy.
    // Asked once per program, so that a timed start does not include the question.
    QString path = m_reachable.value(program);
    if (path.isEmpty()) {
        path = program;
        if (!m_asUser.isEmpty() && !run(tool("test"), {QStringLiteral("-x"), program})) {
            path = m_folder->filePath(QFileInfo(program).fileName());
            if (!QFile::copy(program, path) ||
                !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                 QFile::ReadOther | QFile::ExeOther))
                return fail(
                    m_lastError,
                    QStringLiteral("could not copy %1 where the session's user reaches it").arg(program));
        }
        m_reachable.insert(program, path);
    }
    launch(process, path, args, environment());
    if (!process.waitForStarted(startTimeoutMs))
        return fail(m_lastError,
                    QStringLiteral("could not start %1: %2").arg(program, process.errorString()));
    return true;
}

bool WaylandSession::run(const QString& program, const QStringList& args, QByteArray* output, int timeoutMs)
{
    QProcess process;
    launch(process, program, args, environment());
    return finishTool(process, timeoutMs, output, m_lastError);
}

QList<WaylandSession::Window> WaylandSession::windows()
{
    QList<Window> found;
    QByteArray tree;
    if (run(tool("swaymsg"), words("-r -t get_tree"), &tree))
        collectWindows(QJsonDocument::fromJson(tree).object(), found);
    return found;
}

std::optional<WaylandSession::Window> WaylandSession::waitForWindow(const QString& title, int timeoutMs)
{
    std::optional<Window> window;
    waitUntil(
        [&] {
            const QList<Window> all = windows();
            for (const Window& w : all) {
                if (w.title == title)
                    window = w;
            }
            return window.has_value();
        },
        timeoutMs, m_compositor.get());
    if (!window)
        m_lastError = QStringLiteral("no window \"%1\" within %2 ms").arg(title).arg(timeoutMs);
    return window;
}

bool WaylandSession::type(const QStringList& keys, int pauseMs)
{
    QStringList args;
    for (const QString& key : keys)
        args << QStringLiteral("-k") << key << QStringLiteral("-s") << QString::number(pauseMs);
    return run(tool("wtype"), args, nullptr, 5000 + pauseMs * static_cast<int>(keys.size()));
}

bool WaylandSession::click(const QString& pointerProgram, QPoint at)
{
    // Each line is answered "ok" once the compositor has it.
    const auto say = [this](const QByteArray& line) {
        if (!line.isEmpty())
            m_pointer->write(line + '\n');
        if (m_pointer->waitForReadyRead(5000) && m_pointer->readLine().startsWith("ok"))
            return true;
        return fail(m_lastError, QStringLiteral("the virtual mouse did not answer: %1")
                                     .arg(QString::fromLocal8Bit(m_pointer->readAllStandardError())));
    };
    if (!m_pointer) {
        m_pointer = std::make_unique<QProcess>();
        if (!start(*m_pointer, pointerProgram) || !say({}))
            return false;
        settle(300); // the clients take the pointer the seat now offers
    }
    const QSize screen = m_screenSize;
    const QString move =
        QString::asprintf("move %d %d %d %d", at.x(), at.y(), screen.width(), screen.height());
    return say(move.toLatin1()) && say("press") && say("release");
}

QImage WaylandSession::screenshot()
{
    QByteArray png;
    if (!run(tool("grim"), {QStringLiteral("-")}, &png, 20000))
        return {};
    QImage image = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        m_lastError = QStringLiteral("grim gave no image");
    return image;
}

} // namespace e2e
