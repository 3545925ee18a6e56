// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"
#include "core/table/LifeExpectancy.h"
#include "core/table/TableModel.h"
#include "core/table/TextMatrix.h"

#include <cstdint>
#include <string>

namespace harukaze {

/** The parent codes (SEX) of SUKE_4_EVENT, in the order the parents' columns are handed out. */
enum class ParentCode : int16_t {
    HusbandFather = 3, ///< "夫側父", ST4's man
    HusbandMother = 4, ///< "夫側母", ST4's woman
    WifeFather = 5, ///< "妻側父", ST5's man
    WifeMother = 6, ///< "妻側母", ST5's woman
};

/** What a build reads besides the plan: the first year, the data folder and the table font. */
struct TableContext
{
    int y0 = 0; ///< first year of the table (currentYear() for a window)
    std::string appDir; ///< folder of the data files, ending in "/"
    std::string fontName = TABLE_FONT_NAME; ///< FONT_NAME
    std::string fontSize = TABLE_FONT_POINTS_TEXT; ///< FONT_SIZE, points as text
};

/**
 * Builds the life cycle table of a plan: the frame (header cells, year and era columns) and one
 * column per included member in the fixed member order, filled by the four builders.
 *
 * Every text goes into the table model, with the facts behind it (TableModel::facts). The table text
 * matrix TBL that the CSV export reads is derived from the model (textMatrixOf); the opening demo's
 * table is built by the same builders from the sample family.
 */
class TableBuilder
{
public:
    /** The plan must outlive the builder. */
    TableBuilder(const FamilyPlan& plan, const TableContext& context);

    /** The whole table: font, frame, then the members' builders with a running column index. */
    TableModel build() &;
    /** The same, handing over the built table instead of a copy. */
    TableModel build() &&;

    void SUKE_1_EVENT(int16_t RETSU);
    void SUKE_2_EVENT(int16_t RETSU);
    void SUKE_3_EVENT(int16_t RETSU, int16_t KID);
    void SUKE_4_EVENT(int16_t RETSU, ParentCode SEX);

    const TableModel& model() const { return m_model; }

    /**
     * The expected age at death L of the parent with code SEX (3..6) exactly as that parent's column
     * places 介護 and 寿命: from the data file (without the not-yet-born constants) when the parent's
     * end of life comes from statistics, else the entered age; 0 when the file is missing.
     */
    int16_t parentAgeAtDeath(ParentCode SEX) const;

private:
    void fillTable();
    void layOutYearColumns();
    void fillCouple(int RETSU, bool wife);
    void fillChild(int RETSU, int KID);
    void fillParent(int RETSU, ParentCode SEX);
    /** Label, format, current age and the 51 bare ages of a member column; false if `col` is no table column. */
    bool startMemberColumn(int col, const std::string& label, int a0);
    TableColumn& column(int col);
    /** The facts entry of member column `col`, or nullptr when the build did not list it. */
    MemberFacts* factsOf(int col);
    /** Stores what a member's builder decided and completes the member's yearly facts. */
    void recordMember(
        int col, int L, int retireAge, bool showRetirement, const std::array<int, SCHOOL_STAGES>& schoolEntryAges);
    void setCell(int col, int row, std::string text);
    void appendToCell(int col, int row, const std::string& text);

    const FamilyPlan& m_plan;
    TableContext m_context;
    TableModel m_model;
    /** The data files as this build reads them: each looked at once. */
    mutable LifeExpectancyFiles m_lifeFiles;
};

/** Convenience: TableBuilder(plan, context).build(). */
TableModel buildLifeCycleTable(const FamilyPlan& plan, const TableContext& context);

/** Number of member columns the plan gives (husband, wife, children, four parents as included). */
int memberCount(const FamilyPlan& plan);

} // namespace harukaze
