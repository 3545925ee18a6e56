// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/HomeSettings.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableWidget;

namespace harukaze {

/**
 * The 家計設定 tab "住宅": 家賃 and its change, 入居年月, 住宅維持費 and its change; the housing loan
 * (融資実行年月, 借入額, 返済期間, 返済方法, 金利タイプ, 当初金利, 団信); the lists of 金利変更 and 繰上返済
 * (up to 20 each, edited in their cells); the 住宅ローン控除 group.
 */
class HousingTab : public QWidget
{
    Q_OBJECT

public:
    explicit HousingTab(const HomeSettings& home, QWidget* parent = nullptr);

    /**
     * The settings in the boxes. A box that holds no number or a value out of range is refused with a
     * message naming the field (the box gets the focus); a 金利変更 or 繰上返済 dated before the
     * 融資実行 month asks whether to go on. Nothing when the user has to correct something.
     */
    std::optional<HomeSettings> read();

private:
    void addRateRow(const std::optional<LoanRateChange>& change);
    void addPrepaymentRow(const std::optional<Prepayment>& entry);
    bool refuse(QWidget* box, const QString& message);
    bool readRates(HomeSettings& home);
    bool readPrepayments(HomeSettings& home);
    bool confirmDates(const HomeSettings& home);

    HomeSettings m_home;
    QTableWidget* m_rates = nullptr;
    QTableWidget* m_prepayments = nullptr;
    QComboBox* m_method = nullptr;
    QComboBox* m_rateType = nullptr;
    QComboBox* m_insured = nullptr;
    QCheckBox* m_credit = nullptr;
    QComboBox* m_creditKind = nullptr;
    QComboBox* m_creditNew = nullptr;
    QCheckBox* m_creditChild = nullptr;
    QCheckBox* m_creditSmall = nullptr;
    QComboBox* m_taxpayer = nullptr;
};

} // namespace harukaze
