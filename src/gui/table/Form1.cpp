// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/Form1.h"

#include "core/table/SampleFamily.h"
#include "gui/common/PlanDocument.h"

namespace harukaze {

Form1::Form1(QWidget* parent)
    : TableWindow(sampleDocument(), PlanWindow::Demo, parent)
{
    // The window owns the sample family's document.
    document()->setParent(this);
}

Form1::~Form1() = default;

PlanDocument* Form1::sampleDocument()
{
    auto* document = new PlanDocument(PlanDocument::Origin::Sample);
    writeSampleFamily(document->plan());
    document->setSaved(true);
    return document;
}

} // namespace harukaze
