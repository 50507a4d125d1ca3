// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace e2e {

// The desktop's speech service on a socket of its own (`SPEECHD_ADDRESS=address()`), speaking just
// enough of its protocol (SSIP) to connect, list voices, cancel and say, while events are handled,
// and recording the priority each word was said at.
class SpeechStandIn
{
public:
    explicit SpeechStandIn(const char* language = "it") : language_(language)
    {
        server_.listen(folder_.filePath(QStringLiteral("speechd.sock")));
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
            QLocalSocket* client = server_.nextPendingConnection();
            QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] { serve(client); });
        });
    }
    QString address() const { return QStringLiteral("unix_socket:") + server_.fullServerName(); }

    // A stalled service answers nothing and reads nothing until it is let go, then catches up.
    // Called from onWord, it stalls before answering that word.
    void holdSilent(bool silent)
    {
        silent_ = silent;
        for (QLocalSocket* client : server_.findChildren<QLocalSocket*>()) {
            if (!silent) {
                client->write(unanswered_.take(client));
                serve(client);
            }
        }
    }

    QStringList commands; // all but the words
    QStringList words;
    QStringList priorities; // each word's
    std::function<void()> onWord;

private:
    void serve(QLocalSocket* client)
    {
        while (!silent_ && client->canReadLine()) {
            const QByteArray line = client->readLine().trimmed();
            if (receiving_ && line != ".") {
                words << QString::fromUtf8(line);
                priorities << priority_;
                continue;
            }
            if (!receiving_)
                commands << QString::fromUtf8(line);
            if (line.toUpper().startsWith("SET SELF PRIORITY "))
                priority_ = QString::fromUtf8(line.mid(18)).toLower();
            const bool spoken = std::exchange(receiving_, !receiving_ && line.toUpper() == "SPEAK");
            const QByteArray answer = spoken       ? "225-1\r\n225 OK MESSAGE QUEUED\r\n"
                                      : receiving_ ? "230 OK RECEIVING DATA\r\n"
                                      : line.toUpper() == "LIST SYNTHESIS_VOICES"
                                          ? "249-espeak-ng\t" + language_ + "\tnone\r\n249 OK\r\n"
                                          : "200 OK\r\n";
            if (spoken && onWord)
                onWord();
            if (silent_)
                unanswered_[client] += answer;
            else
                client->write(answer);
        }
    }

    QByteArray language_;
    QTemporaryDir folder_;
    QLocalServer server_;
    bool receiving_ = false;
    bool silent_ = false;
    QString priority_ = QStringLiteral("text"); // the protocol's default
    QHash<QLocalSocket*, QByteArray> unanswered_;
};

} // namespace e2e
