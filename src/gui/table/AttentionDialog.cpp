// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/AttentionDialog.h"
#include "ui_AttentionDialog.h"

#include "gui/help/Help.h"
#include "gui/table/AttentionTints.h"

#include <QHeaderView>

namespace harukaze {

namespace {

QString adviceHtml(AttentionKind kind)
{
    return QStringLiteral("<b>%1</b>（%2）<br>%3")
        .arg(AttentionTints::name(kind).toHtmlEscaped(),
            AttentionTints::meaning(kind).toHtmlEscaped(),
            AttentionDialog::advice(kind).toHtmlEscaped());
}

} // namespace

AttentionDialog::AttentionDialog(const std::vector<AttentionMarker>& markers, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::AttentionDialog)
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const std::pair<AttentionKind, std::pair<QLabel*, QLabel*>> kinds[] = {
        { AttentionKind::DoubleCare, { m_ui->SwatchDoubleCare, m_ui->LabelDoubleCare } },
        { AttentionKind::UniversityOverlap, { m_ui->SwatchUniversityOverlap, m_ui->LabelUniversityOverlap } },
        { AttentionKind::TuitionAfterRetirement,
            { m_ui->SwatchTuitionAfterRetirement, m_ui->LabelTuitionAfterRetirement } },
    };
    for (const auto& [kind, labels] : kinds) {
        labels.first->setTextFormat(Qt::RichText);
        labels.first->setText(AttentionTints::swatchHtml(kind));
        labels.second->setTextFormat(Qt::RichText);
        labels.second->setText(adviceHtml(kind));
    }
    m_ui->adviceLayout->setColumnStretch(1, 1);

    fillList(markers);
    setSampleFamily(false);

    connect(m_ui->CommandClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->CommandHelp, &QPushButton::clicked, this, [this] { Help::showTopic(this, HELP_TOPIC); });

    // Room for the list and the sentences without a scroll bar across.
    const int em = fontMetrics().horizontalAdvance(QStringLiteral("\u3000"));
    resize(std::max(sizeHint().width(), em * 46), std::max(sizeHint().height(), em * 36));
}

AttentionDialog::~AttentionDialog() = default;

void AttentionDialog::setSampleFamily(bool sample)
{
    QString text = QStringLiteral("この表には、注意が必要な年はありません。\n"
                                  "注意マークは、親の介護と小学校に上がる前の子の世話が重なる年（ダブルケア）、"
                                  "子供が２人以上同時に大学に通う年（大学の重なり）、"
                                  "定年後も子供の大学の学費が続く年（定年後の学費）に付きます。");
    if (sample)
        text
            += QStringLiteral("\nこれはサンプルの家族の表です。「ファイル」メニューの「新規作成」でご家族の表を作るか、"
                              "「開く」で保存した表を開くと、当てはまる年の行に色が付き、ここに一覧が出ます。");
    m_ui->LabelEmpty->setText(text);
}

QString AttentionDialog::advice(AttentionKind kind)
{
    switch (kind) {
    case AttentionKind::DoubleCare:
        return QStringLiteral("介護と幼い子の世話が同時に続き、時間も体力も足りなくなりがちなので、"
                              "介護休業・介護休暇の制度や地域包括支援センターへの相談を早めに確かめ、"
                              "家族で役割を分けておきましょう。");
    case AttentionKind::UniversityOverlap:
        return QStringLiteral("入学金と授業料が同じ年に重なって家計の負担が一度に大きくなるので、"
                              "奨学金・教育ローンや学資保険の受け取り時期を早めに調べておきましょう。");
    case AttentionKind::TuitionAfterRetirement:
        return QStringLiteral("収入が減った後も学費の支払いが続くので、"
                              "退職金の使い道や再雇用の収入を含めて、定年前から学費の準備を計画しておきましょう。");
    }
    return QString();
}

void AttentionDialog::fillList(const std::vector<AttentionMarker>& markers)
{
    QTableWidget* list = m_ui->TableMarkers;
    list->setRowCount(static_cast<int>(markers.size()));
    int row = 0;
    for (const AttentionMarker& marker : markers) {
        const QString description = QString::fromStdString(attentionDescription(marker));
        const QString texts[] = {
            QString::fromStdString(marker.yearText),
            AttentionTints::name(marker.kind),
            QString::fromStdString(attentionMemberNames(marker)),
        };
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setToolTip(description);
            if (column == 1)
                item->setBackground(AttentionTints::color(marker.kind));
            list->setItem(row, column, item);
        }
        ++row;
    }
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 8);
    list->resizeColumnsToContents();
    list->horizontalHeader()->setStretchLastSection(true);
    list->setVisible(!markers.empty());
    m_ui->LabelEmpty->setVisible(markers.empty());
}

} // namespace harukaze
