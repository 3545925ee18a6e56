// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/Attention.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class AttentionDialog;
}

namespace harukaze {

/**
 * "注意が必要な年": the attention markers of the open table as the list (西暦, 注意, 対象, one row
 * per marker as harukaze-csv --attention writes them), and for each kind one sentence on why it
 * matters and what a family can do. "ヘルプ" opens the help topic on the marks.
 */
class AttentionDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(AttentionDialog)

public:
    static constexpr int HELP_TOPIC = 16;

    explicit AttentionDialog(const std::vector<AttentionMarker>& markers, QWidget* parent = nullptr);
    ~AttentionDialog() override;

    /**
     * Marks the list as the demo's sample family: an empty list then also says how a family's own
     * table comes to its marks.
     */
    void setSampleFamily(bool sample);

    /** Why a kind of year matters and what a family can do about it, in one sentence. */
    static QString advice(AttentionKind kind);

private:
    void fillList(const std::vector<AttentionMarker>& markers);

    const std::unique_ptr<Ui::AttentionDialog> m_ui;
};

} // namespace harukaze
