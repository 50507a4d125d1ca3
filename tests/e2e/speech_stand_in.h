// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace e2e {

// The desktop's speech service on a socket of its own (`SPEECHD_ADDRESS=address()`), speaking just
// enough of its protocol (SSIP) to connect, list voices, cancel and say, while events are handled,
// and recording the priority each word was said at. Its messages are said one after another, each
// for `sayFor` milliseconds (or until let go, while ends are held), with END and CANCEL told to a
// client that turned notifications on.
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

    // The service goes away, as when it is restarted.
    void hangUp()
    {
        for (QLocalSocket* client : server_.findChildren<QLocalSocket*>())
            client->disconnectFromServer();
    }
    // Messages go on being said, unended, until let go.
    void holdEnds(bool held)
    {
        heldEnds_ = held;
        if (!held)
            for (QLocalSocket* client : server_.findChildren<QLocalSocket*>())
                endSoon(client);
    }
    bool saying() const
    {
        return std::any_of(queues_.begin(), queues_.end(), [](const auto& q) { return !q.isEmpty(); });
    }

    QStringList commands; // all but the words
    QStringList words;
    QStringList priorities; // each word's
    QStringList cut;        // the words cancelled while being said
    int sayFor = 0;
    std::function<void()> onWord;

private:
    struct Message
    {
        int id;
        QString word;
    };

    void notify(QLocalSocket* client, int code, int id, const char* what)
    {
        if (!notified_.contains(client))
            return;
        const QByteArray c = QByteArray::number(code);
        reply(client, c + '-' + QByteArray::number(id) + "\r\n" + c + "-1\r\n" + c + ' ' + what + "\r\n");
    }
    void reply(QLocalSocket* client, const QByteArray& text)
    {
        if (silent_)
            unanswered_[client] += text;
        else
            client->write(text);
    }
    // The message at the head of the queue ends after its time, unless it is cancelled first.
    void endSoon(QLocalSocket* client)
    {
        if (heldEnds_ || queues_.value(client).isEmpty())
            return;
        const int id = queues_[client].first().id;
        QTimer::singleShot(sayFor, client, [this, client, id] {
            QList<Message>& queue = queues_[client];
            if (heldEnds_ || queue.isEmpty() || queue.first().id != id)
                return;
            queue.removeFirst();
            notify(client, 702, id, "END");
            endSoon(client);
        });
    }
    void cancel(QLocalSocket* client)
    {
        QList<Message> queue = queues_.take(client);
        if (!queue.isEmpty())
            cut << queue.first().word;
        for (const Message& m : queue)
            notify(client, 703, m.id, "CANCELED");
    }

    void serve(QLocalSocket* client)
    {
        while (!silent_ && client->canReadLine()) {
            const QByteArray line = client->readLine().trimmed();
            if (receiving_ && line != ".") {
                words << QString::fromUtf8(line);
                priorities << priority_;
                queues_[client] << Message{nextId_, words.last()};
                continue;
            }
            if (!receiving_)
                commands << QString::fromUtf8(line);
            const QByteArray upper = line.toUpper();
            if (upper.startsWith("SET SELF PRIORITY "))
                priority_ = QString::fromUtf8(line.mid(18)).toLower();
            if (upper.startsWith("SET SELF NOTIFICATION ") && upper.endsWith(" ON"))
                notified_.insert(client);
            if (upper == "CANCEL SELF")
                cancel(client);
            const bool spoken = std::exchange(receiving_, !receiving_ && line.toUpper() == "SPEAK");
            const QByteArray answer =
                spoken       ? "225-" + QByteArray::number(nextId_++) + "\r\n225 OK MESSAGE QUEUED\r\n"
                : receiving_ ? "230 OK RECEIVING DATA\r\n"
                : line.toUpper() == "LIST SYNTHESIS_VOICES"
                    ? "249-espeak-ng\t" + language_ + "\tnone\r\n249 OK\r\n"
                    : "200 OK\r\n";
            if (spoken && onWord)
                onWord();
            reply(client, answer);
            if (spoken && queues_[client].size() == 1)
                endSoon(client);
        }
    }

    QByteArray language_;
    QTemporaryDir folder_;
    QLocalServer server_;
    bool receiving_ = false;
    bool silent_ = false;
    QString priority_ = QStringLiteral("text"); // the protocol's default
    QHash<QLocalSocket*, QByteArray> unanswered_;
    QHash<QLocalSocket*, QList<Message>> queues_;
    QSet<QLocalSocket*> notified_; // those that asked to be told of ends
    int nextId_ = 1;
    bool heldEnds_ = false;
};

} // namespace e2e
