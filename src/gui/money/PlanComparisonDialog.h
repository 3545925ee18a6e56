// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QListWidget;
class QPushButton;

namespace harukaze {

/** A plan file taken into a comparison: its path and the plan read from it. */
struct ComparedFile
{
    QString path;
    FamilyPlan plan;
};

/**
 * The dialog "プランの比較": the current plan first (its file name, or "(無題)"), then up to three
 * plan files the user adds with "ファイルを選んで追加(&F)..." (the open dialog) or from the list of
 * recently used files, and may remove again. A file that cannot be read is reported with its reason
 * and not added. OK needs at least one added file.
 */
class PlanComparisonDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(PlanComparisonDialog)

public:
    /** `currentPath` is empty for a plan never saved and the demo; `recentFiles` most recent first. */
    PlanComparisonDialog(const QString& currentPath, const QStringList& recentFiles, QWidget* parent = nullptr);
    ~PlanComparisonDialog() override;

    /** The plan files added, in the order listed. */
    const std::vector<ComparedFile>& files() const { return m_files; }

    /** Reads and adds the plan file at `path`; false (and a message) when it cannot be read or no more fit. */
    bool addFile(const QString& path);
    /** Removes the added file listed in row `row` of the plans (row 0 is the current plan). */
    void removeRow(int row);

    /** The list of plans: the current plan, then the files added. */
    QListWidget* planList() const { return m_plans; }
    /** The recently used plan files not yet in the comparison. */
    QListWidget* recentList() const { return m_recent; }

private:
    void addChosenFile();
    void addRecentFile();
    void removeSelected();
    void refresh();

    QString m_currentPath;
    QStringList m_recentFiles;
    std::vector<ComparedFile> m_files;
    QListWidget* m_plans;
    QListWidget* m_recent;
    QPushButton* m_addRecent;
    QPushButton* m_addFile;
    QPushButton* m_remove;
    QPushButton* m_ok;
};

} // namespace harukaze
