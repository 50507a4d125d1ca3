// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A private D-Bus session bus for one test, with the accessibility bus on demand. The bus starts
// no service by itself (it has no service directories), so every process on it is one this class
// started; all of them end with it, also when the test is killed.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace e2e {

class SessionBus
{
public:
    // Starts a dbus-daemon of type session on a socket in a private folder; check ok() afterwards.
    SessionBus();
    // Ends everything it started: the accessibility launcher, its bus and the registry, then the
    // session bus.
    ~SessionBus();

    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;
    SessionBus(SessionBus&&) = delete;
    SessionBus& operator=(SessionBus&&) = delete;

    // The programs this class runs that are not installed (empty if all are there).
    static QStringList missingTools();

    bool ok() const { return m_daemon && m_daemon->state() == QProcess::Running && !m_address.isEmpty(); }
    QString lastError() const { return m_lastError; }
    // The DBUS_SESSION_BUS_ADDRESS value of the bus: "unix:path=<socket>,guid=...".
    QString address() const { return m_address; }

    // Starts the accessibility bus and its registry (at-spi2-core) for the given X display and turns
    // accessibility on as a screen reader does (org.a11y.Status IsEnabled = true). False on failure
    // (see lastError()).
    bool startAccessibility(const QString& display);
    // The accessibility bus address as org.a11y.Bus GetAddress gives it; empty before
    // startAccessibility() succeeded.
    QString accessibilityAddress() const { return m_accessibilityAddress; }

    // For a client of these buses: the test's own environment with DBUS_SESSION_BUS_ADDRESS and,
    // once started, AT_SPI_BUS_ADDRESS.
    QProcessEnvironment environment() const;

private:
    bool startDaemon();
    bool callGdbus(const QString& busAddress, const QStringList& args, QString* output, int timeoutMs);
    void stopAccessibility();
    void stopDaemon();

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QProcess> m_daemon;
    std::unique_ptr<QProcess> m_launcher;
    qint64 m_launcherGroup = 0;
    QString m_address;
    QString m_accessibilityAddress;
    QString m_lastError;
};

} // namespace e2e
