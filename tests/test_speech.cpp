// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/exercise/exercise_window.h"

#include <QTest>
#ifdef _WIN32
#include "app/sapi_voice.h"
#include <atomic>
#else
#include "app/speech_voice.h"
#include "e2e/speech_stand_in.h"
#include <unistd.h>
#endif

class SpeechTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Speech waits behind other programs', the service hears the newest word after a stall, and a
    // missing service costs one line and leaves no process behind.
    void speechShouldWaitItsTurnKeepUpAndLeaveNothing_data();
    void speechShouldWaitItsTurnKeepUpAndLeaveNothing();
#ifndef _WIN32
    // A lost service is tried again after a pause, each time it is lost, and a stalled one does
    // not hold up the end of the program.
    void speechShouldComeBackAfterEachLossAndNeverHoldUpTheEnd();
#endif
};

namespace {

#ifdef _WIN32
// A SAPI voice that hears, and may stall in a word or keep on speaking. The test owns it.
class FakeVoice final : public ISpVoice
{
public:
    QObject gui;       // where Speak tells what it heard
    QStringList heard; // each text and its flags
    HRESULT answer = S_OK;
    std::atomic<bool> stalled = false, speaking = true;

    STDMETHODIMP Speak(LPCWSTR text, DWORD flags, ULONG*) override
    {
        if (text)
            QMetaObject::invokeMethod(&gui, [this, t = QString::fromWCharArray(text) + ' ' +
                                                       QString::number(flags, 16)] { heard << t; });
        while (stalled)
            Sleep(1);
        return answer;
    }
    STDMETHODIMP WaitUntilDone(ULONG ms) override
    {
        Sleep(speaking ? ms : 0);
        return speaking ? S_FALSE : S_OK;
    }
    // clang-format off
    STDMETHODIMP_(ULONG) AddRef() override { return 1; } STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(HANDLE) GetNotifyEventHandle() override { return nullptr; }
    STDMETHODIMP_(HANDLE) SpeakCompleteEvent() override { return nullptr; }
#define NOT_USED(method, ...) STDMETHODIMP method(__VA_ARGS__) override { return E_NOTIMPL; }
    NOT_USED(QueryInterface, REFIID, void**) NOT_USED(SetNotifySink, ISpNotifySink*)
    NOT_USED(SetNotifyWindowMessage, HWND, UINT, WPARAM, LPARAM)
    NOT_USED(SetNotifyCallbackFunction, SPNOTIFYCALLBACK*, WPARAM, LPARAM)
    NOT_USED(SetNotifyCallbackInterface, ISpNotifyCallback*, WPARAM, LPARAM) NOT_USED(SetNotifyWin32Event)
    NOT_USED(WaitForNotifyEvent, DWORD) NOT_USED(SetInterest, ULONGLONG, ULONGLONG)
    NOT_USED(GetEvents, ULONG, SPEVENT*, ULONG*) NOT_USED(GetInfo, SPEVENTSOURCEINFO*)
    NOT_USED(SetOutput, IUnknown*, WINBOOL) NOT_USED(GetOutputObjectToken, ISpObjectToken**)
    NOT_USED(GetOutputStream, ISpStreamFormat**) NOT_USED(Pause) NOT_USED(Resume)
    NOT_USED(SetVoice, ISpObjectToken*) NOT_USED(GetVoice, ISpObjectToken**)
    NOT_USED(SpeakStream, IStream*, DWORD, ULONG*) NOT_USED(GetStatus, SPVOICESTATUS*, LPWSTR*)
    NOT_USED(Skip, LPCWSTR, LONG, ULONG*) NOT_USED(SetPriority, SPVPRIORITY)
    NOT_USED(GetPriority, SPVPRIORITY*) NOT_USED(SetAlertBoundary, SPEVENTENUM)
    NOT_USED(GetAlertBoundary, SPEVENTENUM*) NOT_USED(SetRate, LONG) NOT_USED(GetRate, LONG*)
    NOT_USED(SetVolume, USHORT) NOT_USED(GetVolume, USHORT*) NOT_USED(SetSyncSpeakTimeout, ULONG)
    NOT_USED(GetSyncSpeakTimeout, ULONG*) NOT_USED(IsUISupported, LPCWSTR, void*, ULONG, WINBOOL*)
    NOT_USED(DisplayUI, HWND, LPCWSTR, LPCWSTR, void*, ULONG)
    // clang-format on
};
#else
// This process's children, running or ended and not reaped.
QByteArray childProcesses()
{
    QFile children(QStringLiteral("/proc/self/task/%1/children").arg(getpid()));
    return children.open(QIODevice::ReadOnly) ? children.readAll().trimmed() : "unknown";
}
#endif

} // namespace

#ifdef _WIN32
void SpeechTest::speechShouldWaitItsTurnKeepUpAndLeaveNothing_data()
{
    QTest::addColumn<QStringList>("voices"); // Wine's own SAPI with voices of these languages, or the fake
    QTest::addColumn<HRESULT>("answer");     // the fake's to every Speak
    QTest::addColumn<bool>("stall");         // the fake stalls in the first word while the rest are said
    QTest::addColumn<int>("words");          // "uno" ... "venti", and round again; then a button's name
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<QByteArrayList>("lines"); // on stderr
    const QString w = ' ' + QString::number(SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, 16);
    const QString n = ' ' + QString::number(SPF_ASYNC | SPF_IS_NOT_XML, 16); // behind a word
    const QByteArrayList failing{
        "nessuna voce, la sintesi vocale di Windows (SAPI) non risponde (0x80004001)"};
    QTest::addRow("cutting only its own")
        << QStringList{} << S_OK << false << 3 << QStringList{"uno" + w, "due" + w, "tre" + w, "conta" + n}
        << QByteArrayList{};
    QTest::addRow("a name alone") << QStringList{} << S_OK << false << 0 << QStringList{"conta" + w}
                                  << QByteArrayList{};
    QTest::addRow("newest after a stall")
        << QStringList{} << S_OK << true << 300 << QStringList{"uno" + w, "venti" + w, "conta" + n}
        << QByteArrayList{};
    QTest::addRow("Speak not implemented")
        << QStringList{} << E_NOTIMPL << false << 3 << QStringList{"uno" + w} << failing;
    // Wine's lists every voice whatever language is asked for; its SetVoice and Speak are not there yet.
    QTest::addRow("Wine, no Italian voice")
        << QStringList{"409"} << S_OK << false << 3 << QStringList{}
        << QByteArrayList{"nessuna voce, Windows non ha una voce italiana"};
    QTest::addRow("Wine, an Italian voice")
        << QStringList{"409", "410"} << S_OK << false << 3 << QStringList{} << failing;
}

void SpeechTest::speechShouldWaitItsTurnKeepUpAndLeaveNothing()
{
    QFETCH(QStringList, voices);
    QFETCH(HRESULT, answer);
    QFETCH(bool, stall);
    QFETCH(int, words);
    QFETCH(QStringList, heard);
    QFETCH(QByteArrayList, lines);
    FakeVoice fake;
    fake.answer = answer;
    fake.stalled = stall;
    app::SapiVoice::Factory made = [&](ISpVoice** v) { return *v = &fake, S_OK; };
    const std::wstring tokens = L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\Zanfilo ";
    const auto removed = qScopeGuard([&] {
        for (const QString& language : voices)
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (tokens + language.toStdWString()).c_str());
    });
    for (const QString& language : voices) {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
            QSKIP("Windows' own voices are looked at under Wine");
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, (tokens + language.toStdWString() + L"\\Attributes").c_str(),
                        L"Language", REG_SZ, language.utf16(), 8);
        made = app::SapiVoice::italianVoice;
    }
    QByteArrayList said;
    int names = 0; // said, on the GUI thread
    app::SapiVoice sapi(made, [&](const QByteArray& line) { said << line; });
    for (int i = 0; i < words; ++i) {
        sapi.say(exercise::numberWord(i % 20 + 1));
        // Quick presses while stalled; otherwise each word is heard before the next.
        if (!stall || i == 0)
            QVERIFY(QTest::qWaitFor([&] { return !said.isEmpty() || fake.heard.size() > i; }));
    }
    sapi.name(QStringLiteral("conta"), [&] { names += QThread::currentThread() == thread(); });
    fake.stalled = false;
    QVERIFY(QTest::qWaitFor([&] { return fake.heard.size() >= heard.size(); }));
    fake.speaking = false;
    QVERIFY(QTest::qWaitFor([&] { return names > 0; }));
    QTest::qWait(300);
    QCOMPARE(fake.heard, heard);
    QCOMPARE(said, lines);
    QCOMPARE(names, 1);
}
#else
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

#endif

QTEST_GUILESS_MAIN(SpeechTest)
#include "test_speech.moc"
