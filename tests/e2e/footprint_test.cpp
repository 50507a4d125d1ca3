// The program reads no file it was not built with, writes nothing and talks to nobody but the
// display: a whole session under strace, from start through an answered task to "Esci".
#include "x11_session.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class FootprintTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Files opened for writing, and sockets other than the display's, would be data leaving the
    // child's session: there must be none.
    void aSessionShouldWriteNoFileAndOpenNoConnection();
};

void FootprintTest::aSessionShouldWriteNoFileAndOpenNoConnection()
{
    const QString program = qEnvironmentVariable("ZANFILO_EXECUTABLE");
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (program.isEmpty() || strace.isEmpty() || !e2e::X11Session::missingTools().isEmpty())
        QSKIP("needs ZANFILO_EXECUTABLE, strace, Xvfb, xdotool");
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("trace.log"));
    e2e::X11Session session;
    QVERIFY2(session.ok(), qPrintable(session.lastError()));
    // LeakSanitizer cannot work under ptrace; in a sanitizer build the other checks still run.
    if (qEnvironmentVariableIsSet("ASAN_OPTIONS"))
        session.setEnvironmentVariable(QStringLiteral("ASAN_OPTIONS"), qEnvironmentVariable("ASAN_OPTIONS") +
                                                                           QStringLiteral(":detect_leaks=0"));
    QVERIFY(session.startProgram(strace, {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-e"),
                                          QStringLiteral("trace=open,openat,creat,socket,connect,bind"),
                                          QStringLiteral("-o"), log, program}));
    QVERIFY2(!session.waitForWindow(QStringLiteral("BRENTONI"), 20000).isEmpty(),
             qPrintable(session.lastError()));
    session.settle(1200);
    for (const char* key : {"Return", "Return", "Return"}) { // the first exercise at level 1
        session.key(QLatin1String(key));
        session.settle(200);
    }
    const QString exercise = session.waitForWindow(QStringLiteral("Saper zanfilo"), 10000);
    QVERIFY(!exercise.isEmpty());
    session.settle(500);
    for (const char* key : {"space", "Tab", "Tab", "Return", "Escape"}) { // count, check, leave
        session.key(QLatin1String(key));
        session.settle(200);
    }
    const QString start = session.waitForWindow(QStringLiteral("BRENTONI"), 10000);
    const QRect window = session.windowGeometry(start);
    session.mouseClick(window.topLeft() + QPoint(619, window.height() - 573 + 448)); // "Esci"
    int exitCode = -1;
    QVERIFY(session.waitForExit(15000, &exitCode));
    QCOMPARE(exitCode, 0);

    QFile trace(log);
    QVERIFY(trace.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromLocal8Bit(trace.readAll());
    QVERIFY(text.contains(QLatin1String("/tmp/.X11-unix/X")));
    QStringList offending;
    static const QRegularExpression writeOpen(
        QStringLiteral("open(at)?\\(.*\"([^\"]+)\".*O_(WRONLY|RDWR|CREAT|TRUNC)"));
    static const QRegularExpression connectCall(
        QStringLiteral("connect\\(\\d+, \\{sa_family=(\\w+)(.*?)\\}"));
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
            const bool display = m.captured(2).contains(QLatin1String("/tmp/.X11-unix/X"));
            // The C library's name-service cache probe finds nothing here and carries no data.
            const bool nameServiceProbe =
                m.captured(2).contains(QLatin1String("nscd")) && line.contains(QLatin1String("ENOENT"));
            if (!display && !nameServiceProbe)
                offending << line;
        }
    }
    QVERIFY2(offending.isEmpty(), qPrintable(offending.join(QLatin1Char('\n'))));
}

QTEST_MAIN(FootprintTest)
#include "footprint_test.moc"
