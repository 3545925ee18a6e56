// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"

#include <QWidget>

#include <memory>

class QGroupBox;
namespace Ui {
class CoupleWidget;
}

namespace harukaze {

/**
 * The controls of one married couple (ST2 husband and wife, ST4 the husband's parents, ST5 the
 * wife's parents), shared by the couple pages Form19, Form191, Form192 and the couple tabs of the
 * settings editor.
 *
 * Child object names are the design's, so pages and tabs expose them by name: frame Frame1 holding
 * Frame2 (the man: birth year Text1 with era button Command5, retirement age Text2, lifespan frame
 * Frame7 with Option1 "統計値" / Option2 "任意" and Text6 / Label11, events frame Frame4 with Check4
 * and Check6), Frame3 (the woman: Text3 / Command6, Text4, Frame8 with Option4 "統計値" / Option3
 * "任意" and Text7 / Label12, Frame5 with Check5 and Check7) and Frame6 "夫妻共通" (marriage year
 * Text5 / Command7, Check1..Check3). The settings editor renames them for its parents tabs with
 * renameControl(); the widget itself never looks its children up by name.
 *
 * "任意" shows its lifespan box and presets it to 78 (man) or 84 (woman); "統計値" hides the box.
 * The "和暦入力" buttons run ERA_INPUT on their year box.
 */
class CoupleWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CoupleWidget(QWidget* parent = nullptr);
    ~CoupleWidget() override;

    /**
     * Fills the controls from couple section `section` of `plan`. With `useDefaults`
     * and the section's recorded flag not 1, shows the section's first-visit defaults instead
     * (birth years, retirement ages 60, marriage year, both "統計値", every event checked); the
     * settings editor passes false and always sees the record's values.
     */
    void load(const FamilyPlan& plan, CoupleSection section, bool useDefaults);

    /**
     * Checks the boxes the recorder needs (the birth, retirement and marriage boxes, and a lifespan
     * box only while its "任意" is selected). On an empty or non-16-bit box shows
     * "数値を入力してください。" naming the field, focuses the box and returns false.
     */
    bool validate();

    /**
     * The couple recorder (ST2_REC / ST4_REC / ST5_REC without navigation): writes the controls
     * into `section` of `plan` and sets its recorded flag to 1. Lifespans are 78 / 84 while
     * "統計値" is selected; fields 16..19 record the selected options; a checked box stores 1.
     * Call validate() first: a box that holds no number is stored as 0.
     */
    void store(FamilyPlan& plan, CoupleSection section) const;

    /** Shows or hides the man's frame (Frame2) and the woman's frame (Frame3). */
    void setManVisible(bool visible);
    void setWomanVisible(bool visible);

    /** Captions of Frame1 (empty on Form19), Frame2 (default "夫"), Frame3 ("妻") and Frame6. */
    void setCoupleTitle(const QString& title);
    void setManTitle(const QString& title);
    void setWomanTitle(const QString& title);
    void setCommonTitle(const QString& title);

    /** Gives the child object `from` (e.g. "Text1") the name `to` (e.g. "Text14"); false if none. */
    bool renameControl(const QString& from, const QString& to);

    QGroupBox* coupleFrame() const;

private:
    void setManStatistic(bool statistic);
    void setWomanStatistic(bool statistic);
    QString fieldName(const QString& frameTitle, const QString& label) const;

    const std::unique_ptr<Ui::CoupleWidget> m_ui;
};

} // namespace harukaze
