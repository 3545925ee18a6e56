// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableBuilder.h"

#include "core/io/NumberText.h"
#include "core/plan/EraCalendar.h"
#include "core/plan/FamilyDefaults.h"
#include "core/table/LifeExpectancy.h"
#include "core/table/TableMembers.h"

#include <array>
#include <optional>
#include <utility>

namespace harukaze {

namespace {

constexpr int GOLDEN_WEDDING_YEARS = 50;
constexpr int SILVER_WEDDING_YEARS = 25;
constexpr int BRONZE_WEDDING_YEARS = 7;

const char* const GOLDEN_WEDDING_TEXT = " 金婚式";
const char* const SILVER_WEDDING_TEXT = " 銀婚式";
const char* const BRONZE_WEDDING_TEXT = " 銅婚式";

// The husband's column is written without inner gaps; everybody else's texts carry an
// ideographic space (U+3000) between the two characters.
struct LifeTexts
{
    const char* yakutoshi;
    const char* retire;
    const char* care;
    const char* endOfLife;
};
const LifeTexts HUSBAND_TEXTS { " 厄年", " 定年", " 介護", " 寿命" };
const LifeTexts SPACED_TEXTS { " 厄\u3000年", " 定\u3000年", " 介\u3000護", " 寿\u3000命" };

// Texts of the event columns of ST3_MTX1, indexed by column number, in the order they are tested.
const std::array<const char*, MTX1_COLUMNS + 1> CHILD_EVENT_TEXTS {
    nullptr, // there is no column 0
    nullptr, // MTX1_BIRTH_YEAR is no event
    " 幼稚園", // MTX1_KINDERGARTEN
    " 小学校", // MTX1_ELEMENTARY
    " 中学校", // MTX1_JUNIOR_HIGH
    " 高\u3000校", // MTX1_HIGH_SCHOOL
    " 大\u3000学", // MTX1_UNIVERSITY
    " 成人式", // MTX1_COMING_OF_AGE
    " 就\u3000職", // MTX1_EMPLOYMENT
    " 結\u3000婚", // MTX1_MARRIAGE
    " 第\uFF11子", // MTX1_FIRST_CHILD, full-width digit one
    " 第\uFF12子", // MTX1_SECOND_CHILD, full-width digit two
    " 厄\u3000年", // MTX1_YAKUTOSHI
    " 定\u3000年", // MTX1_RETIRE
};

// What a parent code stands for: the couple section, the man or the woman of it, the label.
struct Parent
{
    CoupleSection section;
    bool father;
    const char* label;
};

std::optional<Parent> parentOf(ParentCode code)
{
    switch (code) {
    case ParentCode::HusbandFather:
        return Parent { CoupleSection::ST4, true, "夫側父" };
    case ParentCode::HusbandMother:
        return Parent { CoupleSection::ST4, false, "夫側母" };
    case ParentCode::WifeFather:
        return Parent { CoupleSection::ST5, true, "妻側父" };
    case ParentCode::WifeMother:
        return Parent { CoupleSection::ST5, false, "妻側母" };
    }
    return std::nullopt;
}

// Care in the two years before the age at death, then the end of life. They have no switch:
// whenever those years fall inside the table they are shown.
void appendEndOfLife(std::string& events, const LifeTexts& texts, int age, int16_t L)
{
    if (age == L - 2)
        events += texts.care;
    if (age == L - 1)
        events += texts.care;
    if (age == L)
        events += texts.endOfLife;
}

// What a married member's column shows beyond the age: the couple's anniversaries, the unlucky
// year, the retirement and the age at death L.
struct LifeEvents
{
    int marriageYear = 0;
    bool golden = false;
    bool silver = false;
    bool bronze = false;
    bool yakutoshi = false;
    int yakutoshiAge = 0;
    bool retire = false;
    int retireAge = 0;
    int16_t L = 0;
    const LifeTexts* texts = &SPACED_TEXTS;
};

void appendLifeEvents(std::string& events, const LifeEvents& life, int year, int age)
{
    if (life.golden && year - life.marriageYear == GOLDEN_WEDDING_YEARS)
        events += GOLDEN_WEDDING_TEXT;
    if (life.silver && year - life.marriageYear == SILVER_WEDDING_YEARS)
        events += SILVER_WEDDING_TEXT;
    if (life.bronze && year - life.marriageYear == BRONZE_WEDDING_YEARS)
        events += BRONZE_WEDDING_TEXT;
    if (life.yakutoshi && age == life.yakutoshiAge)
        events += life.texts->yakutoshi;
    if (life.retire && age == life.retireAge)
        events += life.texts->retire;
    appendEndOfLife(events, *life.texts, age, life.L);
}

bool isYes(int16_t flag)
{
    return flag == 1;
}

std::string ageText(int age)
{
    return formatPadded(age, 2);
}

} // namespace

TableBuilder::TableBuilder(const FamilyPlan& plan, const TableContext& context)
    : m_plan(plan)
    , m_context(context)
    , m_lifeFiles(context.appDir)
{
    m_model.fontName = m_context.fontName;
    m_model.fontSize = lenientTextToDouble(m_context.fontSize);
    m_model.firstYear = m_context.y0;
}

TableModel TableBuilder::build() &
{
    fillTable();
    return m_model;
}

TableModel TableBuilder::build() &&
{
    fillTable();
    return std::move(m_model);
}

void TableBuilder::fillTable()
{
    const std::vector<TableMember> members = tableMembers(m_plan);
    m_model.columns.assign(static_cast<size_t>(TABLE_FIXED_COLS) + members.size(), TableColumn {});
    layOutYearColumns();
    m_model.facts.firstYear = m_context.y0;
    m_model.facts.members.clear();
    m_model.facts.members.reserve(members.size());
    for (const TableMember& member : members)
        m_model.facts.members.push_back(MemberFacts { member, {}, memberBirthYear(m_plan, member), 0, 0, {}, {} });

    // The members in their column order; at most 16 of them keep the columns within 2..17.
    for (const TableMember& member : members) {
        const auto column = static_cast<int16_t>(member.column);
        switch (member.kind) {
        case MemberKind::Husband:
            SUKE_1_EVENT(column);
            break;
        case MemberKind::Wife:
            SUKE_2_EVENT(column);
            break;
        case MemberKind::Child:
            SUKE_3_EVENT(column, static_cast<int16_t>(member.child));
            break;
        case MemberKind::Parent:
            SUKE_4_EVENT(column, static_cast<ParentCode>(member.parentCode));
            break;
        }
    }
}

void TableBuilder::SUKE_1_EVENT(int16_t RETSU)
{
    fillCouple(RETSU, false);
}

void TableBuilder::SUKE_2_EVENT(int16_t RETSU)
{
    fillCouple(RETSU, true);
}

void TableBuilder::SUKE_3_EVENT(int16_t RETSU, int16_t KID)
{
    fillChild(RETSU, KID);
}

void TableBuilder::SUKE_4_EVENT(int16_t RETSU, ParentCode SEX)
{
    fillParent(RETSU, SEX);
}

void TableBuilder::layOutYearColumns()
{
    const int y0 = m_context.y0;

    TableColumn& western = column(0);
    western.fixedAlignment = ALIGN_CENTER_CENTER;
    western.widthTwips = tableColumnWidthTwips(m_model.fontSize, 0);
    western.columnAlignment = ALIGN_CENTER_TOP;
    setCell(0, 1, "西暦");
    for (int n = 0; n < TABLE_YEARS; ++n)
        setCell(0, TABLE_FIXED_ROWS + n, formatPadded(y0 + n, 4));

    // The era column follows the era in force in each row's year (平成 until 2018, 令和 after).
    TableColumn& era = column(1);
    era.fixedAlignment = ALIGN_CENTER_CENTER;
    era.widthTwips = tableColumnWidthTwips(m_model.fontSize, 1);
    era.columnAlignment = ALIGN_CENTER_TOP;
    setCell(1, 1, "和暦");
    for (int n = 0; n < TABLE_YEARS; ++n)
        setCell(1, TABLE_FIXED_ROWS + n, formatPadded(eraForYear(y0 + n).year, 2));
}

void TableBuilder::fillCouple(int RETSU, bool wife)
{
    const int y0 = m_context.y0;
    const int a0 = y0 - (wife ? m_plan.ST2_WIFE_BIRTH_YEAR : m_plan.ST2_HUSBAND_BIRTH_YEAR);
    if (!startMemberColumn(RETSU, wife ? "妻" : "夫", a0))
        return;

    LifeEvents life;
    life.marriageYear = m_plan.ST2_MARRIAGE_YEAR;
    life.golden = isYes(m_plan.ST2_GOLDEN_WEDDING);
    life.silver = isYes(m_plan.ST2_SILVER_WEDDING);
    life.bronze = isYes(m_plan.ST2_BRONZE_WEDDING);
    if (wife) {
        life.yakutoshi = isYes(m_plan.ST2_WIFE_YAKUTOSHI);
        life.yakutoshiAge = YAKUTOSHI_AGE_WOMAN;
        life.retire = isYes(m_plan.ST2_WIFE_RETIRE);
        life.retireAge = m_plan.ST2_WIFE_RETIRE_AGE;
        life.texts = &SPACED_TEXTS;
        if (isYes(m_plan.ST2_WIFE_LIFE_STAT))
            m_lifeFiles.read(FEMALE_LIFE_FILE, a0, true, life.L);
        else
            life.L = m_plan.ST2_WIFE_LIFESPAN;
    } else {
        life.yakutoshi = isYes(m_plan.ST2_HUSBAND_YAKUTOSHI);
        life.yakutoshiAge = YAKUTOSHI_AGE_MAN;
        life.retire = isYes(m_plan.ST2_HUSBAND_RETIRE);
        life.retireAge = m_plan.ST2_HUSBAND_RETIRE_AGE;
        life.texts = &HUSBAND_TEXTS;
        if (isYes(m_plan.ST2_HUSBAND_LIFE_STAT))
            m_lifeFiles.read(MALE_LIFE_FILE, a0, true, life.L);
        else
            life.L = m_plan.ST2_HUSBAND_LIFESPAN;
    }

    // Births of every child recorded in the plan appear in the husband's column, whether or not
    // the children have columns of their own.
    const int births = wife ? 0 : m_plan.childCount();
    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int year = y0 + n;
        const int age = a0 + n;
        std::string events;
        for (int kid = 1; kid <= births; ++kid) {
            if (m_plan.mtx1(kid, MTX1_BIRTH_YEAR) == year)
                events += " " + m_plan.mtx2(kid, MTX2_ZOKUGARA) + "誕生";
        }
        appendLifeEvents(events, life, year, age);
        appendToCell(RETSU, TABLE_FIXED_ROWS + n, events);
    }
    recordMember(RETSU, life.L, life.retireAge, life.retire, {});
}

void TableBuilder::fillChild(int RETSU, int KID)
{
    if (KID < 1 || KID > MAX_CHILDREN)
        return;
    const int y0 = m_context.y0;
    const std::string& label = m_plan.mtx2(KID, MTX2_ZOKUGARA);
    const int birthYear = m_plan.mtx1(KID, MTX1_BIRTH_YEAR);
    const int a0 = y0 - birthYear;
    if (!startMemberColumn(RETSU, label, a0))
        return;

    // A child has no choice between statistics and an entered age: the data file always decides.
    int16_t L = 0;
    const bool son = sexOfLabel(label) == ChildSex::Son;
    m_lifeFiles.read(son ? MALE_LIFE_FILE : FEMALE_LIFE_FILE, a0, true, L);

    for (int n = 0; n < TABLE_YEARS; ++n) {
        const int year = y0 + n;
        const int age = a0 + n;
        std::string events;
        for (int eventColumn = MTX1_KINDERGARTEN; eventColumn <= MTX1_RETIRE; ++eventColumn) {
            const int eventAge = m_plan.mtx1(KID, eventColumn);
            if (eventAge != 0 && birthYear + eventAge == year)
                events += CHILD_EVENT_TEXTS[static_cast<size_t>(eventColumn)];
        }
        appendEndOfLife(events, SPACED_TEXTS, age, L);
        appendToCell(RETSU, TABLE_FIXED_ROWS + n, events);
    }
    const int retireAge = m_plan.mtx1(KID, MTX1_RETIRE);
    recordMember(RETSU,
        L,
        retireAge,
        retireAge != 0,
        { m_plan.mtx1(KID, MTX1_KINDERGARTEN),
            m_plan.mtx1(KID, MTX1_ELEMENTARY),
            m_plan.mtx1(KID, MTX1_JUNIOR_HIGH),
            m_plan.mtx1(KID, MTX1_HIGH_SCHOOL),
            m_plan.mtx1(KID, MTX1_UNIVERSITY) });
}

void TableBuilder::fillParent(int RETSU, ParentCode SEX)
{
    const std::optional<Parent> parent = parentOf(SEX);
    if (!parent)
        return;
    const CoupleSection section = parent->section;
    const bool father = parent->father;

    const int y0 = m_context.y0;
    const int birthYear = m_plan.couple(section, father ? COUPLE_MAN_BIRTH_YEAR : COUPLE_WOMAN_BIRTH_YEAR);
    const int a0 = y0 - birthYear;
    if (!startMemberColumn(RETSU, parent->label, a0))
        return;

    // The anniversaries belong to the parents as a couple: father and mother read the same fields.
    LifeEvents life;
    life.marriageYear = m_plan.couple(section, COUPLE_MARRIAGE_YEAR);
    life.golden = isYes(m_plan.couple(section, COUPLE_GOLDEN_WEDDING));
    life.silver = isYes(m_plan.couple(section, COUPLE_SILVER_WEDDING));
    life.bronze = isYes(m_plan.couple(section, COUPLE_BRONZE_WEDDING));
    life.yakutoshi = isYes(m_plan.couple(section, father ? COUPLE_MAN_YAKUTOSHI : COUPLE_WOMAN_YAKUTOSHI));
    life.yakutoshiAge = father ? YAKUTOSHI_AGE_MAN : YAKUTOSHI_AGE_WOMAN;
    life.retire = isYes(m_plan.couple(section, father ? COUPLE_MAN_RETIRE : COUPLE_WOMAN_RETIRE));
    life.retireAge = m_plan.couple(section, father ? COUPLE_MAN_RETIRE_AGE : COUPLE_WOMAN_RETIRE_AGE);
    life.texts = &SPACED_TEXTS;
    life.L = parentAgeAtDeath(SEX);

    for (int n = 0; n < TABLE_YEARS; ++n) {
        std::string events;
        appendLifeEvents(events, life, y0 + n, a0 + n);
        appendToCell(RETSU, TABLE_FIXED_ROWS + n, events);
    }
    recordMember(RETSU, life.L, life.retireAge, life.retire, {});
}

int16_t TableBuilder::parentAgeAtDeath(ParentCode SEX) const
{
    const std::optional<Parent> parent = parentOf(SEX);
    if (!parent)
        return 0;
    const CoupleSection section = parent->section;
    const bool father = parent->father;
    const int a0 = m_context.y0 - m_plan.couple(section, father ? COUPLE_MAN_BIRTH_YEAR : COUPLE_WOMAN_BIRTH_YEAR);
    // Parents are always read from the file: a parent not yet born gets no fixed age at death.
    int16_t L = 0;
    if (isYes(m_plan.couple(section, father ? COUPLE_MAN_LIFE_STAT : COUPLE_WOMAN_LIFE_STAT)))
        m_lifeFiles.read(father ? MALE_LIFE_FILE : FEMALE_LIFE_FILE, a0, false, L);
    else
        L = m_plan.couple(section, father ? COUPLE_MAN_LIFESPAN : COUPLE_WOMAN_LIFESPAN);
    return L;
}

bool TableBuilder::startMemberColumn(int col, const std::string& label, int a0)
{
    // A member column must be one that TBL can mirror; anything else is not a table column.
    if (col < TABLE_FIXED_COLS || col >= TBL_COLUMNS)
        return false;
    TableColumn& member = column(col);
    member.fixedAlignment = ALIGN_CENTER_CENTER;
    member.widthTwips = tableColumnWidthTwips(m_model.fontSize, col);
    member.columnAlignment = ALIGN_LEFT_CENTER;
    setCell(col, 0, label);
    setCell(col, 1, ageText(a0) + "歳");
    for (int n = 0; n < TABLE_YEARS; ++n)
        setCell(col, TABLE_FIXED_ROWS + n, ageText(a0 + n));
    return true;
}

MemberFacts* TableBuilder::factsOf(int col)
{
    for (MemberFacts& facts : m_model.facts.members) {
        if (facts.member.column == col)
            return &facts;
    }
    return nullptr;
}

void TableBuilder::recordMember(
    int col, int L, int retireAge, bool showRetirement, const std::array<int, SCHOOL_STAGES>& schoolEntryAges)
{
    MemberFacts* facts = factsOf(col);
    if (facts == nullptr)
        return;
    facts->label = column(col).cells[0];
    facts->ageAtDeath = L;
    facts->retireAge = retireAge;
    facts->schoolEntryAges = schoolEntryAges;
    completeMemberYears(*facts, m_context.y0, showRetirement);
}

TableColumn& TableBuilder::column(int col)
{
    if (static_cast<size_t>(col) >= m_model.columns.size())
        m_model.columns.resize(static_cast<size_t>(col) + 1);
    return m_model.columns[static_cast<size_t>(col)];
}

void TableBuilder::setCell(int col, int row, std::string text)
{
    column(col).cells[static_cast<size_t>(row)] = std::move(text);
}

void TableBuilder::appendToCell(int col, int row, const std::string& text)
{
    if (text.empty())
        return;
    if (MemberFacts* facts = factsOf(col); facts != nullptr && row >= TABLE_FIXED_ROWS)
        facts->years[static_cast<size_t>(row - TABLE_FIXED_ROWS)].events += text;
    column(col).cells[static_cast<size_t>(row)] += text;
}

TableModel buildLifeCycleTable(const FamilyPlan& plan, const TableContext& context)
{
    return TableBuilder(plan, context).build();
}

int memberCount(const FamilyPlan& plan)
{
    return static_cast<int>(tableMembers(plan).size());
}

} // namespace harukaze
