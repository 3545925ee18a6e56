// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>

class QLineEdit;
namespace Ui {
class Form23;
}

namespace harukaze {

/**
 * The era input dialog "和暦→西暦変換": the user picks a Japanese era and an era year and "挿入"
 * hands the matching Western year to the field it was opened for. It opens on 昭和 with the current era's
 * year as the selected year text (typing replaces it) and the Western year worked out from both,
 * so that era, era year and Western year on screen always agree.
 * Created for one opening; use ERA_INPUT() rather than the dialog itself.
 */
class Form23 : public QDialog
{
    Q_OBJECT

public:
    explicit Form23(QWidget* parent = nullptr);
    ~Form23() override;

    /** The Western year shown in Label4, which "挿入" inserts. */
    int shownYear() const;
    /** The Western year "挿入" inserted, 0 while nothing was inserted (ｷｬﾝｾﾙ or the window closed). */
    int16_t insertedYear() const { return m_insertedYear; }

private:
    void recalculate();
    void insert();

    const std::unique_ptr<Ui::Form23> m_ui;
    int16_t m_insertedYear = 0;
};

/**
 * Runs the era dialog modally for a year field whose whole-number value is `year` and gives the
 * inserted Western year, or `year` itself when nothing was inserted.
 */
int16_t ERA_INPUT(int16_t year, QWidget* parent);

/**
 * What every "和暦入力" button does: hands the leading number of `target` (0 when there is none) to
 * the era dialog and writes the returned year back into `target` as decimal text.
 */
void ERA_INPUT(QLineEdit* target, QWidget* parent);

} // namespace harukaze
