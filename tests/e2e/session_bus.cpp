// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session_bus.h"

#include "child_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace e2e {

namespace {

const QString busLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
const QString registry = QStringLiteral("/usr/libexec/at-spi2-registryd");
constexpr int startTimeoutMs = 10000;
constexpr int graceMs = 3000;

// No <servicedir>: a bus that starts services on demand would start them as its own children,
// out of our reach, and the settings writer among them would write into the real home folder.
constexpr auto busConfig = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// Members of a process group that still run; an ended one waiting to be reaped by init no longer
// counts.
QList<qint64> livingMembers(qint64 group)
{
    QList<qint64> members;
#ifdef Q_OS_LINUX
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid pgrp ..."; the name may hold spaces and parentheses.
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        if (close < 0)
            continue;
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (fields.size() > 2 && fields[0] != "Z" && fields[2].toLongLong() == group)
            members << pid;
    }
#else
    Q_UNUSED(group);
#endif
    return members;
}

// The first string of a reply as gdbus prints it: "('unix:path=...,guid=...',)".
QString firstString(const QString& reply)
{
    const qsizetype open = reply.indexOf(QLatin1Char('\''));
    const qsizetype close = reply.indexOf(QLatin1Char('\''), open + 1);
    return open < 0 || close < 0 ? QString() : reply.mid(open + 1, close - open - 1);
}

} // namespace

SessionBus::SessionBus()
{
    const QStringList missing = missingTools();
    if (!missing.isEmpty()) {
        m_lastError = QStringLiteral("missing tools: %1").arg(missing.join(QStringLiteral(", ")));
        return;
    }
    startDaemon();
}

SessionBus::~SessionBus()
{
    stopAccessibility();
    stopDaemon();
}

QStringList SessionBus::missingTools()
{
    QStringList missing = missingPrograms({"dbus-daemon", "gdbus"});
    for (const QString& path : {busLauncher, registry}) {
        if (!QFileInfo(path).isExecutable())
            missing << path;
    }
    return missing;
}

QProcessEnvironment SessionBus::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    env.remove(QStringLiteral("DBUS_STARTER_ADDRESS"));
    env.remove(QStringLiteral("DBUS_STARTER_BUS_TYPE"));
    if (m_accessibilityAddress.isEmpty())
        env.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    else
        env.insert(QStringLiteral("AT_SPI_BUS_ADDRESS"), m_accessibilityAddress);
    return env;
}

bool SessionBus::startDaemon()
{
    m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zanfilo-bus-XXXXXX"));
    if (!m_folder->isValid())
        return fail(m_lastError,
                    QStringLiteral("no private folder for the bus: %1").arg(m_folder->errorString()));
    const QString configPath = m_folder->filePath(QStringLiteral("session.conf"));
    if (!writeFile(configPath,
                   QString::fromLatin1(busConfig)
                       .arg(m_folder->filePath(QStringLiteral("session_bus")).toHtmlEscaped())
                       .toUtf8(),
                   m_lastError))
        return false;

    m_daemon = std::make_unique<QProcess>();
    m_daemon->setStandardErrorFile(m_folder->filePath(QStringLiteral("session_bus.log")));
    if (!startChild(*m_daemon, QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")),
                    QStringList{QStringLiteral("--config-file=") + configPath} +
                        words("--nofork --print-address"),
                    m_lastError))
        return false;
    // The address comes as one line once the bus listens.
    QByteArray printed;
    const auto addressPrinted = [&] {
        printed += m_daemon->readAllStandardOutput();
        return printed.contains('\n');
    };
    if (!waitUntil(addressPrinted, startTimeoutMs, m_daemon.get())) {
        m_lastError = QStringLiteral("dbus-daemon gave no address: %1")
                          .arg(tail(m_folder->filePath(QStringLiteral("session_bus.log"))));
        stopDaemon();
        return false;
    }
    m_address = QString::fromLocal8Bit(printed.left(printed.indexOf('\n'))).trimmed();
    return true;
}

bool SessionBus::startAccessibility(const QString& display)
{
    if (!ok())
        return fail(m_lastError, QStringLiteral("no session bus to start accessibility on"));
    if (m_launcher)
        return fail(m_lastError, QStringLiteral("accessibility was already started"));
    // The launcher puts the accessibility bus socket under $XDG_RUNTIME_DIR/at-spi.
    const QString runtime = m_folder->filePath(QStringLiteral("runtime"));
    if (!QDir().mkpath(runtime) ||
        !QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return fail(m_lastError, QStringLiteral("could not create %1").arg(runtime));
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    // Turning accessibility on is also stored as a desktop setting; in memory it stays with the test.
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DESKTOP_AUTOSTART_ID"));

    const QString log = m_folder->filePath(QStringLiteral("accessibility.log"));
    m_launcher = std::make_unique<QProcess>();
    m_launcher->setProcessEnvironment(env);
    m_launcher->setProcessChannelMode(QProcess::MergedChannels);
    m_launcher->setStandardOutputFile(log);
    if (!startChild(*m_launcher, busLauncher, {QStringLiteral("--launch-immediately")}, m_lastError, true)) {
        m_launcher.reset();
        return false;
    }
    m_launcherGroup = m_launcher->processId();

    const QStringList launcherMethod = words("--dest org.a11y.Bus --object-path /org/a11y/bus --method");
    // Until the launcher owns its name the call fails: nothing would start it on this bus.
    QString reply;
    const auto getAddress = [&] {
        return callGdbus(m_address, launcherMethod + words("org.a11y.Bus.GetAddress"), &reply, 5000);
    };
    if (!waitUntil(getAddress, startTimeoutMs, m_launcher.get()))
        return fail(
            m_lastError,
            QStringLiteral("the accessibility bus did not come up (%1): %2").arg(m_lastError, tail(log)));
    const QString a11yAddress = firstString(reply);
    if (a11yAddress.isEmpty())
        return fail(m_lastError, QStringLiteral("unexpected reply to GetAddress: %1").arg(reply));

    // As a screen reader does; toolkits that watch the property expose their tree from then on.
    const QStringList setEnabled =
        launcherMethod + words("org.freedesktop.DBus.Properties.Set org.a11y.Status IsEnabled <true>");
    const QStringList getEnabled =
        launcherMethod + words("org.freedesktop.DBus.Properties.Get org.a11y.Status IsEnabled");
    if (!callGdbus(m_address, setEnabled, nullptr, 5000) || !callGdbus(m_address, getEnabled, &reply, 5000))
        return false;
    if (!reply.contains(QLatin1String("true")))
        return fail(m_lastError, QStringLiteral("IsEnabled reads %1 after setting it").arg(reply.trimmed()));

    // The registry is started on demand on the accessibility bus; the reply comes once it owns its
    // name.
    const QStringList startRegistry =
        words("--dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method "
              "org.freedesktop.DBus.StartServiceByName org.a11y.atspi.Registry 0");
    if (!callGdbus(a11yAddress, startRegistry, nullptr, startTimeoutMs))
        return fail(
            m_lastError,
            QStringLiteral("the accessibility registry did not start (%1): %2").arg(m_lastError, tail(log)));
    m_accessibilityAddress = a11yAddress;
    m_lastError.clear();
    return true;
}

bool SessionBus::callGdbus(const QString& busAddress, const QStringList& args, QString* output, int timeoutMs)
{
    QProcess gdbus;
    gdbus.setProcessEnvironment(environment());
    endWithParent(gdbus, false);
    const QString timeout = QString::number(qMax(1, timeoutMs / 1000));
    gdbus.start(QStandardPaths::findExecutable(QStringLiteral("gdbus")),
                words("call --address") << busAddress << QStringLiteral("--timeout") << timeout << args);
    QByteArray bytes;
    const bool done = finishTool(gdbus, timeoutMs + 2000, &bytes, m_lastError);
    if (output != nullptr)
        *output = QString::fromLocal8Bit(bytes);
    return done;
}

void SessionBus::stopAccessibility()
{
    if (!m_launcher)
        return;
        // The whole group at once: the launcher, the accessibility bus it runs and the registry that bus
        // started, which no longer has a parent of ours.
#ifdef Q_OS_LINUX
    if (m_launcherGroup > 0)
        ::kill(static_cast<pid_t>(-m_launcherGroup), SIGTERM);
#endif
    endProcess(*m_launcher, graceMs);
    m_launcher.reset();
#ifdef Q_OS_LINUX
    if (m_launcherGroup > 0 &&
        !waitUntil([this] { return livingMembers(m_launcherGroup).isEmpty(); }, graceMs))
        ::kill(static_cast<pid_t>(-m_launcherGroup), SIGKILL);
#endif
    m_launcherGroup = 0;
    m_accessibilityAddress.clear();
}

void SessionBus::stopDaemon()
{
    if (m_daemon) {
        endProcess(*m_daemon, graceMs);
        m_daemon.reset();
    }
    m_address.clear();
}

} // namespace e2e
