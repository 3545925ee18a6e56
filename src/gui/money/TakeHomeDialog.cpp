// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/TakeHomeDialog.h"

#include "core/money/TakeHomeLines.h"
#include "core/money/TaxYears.h"
#include "core/table/TableShape.h"
#include "export/PrintableTakeHome.h"
#include "gui/help/Help.h"
#include "gui/table/TableOutput.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace harukaze {

namespace {

constexpr int HELP_TOPIC = 21;

QString spouseName(Spouse spouse)
{
    return spouse == Spouse::Husband ? QStringLiteral("夫") : QStringLiteral("妻");
}

} // namespace

TakeHomeDialog::TakeHomeDialog(const FamilyPlan& plan,
    const MoneySettings& settings,
    const TableModel& table,
    int n,
    Spouse spouse,
    const QString& planFilePath,
    QWidget* parent)
    : QDialog(parent)
    , m_taxes(planTaxes(plan, settings, table))
    , m_planFilePath(planFilePath)
    , m_year(new QComboBox(this))
    , m_spouse(new QComboBox(this))
    , m_lines(new QTableWidget(this))
{
    setObjectName(QStringLiteral("TakeHomeDialog"));
    setWindowTitle(takeHomeTitle());
    auto* layout = new QVBoxLayout(this);

    auto* choice = new QHBoxLayout;
    m_year->setObjectName(QStringLiteral("takeHomeYearCombo"));
    for (int i = 0; i < TABLE_YEARS; ++i)
        m_year->addItem(QStringLiteral("%1年").arg(m_taxes.gross.y0 + i));
    m_spouse->setObjectName(QStringLiteral("takeHomeSpouseCombo"));
    for (const Spouse s : { Spouse::Husband, Spouse::Wife }) {
        if (m_taxes.gross.inTable[static_cast<size_t>(s)])
            m_spouse->addItem(spouseName(s), static_cast<int>(s));
    }
    choice->addWidget(new QLabel(QStringLiteral("年：")));
    choice->addWidget(m_year);
    choice->addWidget(new QLabel(QStringLiteral("　対象：")));
    choice->addWidget(m_spouse);
    choice->addStretch();
    layout->addLayout(choice);

    m_lines->setObjectName(QStringLiteral("takeHomeLines"));
    m_lines->setColumnCount(3);
    m_lines->setHorizontalHeaderLabels(
        { QStringLiteral("項目"), QStringLiteral("金額（円）"), QStringLiteral("計算") });
    m_lines->verticalHeader()->hide();
    m_lines->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lines->setSelectionMode(QAbstractItemView::NoSelection);
    m_lines->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_lines, 1);

    auto* note
        = new QLabel(QStringLiteral("住民税は所得のあった年の額です。退職金の税金は支払いの年に源泉徴収されます。"));
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* buttons = new QDialogButtonBox(this);
    auto* print = buttons->addButton(QStringLiteral("印刷(&P)..."), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("takeHomePrintButton"));
    auto* preview = buttons->addButton(QStringLiteral("印刷プレビュー(&V)..."), QDialogButtonBox::ActionRole);
    preview->setObjectName(QStringLiteral("takeHomePreviewButton"));
    auto* pdf = buttons->addButton(QStringLiteral("PDF保存(&D)..."), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("takeHomePdfButton"));
    auto* help = buttons->addButton(QStringLiteral("ヘルプ(&H)"), QDialogButtonBox::HelpRole);
    auto* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("takeHomeCloseButton"));
    layout->addWidget(buttons);

    connect(print, &QPushButton::clicked, this, [this] { TableOutput(printable()).print(this); });
    connect(preview, &QPushButton::clicked, this, [this] { TableOutput(printable()).preview(this); });
    connect(pdf, &QPushButton::clicked, this, [this] { TableOutput(printable()).savePdf(this); });
    connect(help, &QPushButton::clicked, this, [this] { Help::showTopic(this, HELP_TOPIC); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_year->setCurrentIndex(std::clamp(n, 0, TABLE_YEARS - 1));
    const int index = m_spouse->findData(static_cast<int>(spouse));
    m_spouse->setCurrentIndex(index >= 0 ? index : 0);
    connect(m_year, &QComboBox::currentIndexChanged, this, &TakeHomeDialog::showBreakdown);
    connect(m_spouse, &QComboBox::currentIndexChanged, this, &TakeHomeDialog::showBreakdown);
    showBreakdown();
    resize(760, 640);
}

TakeHomeDialog::~TakeHomeDialog() = default;

PrintableTable TakeHomeDialog::printable() const
{
    PrintableTable table;
    const int n = m_year->currentIndex();
    if (m_spouse->count() == 0 || n < 0)
        return table;
    const auto spouse = static_cast<size_t>(m_spouse->currentData().toInt());
    const TaxYearInput& input = m_taxes.inputs[static_cast<size_t>(n)];
    const TaxYearResult& result = m_taxes.years[static_cast<size_t>(n)];
    const QString subject = m_year->currentText() + QStringLiteral("　") + m_spouse->currentText();
    return printableTakeHome(takeHomeLines(input.spouses[spouse], result.spouses[spouse]),
        subject,
        m_planFilePath,
        QDate::currentDate(),
        font().family(),
        font().pointSizeF());
}

void TakeHomeDialog::showBreakdown()
{
    const PrintableTable table = printable();
    m_lines->setRowCount(std::max(0, table.rowCount() - 1));
    for (int row = 1; row < table.rowCount(); ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(table.text(row, column));
            if (column == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (table.isBold(row)) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(fixedCellColor());
            }
            m_lines->setItem(row - 1, column, item);
        }
    }
    m_lines->resizeColumnsToContents();
}

} // namespace harukaze
