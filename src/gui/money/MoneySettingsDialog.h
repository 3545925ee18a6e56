// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QLineEdit;
namespace Ui {
class MoneySettingsDialog;
}

namespace harukaze {

class GrossIncomePanel;
struct FamilyPlan;
class HousingTab;
class PensionTab;

/**
 * The dialog "家計設定": the household's money behind the cash-flow table, on five tabs (収入, 支出,
 * 教育費, 一時的な収支, 貯蓄). Amounts are entered in 万円 with at most one decimal, rates in percent.
 *
 * "OK" checks every box: a box that is empty or holds no number, or a value outside its range, is
 * refused with a message naming the field, and its tab and box are brought forward. An end year of
 * 住居費 or 保険料 before this year asks whether to go on. The dialog never touches the plan: edit()
 * stores what OK accepted.
 */
class MoneySettingsDialog : public QDialog
{
    Q_OBJECT

public:
    /** The help topic "キャッシュフロー表と家計設定". */
    static constexpr int HELP_TOPIC = 13;

    /**
     * Shows the plan's money settings (the defaults when it has none); the 教育費 grid gets one row
     * per child column of the plan's life cycle table.
     */
    explicit MoneySettingsDialog(const FamilyPlan& plan, QWidget* parent = nullptr);
    ~MoneySettingsDialog() override;

    /** The settings the dialog holds: what it was opened with, and after OK what OK accepted. */
    const MoneySettings& settings() const { return m_settings; }

    /**
     * Opens the dialog modally over `plan`. Returns true when OK stored the settings in plan.money
     * (marking the plan unsaved is the caller's); Cancel leaves the plan as it was.
     */
    static bool edit(FamilyPlan& plan, QWidget* parent);

    void accept() override;

private:
    struct EntryRow
    {
        bool income = false;
        MoneyEntry entry;
    };

    void loadBoxes();
    void setUpEducationGrid(const FamilyPlan& plan);
    void showEducationCost(int row, int stage);
    void showEntries();
    void entrySelected();
    void addEntry();
    void changeEntry();
    void deleteEntry();
    std::optional<EntryRow> entryFromBoxes();
    bool entryLimitReached(bool income, int ignoredRow) const;
    /** Reads every number box into `settings`; false (after the message) at the first bad box. */
    bool readBoxes(MoneySettings& settings);
    /** The number boxes over the settings, each box that holds no valid value left out. */
    MoneySettings boxesQuietly() const;
    void showIncomeBasis(bool gross);
    bool confirmEndYear(int year, const QString& what, QLineEdit* box);
    void refuse(QLineEdit* box, const QString& message);
    QComboBox* educationCombo(int row, int stage) const;

    const std::unique_ptr<Ui::MoneySettingsDialog> m_ui;
    MoneySettings m_settings;
    int m_childRows = 0;
    std::vector<EntryRow> m_entries;
    GrossIncomePanel* m_grossPanel = nullptr;
    HousingTab* m_housingTab = nullptr;
    PensionTab* m_pensionTab = nullptr;
};

} // namespace harukaze
