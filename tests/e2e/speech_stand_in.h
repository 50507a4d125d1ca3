// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

namespace e2e {

// The desktop's speech service on a unix socket of its own (`SPEECHD_ADDRESS=address()`), with
// just enough of its text protocol (SSIP) to connect, list voices, cancel and say. It keeps every
// command and every word, and answers only while its thread's events are handled.
class SpeechStandIn
{
public:
    QStringList commands;
    QStringList words;
    std::function<void()> onWord;

    explicit SpeechStandIn(const char* language = "it")
    {
        server_.listen(folder_.filePath(QStringLiteral("speechd.sock")));
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this, language] {
            QLocalSocket* client = server_.nextPendingConnection();
            QObject::connect(client, &QLocalSocket::readyRead, client, [this, client, language] {
                for (QByteArray line; client->canReadLine();) {
                    line = client->readLine().trimmed();
                    if (!receiving_) {
                        commands << QString::fromUtf8(line);
                        receiving_ = line.toUpper() == "SPEAK";
                        client->write(receiving_ ? "230 OK RECEIVING DATA\r\n"
                                      : line.toUpper() != "LIST SYNTHESIS_VOICES"
                                          ? "200 OK\r\n"
                                          : "249-espeak-ng\t" + QByteArray(language) +
                                                "\tnone\r\n249 OK\r\n");
                    } else if (line != ".") {
                        words << QString::fromUtf8(line);
                    } else {
                        receiving_ = false;
                        client->write("225-1\r\n225 OK MESSAGE QUEUED\r\n");
                        if (onWord)
                            onWord();
                    }
                }
            });
        });
    }
    QString address() const { return QStringLiteral("unix_socket:") + server_.fullServerName(); }

private:
    QTemporaryDir folder_;
    QLocalServer server_;
    bool receiving_ = false;
};

} // namespace e2e
