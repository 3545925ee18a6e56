// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FontDialog.h"

#include "core/table/TableShape.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include <algorithm>

namespace harukaze {

namespace {

bool s_hasAnswer = false;
std::optional<QFont> s_nextFont;
QFont s_lastInitial;

std::optional<QFont> withTableSize(std::optional<QFont> font)
{
    if (font && font->pointSizeF() > 0)
        font->setPointSizeF(std::clamp(font->pointSizeF(), TABLE_FONT_MIN_POINTS, TABLE_FONT_MAX_POINTS));
    return font;
}

} // namespace

std::optional<QFont> FontDialog::getFont(QWidget* parent, const QFont& initial)
{
    s_lastInitial = initial;
    if (s_hasAnswer) {
        s_hasAnswer = false;
        std::optional<QFont> answer = s_nextFont;
        s_nextFont.reset();
        return withTableSize(answer);
    }
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, listedFont(initial), parent, QString());
    if (!ok)
        return std::nullopt;
    return withTableSize(chosen);
}

QFont FontDialog::listedFont(const QFont& font)
{
    // The stored face is often a Windows name ("ＭＳ Ｐゴシック") that is only a substitution
    // here. The dialog cannot select a face it does not list and would fall back to its first
    // entry, so OK without a change would switch the table to an unrelated font.
    if (QFontDatabase::families().contains(font.family(), Qt::CaseInsensitive))
        return font;
    const QString drawnWith = QFontInfo(font).family();
    if (drawnWith.isEmpty())
        return font;
    QFont listed = font;
    listed.setFamilies({ drawnWith });
    return listed;
}

void FontDialog::setNextFont(const std::optional<QFont>& font)
{
    s_hasAnswer = true;
    s_nextFont = font;
}

QFont FontDialog::lastInitialFont()
{
    return s_lastInitial;
}

} // namespace harukaze
