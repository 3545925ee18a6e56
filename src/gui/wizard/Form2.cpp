// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/Form2.h"
#include "gui/common/BusyPointer.h"
#include "ui_Form2.h"

#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySettings.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"
#include "gui/wizard/ChildrenGrid.h"
#include "gui/wizard/CoupleWidget.h"
#include "gui/wizard/Form222.h"

#include <QApplication>
#include <QHash>

#include <algorithm>

namespace harukaze {

namespace {

struct ControlName
{
    const char* couple; ///< name inside the couple controls (as on the couple page)
    const char* husbandParents; ///< name on the husband's parents tab
    const char* wifeParents; ///< name on the wife's parents tab
};

// The parents tabs repeat the couple controls under names of their own.
constexpr ControlName PARENTS_NAMES[] = {
    { "Frame1", "Frame9", "Frame17" },
    { "Text1", "Text14", "Text21" },
    { "Command5", "Command8", "Command11" },
    { "Text2", "Text13", "Text20" },
    { "Text3", "Text11", "Text18" },
    { "Command6", "Command4", "Command10" },
    { "Text4", "Text10", "Text17" },
    { "Text5", "Text8", "Text15" },
    { "Command7", "Command3", "Command9" },
    { "Text6", "Text12", "Text19" },
    { "Label11", "Label20", "Label32" },
    { "Text7", "Text9", "Text16" },
    { "Label12", "Label15", "Label27" },
    { "Check1", "Check10", "Check17" },
    { "Check2", "Check9", "Check16" },
    { "Check3", "Check8", "Check15" },
    { "Check4", "Check14", "Check21" },
    { "Check6", "Check13", "Check20" },
    { "Check5", "Check12", "Check19" },
    { "Check7", "Check11", "Check18" },
    { "Option1", "Option8", "Option12" },
    { "Option2", "Option7", "Option11" },
    { "Option4", "Option5", "Option9" },
    { "Option3", "Option6", "Option10" },
};

// Gives the controls of a parents tab their names. Controls the design does not name there get
// the tab's prefix, so that a name such as "Label1" or "Frame2" always means the couple tab's.
void renameParentsControls(CoupleWidget* widget, bool husbandSide)
{
    QHash<QString, QString> names;
    for (const ControlName& name : PARENTS_NAMES)
        names.insert(QLatin1String(name.couple), QLatin1String(husbandSide ? name.husbandParents : name.wifeParents));
    const QString prefix = husbandSide ? QStringLiteral("husbandParents") : QStringLiteral("wifeParents");
    const QList<QObject*> children = widget->findChildren<QObject*>();
    for (QObject* child : children) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        child->setObjectName(names.value(name, prefix + name));
    }
}

} // namespace

Form2::Form2(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::Form2)
{
    m_ui->setupUi(this);
    m_ui->coupleWidget->setCoupleTitle(QStringLiteral("夫妻の設定"));
    m_ui->husbandParentsWidget->setCoupleTitle(QStringLiteral("夫側両親の設定"));
    m_ui->wifeParentsWidget->setCoupleTitle(QStringLiteral("妻側両親の設定"));
    renameParentsControls(m_ui->husbandParentsWidget, true);
    renameParentsControls(m_ui->wifeParentsWidget, false);

    loadPlan(globalPlan());
    m_ui->SSTab1->setCurrentIndex(0);

    connect(m_ui->MSFlexGrid1, &ChildrenGrid::childDoubleClicked, this, &Form2::editChild);
    connect(m_ui->Command12, &QPushButton::clicked, this, &Form2::addChild);
    connect(m_ui->Command13, &QPushButton::clicked, this, &Form2::deleteChild);
    connect(m_ui->Command1, &QPushButton::clicked, this, &Form2::update);
    connect(m_ui->Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->Command14, &QPushButton::clicked, this, [this] { Help::showTopic(this, HELP_TOPIC); });
    // Return means 更新, as it means 次へ on the wizard pages, wherever the focus is: no button
    // becomes the default by taking the focus.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    m_ui->Command1->setDefault(true);

    move(0, 0);
}

Form2::~Form2() = default;

void Form2::loadPlan(const FamilyPlan& plan)
{
    m_ui->coupleWidget->load(plan, CoupleSection::ST2, false);
    m_ui->husbandParentsWidget->load(plan, CoupleSection::ST4, false);
    m_ui->wifeParentsWidget->load(plan, CoupleSection::ST5, false);
    {
        BusyPointer busy;
        m_ui->MSFlexGrid1->load(plan, true);
        // As in the grid of the original design, the first child is the current cell from the start.
        if (m_ui->MSFlexGrid1->childCount() > 0)
            m_ui->MSFlexGrid1->setCurrentCell(1, 1);
    }
}

bool Form2::validateAll()
{
    QWidget* const shown = m_ui->SSTab1->currentWidget();
    const std::pair<QWidget*, CoupleWidget*> tabs[] = {
        { m_ui->coupleTab, m_ui->coupleWidget },
        { m_ui->husbandParentsTab, m_ui->husbandParentsWidget },
        { m_ui->wifeParentsTab, m_ui->wifeParentsWidget },
    };
    for (const auto& [tab, couple] : tabs) {
        // The tab is brought forward first so the message appears over the box it names.
        m_ui->SSTab1->setCurrentWidget(tab);
        if (!couple->validate())
            return false;
    }
    m_ui->SSTab1->setCurrentWidget(shown);
    return true;
}

void Form2::REC_ALL(FamilyPlan& plan) const
{
    plan.ST1_RECORDED = 1;
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_CHILDREN = 1;
    plan.ST1_HUSBAND_PARENTS = 1;
    plan.ST1_WIFE_PARENTS = 1;
    plan.ST1_HUSBAND_FATHER = 1;
    plan.ST1_HUSBAND_MOTHER = 1;
    plan.ST1_WIFE_FATHER = 1;
    plan.ST1_WIFE_MOTHER = 1;

    // The table windows size their children columns by the two counts, so they follow the grid.
    const int children = std::min(m_ui->MSFlexGrid1->childCount(), MAX_CHILDREN);
    if (children != plan.ST1_CHILDREN_NOW + plan.ST1_CHILDREN_FUTURE) {
        const int now = std::clamp<int>(plan.ST1_CHILDREN_NOW, 0, children);
        plan.ST1_CHILDREN_NOW = static_cast<int16_t>(now);
        plan.ST1_CHILDREN_FUTURE = static_cast<int16_t>(children - now);
    }

    m_ui->coupleWidget->store(plan, CoupleSection::ST2);
    m_ui->husbandParentsWidget->store(plan, CoupleSection::ST4);
    m_ui->wifeParentsWidget->store(plan, CoupleSection::ST5);
    m_ui->MSFlexGrid1->store(plan);
}

void Form2::update()
{
    if (!validateAll())
        return;
    FamilyPlan& plan = globalPlan();
    REC_ALL(plan);
    // The money settings keep each child's school choices by child number: a deleted child's go
    // with it and the later children's move up, as their columns did.
    if (plan.money) {
        for (int child : m_deletedChildren)
            removeChildEducation(*plan.money, child);
    }
    PlanSession::instance().document().edited();
    accept();
}

void Form2::addChild()
{
    if (m_ui->MSFlexGrid1->childCount() >= MAX_CHILDREN) {
        MessageBox::information(this, QStringLiteral("子供の数は、１０人まで設定できます。"));
        return;
    }
    if (Form222::addChild(m_ui->MSFlexGrid1, this)) {
        // A wider grid gets the room it needs rather than a scroll bar, as far as the screen allows.
        resize(size().expandedTo(sizeHint()));
    }
}

void Form2::deleteChild()
{
    ChildrenGrid* grid = m_ui->MSFlexGrid1;
    // Without a child column there is nothing to name in the question, nor to delete.
    if (grid->childCount() < 1)
        return;
    const int column = grid->selectedChildColumn();
    if (column < 1)
        return;
    const QString question = QStringLiteral("【第%1子】を削除しますか？").arg(column);
    if (MessageBox::yesNoQuestion(this, question) != QMessageBox::Yes)
        return;
    {
        BusyPointer busy;
        grid->removeChildColumn(column);
    }
    m_deletedChildren.push_back(column);
}

void Form2::editChild(int column)
{
    Form222::edit(m_ui->MSFlexGrid1, column, this);
}

} // namespace harukaze
