// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class Form2;
}

namespace harukaze {

class CoupleWidget;
struct FamilyPlan;

/**
 * The family settings editor "家族設定内容の変更": the couple, the children and both parents'
 * couples of the plan on four tabs of SSTab1, filled from the plan record as it stands (no
 * defaults, no recorded-flag tests, nothing hidden). "更新" stores the whole family (REC_ALL),
 * marks the plan unsaved and accepts; "ｷｬﾝｾﾙ" or closing the window rejects without storing.
 * Shown modeless; whoever opens it rebuilds the table when it finishes.
 *
 * The parents tabs carry the couple controls under their own names (Text14, Check10, Option8 ...
 * on the husband's parents tab, Text21, Check17, Option12 ... on the wife's parents tab).
 */
class Form2 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HELP_TOPIC = 62;

    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    /**
     * Checks every number box of the couple tabs; on the first one that holds no 16-bit whole
     * number shows its tab and "数値を入力してください。" and returns false.
     */
    bool validateAll();

    /**
     * REC_ALL: writes the whole dialog into `plan`. Every ST1 membership flag and every recorded
     * flag becomes 1; ST2, ST4 and ST5 come from the couple tabs; the children from the grid, with
     * ST3_COUNT the number of child columns. When the grid holds another number of children than
     * the plan's two child counts add up to, the children now become min(children now, grid
     * count) and the planned ones the rest, so the table shows exactly the grid's children.
     */
    void REC_ALL(FamilyPlan& plan) const;

private:
    void loadPlan(const FamilyPlan& plan);
    void update();
    void addChild();
    void deleteChild();
    void editChild(int column);

    const std::unique_ptr<Ui::Form2> m_ui;
    /** Child numbers deleted in this editing, in the order they were deleted. */
    std::vector<int> m_deletedChildren;
};

} // namespace harukaze
