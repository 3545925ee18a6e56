// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AppSettings.h"

#include "gui/common/ProcessState.h"

#include <QSettings>

#include <cmath>

namespace harukaze {

namespace {

const QString s_application = QStringLiteral("HARUKAZE");

double readNumber(const QSettings& settings, const QString& key, double fallback)
{
    bool ok = false;
    const double value = settings.value(key).toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

QString readBool(const QSettings& settings, const QString& key)
{
    // Anything but "True" counts as not set, as the font flags are compared with "True" where applied.
    return settings.value(key, QStringLiteral("False"))
                .toString()
                .trimmed()
                .compare(QStringLiteral("True"), Qt::CaseInsensitive)
            == 0
        ? QStringLiteral("True")
        : QStringLiteral("False");
}

} // namespace

AppSettings::AppSettings()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, s_application, s_application))
{
}

AppSettings::~AppSettings() = default;

WindowPlacement AppSettings::placement() const
{
    const WindowPlacement defaults;
    WindowPlacement placement;
    placement.left = readNumber(*m_settings, QStringLiteral("Settings/MainLeft"), defaults.left);
    placement.top = readNumber(*m_settings, QStringLiteral("Settings/MainTop"), defaults.top);
    placement.width = readNumber(*m_settings, QStringLiteral("Settings/MainWidth"), defaults.width);
    placement.height = readNumber(*m_settings, QStringLiteral("Settings/MainHeight"), defaults.height);
    return placement;
}

void AppSettings::setPlacement(const WindowPlacement& placement)
{
    m_settings->setValue(QStringLiteral("Settings/MainLeft"), numberText(placement.left));
    m_settings->setValue(QStringLiteral("Settings/MainTop"), numberText(placement.top));
    m_settings->setValue(QStringLiteral("Settings/MainWidth"), numberText(placement.width));
    m_settings->setValue(QStringLiteral("Settings/MainHeight"), numberText(placement.height));
}

void AppSettings::readFont(ProcessState& state) const
{
    const ProcessState defaults;
    const QString name = m_settings->value(QStringLiteral("Font/FontName")).toString().trimmed();
    state.FONT_NAME = name.isEmpty() ? defaults.FONT_NAME : name.toStdString();
    bool ok = false;
    const QString sizeText = m_settings->value(QStringLiteral("Font/FontSize")).toString().trimmed();
    const double size = sizeText.toDouble(&ok);
    state.FONT_SIZE = ok && size > 0 && size < 1000 ? sizeText.toStdString() : defaults.FONT_SIZE;
    state.FONT_BOLD = readBool(*m_settings, QStringLiteral("Font/FontBold")).toStdString();
    state.FONT_ITALIC = readBool(*m_settings, QStringLiteral("Font/FontItalic")).toStdString();
}

void AppSettings::writeFont(const ProcessState& state)
{
    m_settings->setValue(QStringLiteral("Font/FontName"), QString::fromStdString(state.FONT_NAME));
    m_settings->setValue(QStringLiteral("Font/FontSize"), QString::fromStdString(state.FONT_SIZE));
    m_settings->setValue(QStringLiteral("Font/FontBold"), QString::fromStdString(state.FONT_BOLD));
    m_settings->setValue(QStringLiteral("Font/FontItalic"), QString::fromStdString(state.FONT_ITALIC));
}

int AppSettings::demoView() const
{
    bool ok = false;
    const int view
        = m_settings->value(QStringLiteral("DEMO/VIEW"), QStringLiteral("1")).toString().trimmed().toInt(&ok);
    return ok ? view : 1;
}

void AppSettings::setDemoView(int view)
{
    m_settings->setValue(QStringLiteral("DEMO/VIEW"), QString::number(view));
}

bool AppSettings::attentionMarksShown() const
{
    bool ok = false;
    const int view
        = m_settings->value(QStringLiteral("ATTENTION/VIEW"), QStringLiteral("1")).toString().trimmed().toInt(&ok);
    return !ok || view != 0;
}

void AppSettings::setAttentionMarksShown(bool shown)
{
    m_settings->setValue(QStringLiteral("ATTENTION/VIEW"), shown ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList AppSettings::recentFiles() const
{
    QStringList paths;
    for (int number = 1;; ++number) {
        const QString path = m_settings->value(QStringLiteral("Recent/File") + QString::number(number)).toString();
        if (path.isEmpty())
            break;
        paths.append(path);
    }
    return paths;
}

void AppSettings::setRecentFiles(const QStringList& paths)
{
    m_settings->remove(QStringLiteral("Recent"));
    for (qsizetype i = 0; i < paths.size(); ++i)
        m_settings->setValue(QStringLiteral("Recent/File") + QString::number(i + 1), paths.at(i));
}

void AppSettings::sync()
{
    m_settings->sync();
}

double AppSettings::twipsToPixels(double twips, double dpi)
{
    return twips * dpi / 1440.0;
}

double AppSettings::pixelsToTwips(double pixels, double dpi)
{
    return pixels * 1440.0 / dpi;
}

QString AppSettings::numberText(double value)
{
    return QString::number(static_cast<float>(value), 'g', 7);
}

} // namespace harukaze
