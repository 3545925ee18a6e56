// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/Tax.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySettings.h"
#include "core/table/TableModel.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace harukaze {

/**
 * The part of the 家計設定 収入 tab that turns 額面 pay into 手取り: whether the amounts are 手取り or
 * 額面, the prefecture, each spouse's bonus months and count, social insurance and service years,
 * the pensioner's premium rate, and a short note on what is not computed. Beside each spouse's pay
 * the dialog places that spouse's summary: this year's 手取り with its 所得税, 住民税 and 社会保険料,
 * and a button that opens 手取りの内訳.
 */
class GrossIncomePanel : public QWidget
{
    Q_OBJECT

public:
    GrossIncomePanel(const FamilyPlan& plan, const TaxSettings& settings, QWidget* parent = nullptr);
    ~GrossIncomePanel() override;

    /** The summary of a spouse for the dialog to place beside the pay. */
    QWidget* summary(Spouse spouse) const;

    bool gross() const;

    /** A box that holds no valid value, and the message that names it. */
    struct Refusal
    {
        QLineEdit* box = nullptr;
        QString message;
    };

    /** Reads the panel into `settings`; the first bad box, when there is one, and nothing stored. */
    std::optional<Refusal> read(TaxSettings& settings) const;

    /**
     * Where the panel reads the rest of the dialog's boxes as they are now (invalid ones left at
     * their last values); the panel's own fields are read over them.
     */
    void setSettingsSource(std::function<MoneySettings()> source);

    /** The settings of the dialog's boxes and the panel's fields as they are now. */
    MoneySettings current() const;

    /** Shows this year's 手取り of each spouse for current(). Hidden while the amounts are 手取り. */
    void showThisYear();

signals:
    /** 手取り / 額面 was switched. */
    void basisChanged(bool gross);
    /** Any field of the panel changed. */
    void edited();

private:
    struct SpouseFields
    {
        QLineEdit* bonusMonths = nullptr;
        QComboBox* bonusCount = nullptr;
        QCheckBox* socialInsurance = nullptr;
        QLineEdit* serviceYears = nullptr;
        QWidget* summary = nullptr;
        QLabel* takeHome = nullptr;
        QPushButton* breakdown = nullptr;
    };

    void buildSpouse(Spouse spouse, const QString& who);
    void load(const TaxSettings& settings);
    void enableFields();
    void showBreakdown(Spouse spouse);
    /** The panel's fields over `settings`, invalid boxes left as they were. */
    void readQuietly(TaxSettings& settings) const;

    FamilyPlan m_plan;
    TableModel m_table; ///< the plan's life cycle table, whose ages and years the taxes follow
    std::function<MoneySettings()> m_source;
    QRadioButton* m_net = nullptr;
    QRadioButton* m_gross = nullptr;
    QComboBox* m_prefecture = nullptr;
    QLineEdit* m_pensionHealthRate = nullptr;
    QWidget* m_details = nullptr;
    QLabel* m_note = nullptr;
    std::array<SpouseFields, 2> m_spouses;
};

} // namespace harukaze
