// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The program reads no file it was not built with, writes nothing and talks to nobody but the
// desktop: a whole session under strace, from start through an answered task to "Esci", once with
// no session bus at all and once on a desktop's buses with the accessibility registry running.
#include "child_process.h"
#include "program.h"
#include "session_bus.h"
#include "x11_session.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The socket a D-Bus address names, as strace shows it: a path, or "@name" for an abstract one.
QString socketOf(const QString& address)
{
    static const QRegularExpression key(QStringLiteral("(?:^|[;,:])(path|abstract)=([^,;]+)"));
    const QRegularExpressionMatch m = key.match(address);
    if (!m.hasMatch())
        return {};
    return (m.captured(1) == QLatin1String("abstract") ? QStringLiteral("@") : QString()) + m.captured(2);
}

} // namespace

class FootprintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Files opened for writing, network sockets, and Unix sockets other than the display's and the
    // desktop buses' would be data leaving the child's session: there must be none. With no bus,
    // nothing may be autolaunched either: the traced session must end with the program.
    void aSessionShouldWriteNoFileAndTalkOnlyToTheDesktop_data();
    void aSessionShouldWriteNoFileAndTalkOnlyToTheDesktop();
};

void FootprintTest::aSessionShouldWriteNoFileAndTalkOnlyToTheDesktop_data()
{
    QTest::addColumn<bool>("withBuses");
    QTest::newRow("no session bus") << false;
    QTest::newRow("session and accessibility buses") << true;
}

void FootprintTest::aSessionShouldWriteNoFileAndTalkOnlyToTheDesktop()
{
    QFETCH(bool, withBuses);
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingTools() + e2e::missingPrograms({"strace"}) +
                          (withBuses ? e2e::SessionBus::missingTools() : QStringList()));
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("trace.log"));
    e2e::X11Session session;
    QVERIFY2(session.ok(), qPrintable(session.lastError()));
    QStringList allowedSockets{socketOf(QString::fromLatin1(e2e::X11Session::noBusAddress))};
    std::unique_ptr<e2e::SessionBus> bus;
    if (withBuses) {
        bus = std::make_unique<e2e::SessionBus>();
        QVERIFY2(bus->ok(), qPrintable(bus->lastError()));
        QVERIFY2(bus->startAccessibility(session.display()), qPrintable(bus->lastError()));
        session.setEnvironmentVariable(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus->address());
        allowedSockets = {socketOf(bus->address()), socketOf(bus->accessibilityAddress())};
        QVERIFY(!allowedSockets.contains(QString()));
    }
    // LeakSanitizer cannot work under ptrace; in a sanitizer build the other checks still run.
    if (qEnvironmentVariableIsSet("ASAN_OPTIONS"))
        session.setEnvironmentVariable(QStringLiteral("ASAN_OPTIONS"), qEnvironmentVariable("ASAN_OPTIONS") +
                                                                           QStringLiteral(":detect_leaks=0"));
    QVERIFY(session.startProgram(QStandardPaths::findExecutable(QStringLiteral("strace")),
                                 e2e::words("-f -qq -e trace=open,openat,creat,socket,connect,bind -o")
                                     << log << e2e::program()));
    QVERIFY2(!session.waitForWindow(e2e::startTitle, 20000).isEmpty(), qPrintable(session.lastError()));
    e2e::settle(1200);
    QVERIFY(session.keys(e2e::openCount)); // the first exercise at level 1
    QVERIFY(!session.waitForWindow(e2e::countTitle, 10000).isEmpty());
    e2e::settle(500);
    // Count, check.
    QVERIFY(session.keys(e2e::words("space Tab Tab Return")));
    // Back to the start window, which gives its choices back: exercise, level, "Esci". The
    // exercise group's key guard is still set from the first Enter: its first key only clears it.
    QVERIFY(!session.waitForWindow(e2e::startTitle, 10000).isEmpty());
    e2e::settle(300);
    QVERIFY(session.keys(e2e::words("1 Return Return 3 Return")));
    int exitCode = -1;
    QVERIFY2(session.waitForExit(15000, &exitCode), qPrintable(session.lastError()));
    QCOMPARE(exitCode, 0);

    QFile trace(log);
    QVERIFY(trace.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromLocal8Bit(trace.readAll());
    QVERIFY(text.contains(QLatin1String("/tmp/.X11-unix/X")));
    if (withBuses) // the accessibility bridge did reach the desktop's buses
        QVERIFY(text.contains(allowedSockets.last()));
    QStringList offending;
    static const QRegularExpression writeOpen(
        QStringLiteral("open(at)?\\(.*\"([^\"]+)\".*O_(WRONLY|RDWR|CREAT|TRUNC)"));
    static const QRegularExpression connectCall(
        QStringLiteral("connect\\(\\d+, \\{sa_family=(\\w+)(?:, sun_path=(@?)\"([^\"]*)\")?"));
    static const QRegularExpression socketCall(QStringLiteral("socket\\((\\w+),"));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (const auto m = writeOpen.match(line); m.hasMatch()) {
            const QString path = m.captured(2);
            // /dev/null is no file, and the font library may keep its cache.
            if (path != QLatin1String("/dev/null") && !path.contains(QLatin1String("fontconfig")))
                offending << line;
        }
        if (const auto m = socketCall.match(line); m.hasMatch() && m.captured(1) != QLatin1String("AF_UNIX"))
            offending << line;
        if (const auto m = connectCall.match(line); m.hasMatch()) {
            const QString socket = m.captured(2) + m.captured(3);
            const bool display = m.captured(3).startsWith(QLatin1String("/tmp/.X11-unix/X"));
            // The C library's name-service cache probe finds nothing here and carries no data.
            const bool nameServiceProbe =
                socket.contains(QLatin1String("nscd")) && line.contains(QLatin1String("ENOENT"));
            if (m.captured(1) != QLatin1String("AF_UNIX") ||
                (!display && !nameServiceProbe && !allowedSockets.contains(socket)))
                offending << line;
        }
    }
    QVERIFY2(offending.isEmpty(), qPrintable(offending.join(QLatin1Char('\n'))));
}

QTEST_MAIN(FootprintTest)
#include "footprint_test.moc"
