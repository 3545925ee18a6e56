// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/AttentionLegend.h"

#include "gui/table/AttentionTints.h"

namespace harukaze {

AttentionLegend::AttentionLegend(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("AttentionLegend"));
    setTextFormat(Qt::RichText);
    setWordWrap(false);
    setContentsMargins(4, 2, 4, 2);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    hide();
}

AttentionLegend::~AttentionLegend() = default;

void AttentionLegend::setTints(const AttentionTints& tints, bool shown)
{
    setText(tints.legendHtml());
    setToolTip(tints.legendToolTip());
    setVisible(shown && !tints.isEmpty());
}

} // namespace harukaze
