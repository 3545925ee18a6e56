// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/TableWindow.h"

#include "gui/common/PlanDocument.h"
#include "gui/table/AttentionLegend.h"
#include "gui/table/LifeCycleGrid.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace harukaze {

namespace {

QString objectNameOf(PlanWindow kind)
{
    switch (kind) {
    case PlanWindow::Demo:
        return QStringLiteral("Form1");
    case PlanWindow::Form100:
        return QStringLiteral("Form100");
    case PlanWindow::Form200:
        break;
    }
    return QStringLiteral("Form200");
}

} // namespace

TableWindow::TableWindow(PlanDocument* document, PlanWindow kind, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_kind(kind)
    , m_document(document)
    , m_grid(new LifeCycleGrid)
    , m_legend(new AttentionLegend)
{
    setObjectName(objectNameOf(kind));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/harukaze.png")));
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grid);
    layout->addWidget(m_legend);
    setWidget(content);
    if (kind == PlanWindow::Demo)
        setWindowTitle(QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ"));
    else
        showPlanTitle();
    // Saving gives a plan its file, and a changed plan or table font its table: the window follows.
    connect(document, &PlanDocument::fileNameChanged, this, [this] {
        if (m_kind != PlanWindow::Demo)
            showPlanTitle();
    });
    connect(document, &PlanDocument::tableChanged, this, &TableWindow::showTable);
    showTable();
}

TableWindow::~TableWindow() = default;

void TableWindow::showTable()
{
    if (!m_document)
        return;
    m_grid->setTable(m_document->table());
    m_attention = AttentionTints(m_document->markers());
    showAttention(m_attentionShown);
}

void TableWindow::showAttention(bool shown)
{
    m_attentionShown = shown;
    m_attention.apply(m_grid, shown);
    m_legend->setTints(m_attention, shown);
}

void TableWindow::showPlanTitle()
{
    const QString file = m_document ? m_document->fileName() : QString();
    setWindowTitle(QStringLiteral("ライフサイクル表 - ") + (file.isEmpty() ? QStringLiteral("(無題)") : file));
}

void TableWindow::closeByCommand()
{
    m_closeAllowed = true;
    close();
}

void TableWindow::closeEvent(QCloseEvent* event)
{
    // A close through the frame is a request: the owner's close command calls closeByCommand()
    // when it decides to close (that inner close() is a no-op while this one runs).
    if (!m_closeAllowed)
        emit closeRequested();
    if (m_closeAllowed)
        QMdiSubWindow::closeEvent(event);
    else
        event->ignore();
}

} // namespace harukaze
