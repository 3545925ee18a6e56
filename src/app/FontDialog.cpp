// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FontDialog.h"

#include <QFontDialog>

namespace {

bool s_hasAnswer = false;
std::optional<QFont> s_nextFont;
QFont s_lastInitial;

} // namespace

std::optional<QFont> FontDialog::getFont(QWidget* parent, const QFont& initial)
{
    s_lastInitial = initial;
    if (s_hasAnswer) {
        s_hasAnswer = false;
        std::optional<QFont> answer = s_nextFont;
        s_nextFont.reset();
        return answer;
    }
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent, QString());
    if (!ok)
        return std::nullopt;
    return chosen;
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
