// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace e2e {

// The desktop's speech service on a socket of its own (`SPEECHD_ADDRESS=address()`), speaking just
// enough of its protocol (SSIP) to connect, list voices, cancel and say, while events are handled.
class SpeechStandIn
{
public:
    explicit SpeechStandIn(const char* language = "it")
    {
        server_.listen(folder_.filePath(QStringLiteral("speechd.sock")));
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this, language] {
            QLocalSocket* client = server_.nextPendingConnection();
            QObject::connect(client, &QLocalSocket::readyRead, client, [this, client, language] {
                while (client->canReadLine()) {
                    const QByteArray line = client->readLine().trimmed();
                    if (receiving_ && line != ".") {
                        words << QString::fromUtf8(line);
                        continue;
                    }
                    if (!receiving_)
                        commands << QString::fromUtf8(line);
                    const bool spoken = std::exchange(receiving_, !receiving_ && line.toUpper() == "SPEAK");
                    client->write(spoken       ? "225-1\r\n225 OK MESSAGE QUEUED\r\n"
                                  : receiving_ ? "230 OK RECEIVING DATA\r\n"
                                  : line.toUpper() == "LIST SYNTHESIS_VOICES"
                                      ? "249-espeak-ng\t" + QByteArray(language) + "\tnone\r\n249 OK\r\n"
                                      : "200 OK\r\n");
                    if (spoken && onWord)
                        onWord();
                }
            });
        });
    }
    QString address() const { return QStringLiteral("unix_socket:") + server_.fullServerName(); }

    QStringList commands; // all but the words
    QStringList words;
    std::function<void()> onWord;

private:
    QTemporaryDir folder_;
    QLocalServer server_;
    bool receiving_ = false;
};

} // namespace e2e
