// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QSocketNotifier;
class QWidget;

namespace harukaze {

/**
 * The running copy's door for plan files: a local socket in the user's private folder, beside the
 * SingleInstance lock. Both ends talk only to a process of the same user (SO_PEERCRED); the server
 * takes a few connections at a time and closes one that sends no whole request within a few
 * seconds, so idle connections cannot keep a second copy out. A second copy started with a file hands its absolute path
 * over with sendOpenRequest() and ends; the running copy raises its window and emits openRequested().
 *
 * A request that comes while the program is busy (a modal dialog is up, or whatever the owner's
 * ready check says, such as the setup wizard) waits in a queue and is delivered once the program
 * is free again: the server looks again whenever a window closes or stops being blocked by a modal
 * dialog, and the owner may call deliverPending() when its own busy state ends. Requests are
 * delivered one at a time and in the order they came.
 */
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    /** "harukaze.socket" in the folder of SingleInstance::defaultLockPath(); empty without one. */
    static QString defaultSocketPath();

    /**
     * Listens at `socketPath` (empty = the default). Only the holder of the SingleInstance lock
     * listens, so a socket file already there was left by a copy that ended without removing it
     * (a crash) and is taken over.
     */
    bool listen(const QString& socketPath = QString());
    bool isListening() const;
    QString socketPath() const { return m_socketPath; }

    /** How long a connection may take to send its request (5 seconds unless set). */
    void setRequestTimeout(int milliseconds);

    /** The window raised and activated when a request comes in (the main window). */
    void setWindow(QWidget* window);
    /**
     * What besides a modal dialog keeps the program from opening a file now (false = busy). Without
     * a check only modal dialogs and open popup menus hold requests back.
     */
    void setReadyCheck(std::function<bool()> ready);
    /**
     * The window that keeps the keyboard while a request waits (a wizard page): it is brought
     * forward instead of the main window taking the focus from it.
     */
    void setFocusKeeper(std::function<QWidget*()> keeper);

    /** Queues a request to open `path`; it is delivered at once when the program is free. */
    void request(const QString& path);
    /** Requests not delivered yet, oldest first. */
    QStringList pendingPaths() const { return m_pending; }
    /** True when nothing holds requests back. */
    bool isReady() const;

    /**
     * The second copy's side: hands `path` to the copy listening at `socketPath` (empty = the
     * default) and waits until it confirms that the request is queued. A copy that is still
     * starting holds its lock before it listens, so connecting is tried again until `timeoutMs`
     * has passed. The path is sent only when the listening process runs as this user. False when
     * no copy took the request.
     */
    static bool sendOpenRequest(const QString& path, const QString& socketPath = QString(), int timeoutMs = 10000);

public slots:
    /** Delivers the queued requests in order as long as the program is free. */
    void deliverPending();

signals:
    /** A request to open the plan file at the absolute `path`, delivered when the program is free. */
    void openRequested(const QString& path);
    /** A request for `path` came in while the program is busy; it waits in the queue. */
    void requestHeld(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void acceptConnections();
    /** A connection that has not sent its whole request yet. */
    struct Connection;
    void readRequest(Connection* connection);
    void closeConnection(Connection* connection);
    void raiseWindow();
    void scheduleDelivery();
    void watchForIdle(bool watch);

    int m_listening = -1; ///< the listening socket's descriptor
    QSocketNotifier* m_acceptNotifier = nullptr;
    QString m_socketPath;
    QPointer<QWidget> m_window;
    std::function<bool()> m_readyCheck;
    std::function<QWidget*()> m_focusKeeper;
    QStringList m_pending;
    bool m_delivering = false;
    bool m_deliveryScheduled = false;
    bool m_watching = false;
    int m_requestTimeoutMs;
    QSet<Connection*> m_connections; ///< connections waiting for their request
};

} // namespace harukaze
