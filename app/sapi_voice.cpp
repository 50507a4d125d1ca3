// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sapi_voice.h"

#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <sperror.h>
#include <string>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace app {

namespace {

// SAPI does not tell when a name has been said without being asked: it is asked this often, and
// newer words and names are looked for in between.
constexpr std::chrono::milliseconds kSlice(50);
// A name is not waited for longer, whatever SAPI is doing: scanning goes on.
constexpr std::chrono::seconds kNameWait(3);
// A voice stalled in SAPI does not hold up the end of the program longer.
constexpr std::chrono::milliseconds kEndWait(200);
constexpr uint kItalian = 0x410;

void toStderr(const QByteArray& line)
{
    std::fprintf(stderr, "zanfilo: %s\n", line.constData());
    // Not a console here, so the runtime would keep the line until the program ends.
    std::fflush(stderr);
}

// The token's languages are hexadecimal LANGIDs separated by semicolons ("410", "410;809").
bool speaksItalian(ISpObjectToken* token)
{
    ComPtr<ISpDataKey> attributes;
    wchar_t* languages = nullptr;
    if (FAILED(token->OpenKey(L"Attributes", &attributes)) ||
        FAILED(attributes->GetStringValue(L"Language", &languages)))
        return false;
    const QStringList list = QString::fromWCharArray(languages).split(QLatin1Char(';'));
    CoTaskMemFree(languages);
    return std::any_of(list.begin(), list.end(),
                       [](const QString& language) { return language.toUInt(nullptr, 16) == kItalian; });
}

HRESULT italianToken(ISpObjectToken** token)
{
    ComPtr<ISpObjectTokenCategory> voices;
    ComPtr<IEnumSpObjectTokens> found;
    HRESULT hr = CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&voices));
    if (SUCCEEDED(hr))
        hr = voices->SetId(SPCAT_VOICES, FALSE);
    if (SUCCEEDED(hr))
        hr = voices->EnumTokens(L"Language=410", nullptr, &found);
    if (FAILED(hr))
        return hr;
    // Wine's SAPI lists every voice whatever is asked for, so each one's language is read too.
    for (ComPtr<ISpObjectToken> each; found->Next(1, &each, nullptr) == S_OK;) {
        if (speaksItalian(each.Get())) {
            *token = each.Detach();
            return S_OK;
        }
    }
    return SPERR_NOT_FOUND;
}

} // namespace

// What the GUI thread and the voice's thread share, under the mutex. The voice's thread may outlive
// the voice (stalled in SAPI at the end), so it holds this too.
struct SapiVoice::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<std::wstring> word;
    std::optional<std::wstring> name;
    std::function<void()> nameSaid; // of the pending name
    bool silent = false;            // SAPI failed: nothing more is said this run
    bool ending = false;            // the voice is going: nothing more is sent to the GUI thread
    bool ended = false;             // the voice's thread has let SAPI go
    QObject* gui = nullptr;
    std::function<void(const QByteArray&)> report;

    // Runs `f` on the GUI thread, unless the voice is going. Called with the mutex held.
    void post(std::function<void()> f)
    {
        if (f && !ending)
            QMetaObject::invokeMethod(gui, std::move(f), Qt::QueuedConnection);
    }
};

SapiVoice::SapiVoice(Factory makeVoice, std::function<void(const QByteArray&)> report)
    : gui_(std::make_unique<QObject>()), shared_(std::make_shared<Shared>())
{
    shared_->gui = gui_.get();
    shared_->report = report ? std::move(report) : toStderr;
    thread_ = std::thread(run, shared_, std::move(makeVoice));
}

SapiVoice::~SapiVoice()
{
    std::unique_lock lock(shared_->mutex);
    shared_->ending = true;
    shared_->changed.notify_all();
    if (shared_->changed.wait_for(lock, kEndWait, [this] { return shared_->ended; })) {
        lock.unlock();
        thread_.join();
    } else {
        // It ends by itself once SAPI lets it go, and sends nothing more here.
        thread_.detach();
    }
}

void SapiVoice::say(const QString& word)
{
    std::function<void()> dropped;
    {
        const std::scoped_lock lock(shared_->mutex);
        if (shared_->silent)
            return;
        // The word takes the place of a name not yet said.
        shared_->word = word.toStdWString();
        shared_->name.reset();
        dropped = std::exchange(shared_->nameSaid, nullptr);
    }
    shared_->changed.notify_all();
    if (dropped)
        dropped();
}

void SapiVoice::name(const QString& word, const std::function<void()>& said)
{
    // Over once: said, cut short or dropped, or when it has been waited for long enough.
    const auto once = std::make_shared<std::function<void()>>(said);
    const std::function<void()> over = [once] {
        if (const std::function<void()> f = std::exchange(*once, nullptr))
            f();
    };
    QTimer::singleShot(kNameWait, gui_.get(), over);
    std::function<void()> dropped = over;
    {
        const std::scoped_lock lock(shared_->mutex);
        if (!shared_->silent) {
            shared_->name = word.toStdWString();
            dropped = std::exchange(shared_->nameSaid, over);
        }
    }
    shared_->changed.notify_all();
    if (dropped)
        dropped();
}

HRESULT SapiVoice::italianVoice(ISpVoice** voice)
{
    ComPtr<ISpObjectToken> token;
    ComPtr<ISpVoice> made;
    HRESULT hr = italianToken(&token);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&made));
    if (SUCCEEDED(hr))
        hr = made->SetVoice(token.Get());
    if (SUCCEEDED(hr))
        *voice = made.Detach();
    return hr;
}

void SapiVoice::run(const std::shared_ptr<Shared>& shared, const Factory& makeVoice)
{
    Shared& s = *shared;
    // No window here to pump messages for: the free-threaded apartment.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ComPtr<ISpVoice> voice;
    HRESULT hr = makeVoice(&voice);
    std::unique_lock lock(s.mutex);
    std::function<void()> saying; // of the name handed over and not over yet
    bool behindWord = false;      // that name waits behind a word
    bool wordLast = false;        // what was handed over last was a word
    while (SUCCEEDED(hr)) {
        if (!saying)
            s.changed.wait(lock, [&] { return s.ending || s.word || s.name; });
        if (s.ending)
            break;
        if (s.word || (s.name && !(saying && behindWord))) {
            // The word first; whatever comes next cuts the name being said.
            s.post(std::exchange(saying, nullptr));
            const bool word = s.word.has_value();
            const std::wstring text = *std::exchange(word ? s.word : s.name, std::nullopt);
            std::function<void()> said = word ? nullptr : std::exchange(s.nameSaid, nullptr);
            lock.unlock();
            // A name does not cut a word still being said: it goes after it.
            behindWord = !word && wordLast && voice->WaitUntilDone(0) == S_FALSE;
            const DWORD purge = behindWord ? 0 : SPF_PURGEBEFORESPEAK;
            hr = voice->Speak(text.c_str(), SPF_ASYNC | purge | SPF_IS_NOT_XML, nullptr);
            lock.lock();
            wordLast = word;
            saying = std::move(said);
        } else {
            lock.unlock();
            hr = voice->WaitUntilDone(static_cast<ULONG>(kSlice.count()));
            lock.lock();
            if (hr != S_FALSE)
                s.post(std::exchange(saying, nullptr));
        }
    }
    if (FAILED(hr)) {
        const QByteArray line = hr == SPERR_NOT_FOUND
                                    ? QByteArray("nessuna voce, Windows non ha una voce italiana")
                                    : "nessuna voce, la sintesi vocale di Windows (SAPI) non risponde (0x" +
                                          QByteArray::number(static_cast<quint32>(hr), 16) + ")";
        s.post([report = s.report, line] { report(line); });
        s.silent = true;
        s.word.reset();
        s.name.reset();
        s.post(std::exchange(saying, nullptr));
        s.post(std::exchange(s.nameSaid, nullptr));
    }
    lock.unlock();
    // What this program was saying stops with it.
    if (voice)
        voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    voice.Reset();
    if (com)
        CoUninitialize();
    lock.lock();
    s.ended = true;
    s.changed.notify_all();
}

} // namespace app
