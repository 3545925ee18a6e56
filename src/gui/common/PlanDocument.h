// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/Attention.h"
#include "core/table/TableModel.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace harukaze {

/**
 * One plan as the program holds it: the plan record with its money settings, the plan file it
 * belongs to, whether it differs from that file, and what is derived from it — the built life
 * cycle table, its attention markers and its cash-flow table. The derived results are built on
 * first use and built again after every change, so every window and every output of the same
 * document reads the same table.
 *
 * Whoever edits the record in place (the settings editor, 家計設定) reports it with edited().
 */
class PlanDocument : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PlanDocument)

public:
    /** Where the plan came from: what its table window is and which commands it offers. */
    enum class Origin {
        None, ///< nothing: a reset record
        Wizard, ///< made with the setup wizard (shown in Form100)
        File, ///< opened from a file or changed in the settings editor (shown in Form200)
        Sample ///< the sample family of the opening demo
    };

    explicit PlanDocument(Origin origin = Origin::None, QObject* parent = nullptr);
    ~PlanDocument() override;

    FamilyPlan& plan() { return m_plan; }
    const FamilyPlan& plan() const { return m_plan; }
    Origin origin() const { return m_origin; }
    void setOrigin(Origin origin);

    /** The plan file the plan was opened from or last saved to ("" for a plan never saved). */
    const QString& fileName() const { return m_fileName; }
    /** The file's name without its folder ("山田家.HRZ"), or "(無題)" for a plan never saved. */
    QString displayName() const;
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved);
    /** The plan belongs to the file at `path` from now on ("" = none). */
    void setFileName(const QString& path);

    /** A reset record (REC_CLEAR) with no file and no origin. */
    void reset();
    /** Takes `plan` (a whole record) and `fileName` in place of the document's own. */
    void assign(const FamilyPlan& plan, const QString& fileName, Origin origin);
    /** The record was changed in place: unsaved, and the derived results are built anew. */
    void edited();
    /** Writes the plan to `path`; on success the document is saved and `path` becomes its file. */
    bool save(const QString& path, std::string* error);
    /**
     * Reads the plan file at `path` without touching any document: the whole record, or nothing
     * and `error` saying why.
     */
    static std::optional<FamilyPlan> read(const QString& path, std::string* error, QString* cut = nullptr);

    /**
     * What the open left out of the plan's money section because it went past the reader's caps
     * (moneySectionCutText(): one "・" line per part); empty when the plan is whole, and again once
     * it was saved or another plan replaced it.
     */
    const QString& moneySectionCut() const { return m_moneySectionCut; }
    void setMoneySectionCut(const QString& cut) { m_moneySectionCut = cut; }

    /** The life cycle table of the plan, in the session's table font. */
    const TableModel& table() const;
    /** The attention markers of that table. */
    const std::vector<AttentionMarker>& markers() const;
    /** The cash-flow table of the plan (the money settings, or their defaults). */
    const CashFlowTable& cashFlow() const;
    /**
     * Builds the derived results again (the year or the table font changed); emits tableChanged().
     * `plainFont` drops the bold and italic of an earlier font command, as every new build does.
     */
    void rebuild(bool plainFont = false);
    /** The font command: the table in the session's table font, its bold and italic included. */
    void applyTableFont();

signals:
    /** The record changed; tableChanged() follows. */
    void planChanged();
    /** The derived results are to be read again. */
    void tableChanged();
    void fileNameChanged(const QString& path);
    void savedChanged(bool saved);

private:
    FamilyPlan m_plan;
    Origin m_origin;
    QString m_fileName;
    bool m_saved = true;
    QString m_moneySectionCut;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    mutable std::optional<TableModel> m_table;
    mutable std::optional<std::vector<AttentionMarker>> m_markers;
    mutable std::optional<CashFlowTable> m_cashFlow;
};

} // namespace harukaze
