// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

namespace harukaze {

/**
 * Lets a window take a plan file dropped from the file manager: a drag of exactly one local file
 * ending in ".HRZ" (any case) is accepted and its drop emits planDropped(); any other drag is
 * refused, so the pointer shows that it cannot be dropped there. Children of the window that do not
 * take drops themselves pass the drag on to it, so the whole window is a drop target.
 */
class PlanDropHandler : public QObject
{
    Q_OBJECT

public:
    /** Handles drops on `window` (made to accept drops) and lives as long as it. */
    explicit PlanDropHandler(QWidget* window);

    /** What besides the kind of drag decides whether a drop is taken now (false = refuse). */
    void setAcceptCheck(std::function<bool()> accept);

    /** The plan file a drag carries: the path of its one local .HRZ file, else "". */
    static QString planPathOf(const QMimeData* data);

signals:
    /** A plan file was dropped; emitted once the drop itself has finished. */
    void planDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString acceptedPath(const QMimeData* data) const;

    QWidget* m_window;
    std::function<bool()> m_accept;
};

} // namespace harukaze
