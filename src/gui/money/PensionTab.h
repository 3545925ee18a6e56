// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySettings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace harukaze {

/** The boxes of the 収入 tab the pension tab reads and steers, per spouse. */
struct PensionIncomeBoxes
{
    QLineEdit* amount = nullptr; ///< 公的年金 (金額), disabled while the pension is estimated
    QLineEdit* startAge = nullptr; ///< 受給開始年齢
    QLineEdit* reemployEndAge = nullptr; ///< 再雇用の終了年齢
};

/**
 * The tab "年金" of 家計設定: per spouse how the 公的年金 is found (金額, ねんきん定期便, 加入記録), the
 * birthday, the figures of the chosen way, the future and re-employed pay, 加給年金 and the kind of
 * the record; beside them the estimate at the chosen start age (年額 and its parts), kept up to date
 * while typing, and the button 受給開始年齢の比較….
 */
class PensionTab : public QWidget
{
    Q_OBJECT

public:
    PensionTab(const FamilyPlan& plan,
        const MoneySettings& settings,
        const PensionIncomeBoxes& husband,
        const PensionIncomeBoxes& wife,
        QWidget* parent = nullptr);
    ~PensionTab() override;

    /**
     * Reads both spouses' boxes into `settings`; a value outside its range is refused with a message
     * naming the field (the tab comes forward, the box gets the focus) and false is returned.
     * A spouse in 金額 forgets the figures.
     */
    bool read(MoneySettings& settings);

    /** The estimate text of a spouse as shown ("年額 207.8万円（65歳から）…"). */
    QString estimateText(bool wife) const;

private:
    struct Spouse;

    void build(Spouse& spouse, bool wife, const PensionSettings& pension, const PensionIncomeBoxes& boxes);
    void modeChanged(Spouse& spouse);
    /** The settings the boxes hold now, values that cannot be read taken as they were. */
    MoneySettings currentSettings() const;
    void updateEstimates();
    void compare(bool wife);

    FamilyPlan m_plan;
    MoneySettings m_settings;
    std::array<std::unique_ptr<Spouse>, 2> m_spouses;
};

} // namespace harukaze
