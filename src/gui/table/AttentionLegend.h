// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace harukaze {

class AttentionTints;

/**
 * The one-line legend under a table grid: a tinted swatch and the name of each attention mark the
 * table has. It is hidden while the table has none or the marks are not shown.
 */
class AttentionLegend : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(AttentionLegend)

public:
    explicit AttentionLegend(QWidget* parent = nullptr);
    ~AttentionLegend() override;

    /** Shows the legend of `tints` when `shown` and the table has a marker, and hides it otherwise. */
    void setTints(const AttentionTints& tints, bool shown);
};

} // namespace harukaze
