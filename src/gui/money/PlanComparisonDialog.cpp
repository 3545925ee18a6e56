// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/PlanComparisonDialog.h"

#include "core/money/PlanComparison.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <QSignalBlocker>

#include <algorithm>
#include <memory>

namespace harukaze {

namespace {

QString nameOf(const QString& path)
{
    return path.isEmpty() ? QStringLiteral("(無題)") : QFileInfo(path).fileName();
}

} // namespace

PlanComparisonDialog::PlanComparisonDialog(const QString& currentPath, const QStringList& recentFiles, QWidget* parent)
    : QDialog(parent)
    , m_currentPath(currentPath.isEmpty() ? QString() : QFileInfo(currentPath).absoluteFilePath())
    , m_recentFiles(recentFiles)
    , m_plans(new QListWidget)
    , m_recent(new QListWidget)
    , m_addRecent(new QPushButton(QStringLiteral("追加(&A)")))
    , m_addFile(new QPushButton(QStringLiteral("ファイルを選んで追加(&F)...")))
    , m_remove(new QPushButton(QStringLiteral("削除(&D)")))
{
    setObjectName(QStringLiteral("PlanComparisonDialog"));
    setWindowTitle(QStringLiteral("プランの比較"));
    m_plans->setObjectName(QStringLiteral("comparedPlans"));
    m_recent->setObjectName(QStringLiteral("recentPlans"));
    m_addRecent->setObjectName(QStringLiteral("addRecentPlan"));
    m_addFile->setObjectName(QStringLiteral("addPlanFile"));
    m_remove->setObjectName(QStringLiteral("removePlan"));

    auto* current = new QListWidgetItem(nameOf(currentPath) + QStringLiteral("　（表示中のプラン）"));
    current->setToolTip(currentPath);
    m_plans->addItem(current);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("表示中のプランと比べるプランのファイルを、3件まで追加してください。"
                                            "比較表の差は、表示中のプランとの差です。"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* grid = new QGridLayout;
    auto* plansLabel = new QLabel(QStringLiteral("比較するプラン(&P):"));
    plansLabel->setBuddy(m_plans);
    grid->addWidget(plansLabel, 0, 0);
    grid->addWidget(m_plans, 1, 0);
    auto* planButtons = new QVBoxLayout;
    planButtons->addWidget(m_addFile);
    planButtons->addWidget(m_remove);
    planButtons->addStretch();
    grid->addLayout(planButtons, 1, 1);
    auto* recentLabel = new QLabel(QStringLiteral("最近使ったファイル(&R):"));
    recentLabel->setBuddy(m_recent);
    grid->addWidget(recentLabel, 2, 0);
    grid->addWidget(m_recent, 3, 0);
    auto* recentButtons = new QVBoxLayout;
    recentButtons->addWidget(m_addRecent);
    recentButtons->addStretch();
    grid->addLayout(recentButtons, 3, 1);
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("比較(&O)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_addFile, &QPushButton::clicked, this, &PlanComparisonDialog::addChosenFile);
    connect(m_addRecent, &QPushButton::clicked, this, &PlanComparisonDialog::addRecentFile);
    connect(m_recent, &QListWidget::itemDoubleClicked, this, &PlanComparisonDialog::addRecentFile);
    connect(m_remove, &QPushButton::clicked, this, &PlanComparisonDialog::removeSelected);
    connect(m_plans, &QListWidget::currentRowChanged, this, &PlanComparisonDialog::refresh);
    connect(m_recent, &QListWidget::currentRowChanged, this, &PlanComparisonDialog::refresh);
    resize(520, 420);
    refresh();
}

PlanComparisonDialog::~PlanComparisonDialog() = default;

bool PlanComparisonDialog::addFile(const QString& path)
{
    if (static_cast<int>(m_files.size()) + 1 >= MAX_COMPARED_PLANS) {
        MessageBox::warning(this, QStringLiteral("比較できるプランは%1件までです。").arg(MAX_COMPARED_PLANS));
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const bool listed = std::any_of(
        m_files.begin(), m_files.end(), [&absolute](const ComparedFile& file) { return file.path == absolute; });
    if (listed) {
        MessageBox::information(this, QStringLiteral("このプランはもう比較に入っています。\n%1").arg(absolute));
        return false;
    }
    auto plan = std::make_unique<FamilyPlan>();
    std::string error;
    MoneySectionCut cut;
    bool read = false;
    {
        BusyPointer busy;
        read = readComparedPlan(QFile::encodeName(path).toStdString(), *plan, &error, &cut);
    }
    if (!read) {
        MessageBox::warning(this, openFailedText(path, error));
        return false;
    }
    if (cut.any()) {
        // Compared with what could be read; the file itself is left as it is.
        MessageBox::information(this,
            QStringLiteral("家計設定が大きすぎるため、一部を読み込まずに比較します。\n%1\n\n読み込んでいない行：\n%2")
                .arg(absolute, QString::fromStdString(moneySectionCutText(cut))));
    }
    m_files.push_back({ absolute, *plan });
    auto* item = new QListWidgetItem(nameOf(path));
    item->setToolTip(absolute);
    m_plans->addItem(item);
    refresh();
    return true;
}

void PlanComparisonDialog::removeRow(int row)
{
    if (row < 1 || row > static_cast<int>(m_files.size()))
        return;
    m_files.erase(m_files.begin() + (row - 1));
    delete m_plans->takeItem(row);
    refresh();
}

void PlanComparisonDialog::addChosenFile()
{
    // Plans to compare usually lie beside the one shown.
    const QString folder = m_currentPath.isEmpty() ? QString() : QFileInfo(m_currentPath).absolutePath();
    const QString path = FileDialog::getOpenFileName(this,
        QStringLiteral("比較するプランを開く"),
        QStringLiteral("HARUKAZE (*.HRZ *.hrz)"),
        QStringLiteral("HRZ"),
        folder);
    if (!path.isEmpty())
        addFile(path);
}

void PlanComparisonDialog::addRecentFile()
{
    QListWidgetItem* item = m_recent->currentItem();
    if (item)
        addFile(item->data(Qt::UserRole).toString());
}

void PlanComparisonDialog::removeSelected()
{
    removeRow(m_plans->currentRow());
}

void PlanComparisonDialog::refresh()
{
    // The recent files not in the comparison yet, most recent first (the plan shown is in it already).
    const QString selected
        = m_recent->currentItem() ? m_recent->currentItem()->data(Qt::UserRole).toString() : QString();
    const QSignalBlocker blocker(m_recent);
    m_recent->clear();
    for (const QString& path : m_recentFiles) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        const bool added = std::any_of(
            m_files.begin(), m_files.end(), [&absolute](const ComparedFile& file) { return file.path == absolute; });
        if (added || absolute == m_currentPath)
            continue;
        auto* item = new QListWidgetItem(nameOf(path));
        item->setToolTip(path);
        item->setData(Qt::UserRole, path);
        m_recent->addItem(item);
        if (path == selected)
            m_recent->setCurrentItem(item);
    }
    const bool room = static_cast<int>(m_files.size()) + 1 < MAX_COMPARED_PLANS;
    m_addFile->setEnabled(room);
    m_addRecent->setEnabled(room && m_recent->currentItem() != nullptr);
    m_remove->setEnabled(m_plans->currentRow() >= 1);
    m_ok->setEnabled(!m_files.empty());
}

} // namespace harukaze
