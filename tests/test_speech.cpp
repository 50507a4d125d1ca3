// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/speech_voice.h"
#include "e2e/speech_stand_in.h"
#include "windows/exercise/exercise_window.h"

#include <QTest>
#include <unistd.h>

class SpeechTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Speech waits behind other programs', the service hears the newest word after a stall, and a
    // missing service costs one line and leaves no process behind.
    void speechShouldWaitItsTurnKeepUpAndLeaveNothing_data();
    void speechShouldWaitItsTurnKeepUpAndLeaveNothing();
    // A lost service is tried again after a pause, each time it is lost, and a stalled one does
    // not hold up the end of the program.
    void speechShouldComeBackAfterEachLossAndNeverHoldUpTheEnd();
};

namespace {

// This process's children, running or ended and not reaped.
QByteArray childProcesses()
{
    QFile children(QStringLiteral("/proc/self/task/%1/children").arg(getpid()));
    return children.open(QIODevice::ReadOnly) ? children.readAll().trimmed() : "unknown";
}

} // namespace

void SpeechTest::speechShouldWaitItsTurnKeepUpAndLeaveNothing_data()
{
    QTest::addColumn<QByteArray>("language"); // the service's one voice; empty for no service
    QTest::addColumn<bool>("stall");          // the service stalls at the first word while the rest are said
    QTest::addColumn<int>("words");           // "uno" ... "venti", and round again
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<int>("lines"); // on stderr
    QTest::addRow("polite") << QByteArray("it") << false << 3 << QStringList{"uno", "due", "tre"} << 0;
    QTest::addRow("newest after a stall")
        << QByteArray("it") << true << 300 << QStringList{"uno", "venti"} << 0;
    QTest::addRow("no Italian voice") << QByteArray("en") << false << 3 << QStringList{} << 1;
    QTest::addRow("no service") << QByteArray() << false << 300 << QStringList{} << 1;
}

void SpeechTest::speechShouldWaitItsTurnKeepUpAndLeaveNothing()
{
    QFETCH(QByteArray, language);
    QFETCH(bool, stall);
    QFETCH(int, words);
    QFETCH(QStringList, heard);
    QFETCH(int, lines);
    e2e::SpeechStandIn service(language.constData());
    qputenv("SPEECHD_ADDRESS",
            language.isEmpty() ? "unix_socket:/nonexistent/speechd.sock" : service.address().toLocal8Bit());
    QByteArrayList said;
    // No pause before the one retry, which must fail silently and be the last.
    app::SpeechVoice voice(QStringLiteral(ZANFILO_SPEAKING_PROCESS), std::chrono::milliseconds(0),
                           [&](const QByteArray& line) { said << line; });
    QVERIFY(QTest::qWaitFor(
        [&] { return service.commands.contains("SET SELF LANGUAGE it") || !said.isEmpty(); }));
    service.onWord = [&] {
        if (stall && service.words.size() == 1)
            service.holdSilent(true);
    };
    for (int i = 0; i < words; ++i) {
        voice.say(exercise::numberWord(i % 20 + 1));
        // Quick presses, for a few seconds, while stalled; otherwise each word is heard before the next.
        if (stall && i > 0)
            QTest::qWait(10);
        else
            QVERIFY(QTest::qWaitFor([&] { return !said.isEmpty() || service.words.size() > i; }));
    }
    service.holdSilent(false);
    QVERIFY(QTest::qWaitFor([&] { return service.words.size() >= heard.size(); }));
    QTest::qWait(300);
    QCOMPARE(service.words, heard);
    QCOMPARE(said.size(), lines);
    QCOMPARE(service.priorities, QStringList(heard.size(), QStringLiteral("message")));
    QCOMPARE(service.commands.count(QStringLiteral("CANCEL SELF")), heard.size());
    QVERIFY(!service.commands.contains(QStringLiteral("CANCEL ALL")));
    if (lines > 0)
        QVERIFY2(QTest::qWaitFor([] { return childProcesses().isEmpty(); }), childProcesses().constData());
}

void SpeechTest::speechShouldComeBackAfterEachLossAndNeverHoldUpTheEnd()
{
    e2e::SpeechStandIn service;
    const auto reaped = [] { return QTest::qWaitFor([] { return childProcesses().isEmpty(); }); };
    const auto heard = [&](const QString& word) {
        return QTest::qWaitFor([&] { return service.words.contains(word); });
    };
    const QString program = QStringLiteral(ZANFILO_SPEAKING_PROCESS);
    qputenv("SPEECHD_ADDRESS", "unix_socket:/nonexistent/speechd.sock");
    {
        // The pause before a retry is seconds by default, so a service that is not there is not
        // asked again at every press.
        app::SpeechVoice voice(program);
        QVERIFY(reaped());
        qputenv("SPEECHD_ADDRESS", service.address().toLocal8Bit());
        QTest::qWait(100);
        voice.say(QStringLiteral("uno"));
        QTest::qWait(300);
        QCOMPARE(service.words, QStringList());
    }
    QByteArrayList said;
    {
        // Two losses, each after the voice had come back, leave it speaking.
        app::SpeechVoice voice(program, std::chrono::milliseconds(0),
                               [&](const QByteArray& l) { said << l; });
        for (const QString word : {"uno", "due"}) {
            voice.say(word);
            QVERIFY(heard(word));
            service.hangUp();
            voice.say(QStringLiteral("perso"));
            QVERIFY(reaped());
        }
        voice.say(QStringLiteral("tre"));
        QVERIFY(heard(QStringLiteral("tre")));
        // A service that stalls mid-word holds up the end of the program 200 ms at most.
        service.onWord = [&] { service.holdSilent(true); };
        voice.say(QStringLiteral("quattro"));
        QVERIFY(heard(QStringLiteral("quattro")));
    }
    QVERIFY(reaped());
    service.holdSilent(false);
    QCOMPARE(said.size(), 1);
}

QTEST_GUILESS_MAIN(SpeechTest)
#include "test_speech.moc"
