// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AppSettings.h"

#include "core/table/TableShape.h"
#include "gui/common/ProcessState.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>
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

// The pixel of a number of twips, as a restored placement is converted.
int twipsToPixel(double twips, double dpi)
{
    return qRound(twips * dpi / 1440.0);
}

// What a window system takes as a coordinate, and a window no smaller than this is still usable.
constexpr int MIN_COORDINATE = -32768;
constexpr int MAX_COORDINATE = 32767;
constexpr int MIN_SIZE = 100;

// The pixel of a stored number when it lies within low..high pixels, else nothing.
std::optional<int> pixelWithin(double twips, double dpi, int low, int high)
{
    const double exact = twips * dpi / 1440.0;
    // Far outside first, so that rounding never meets a number beyond the int range.
    if (!std::isfinite(exact) || exact < low - 1.0 || exact > high + 1.0)
        return std::nullopt;
    const int pixel = twipsToPixel(twips, dpi);
    if (pixel < low || pixel > high)
        return std::nullopt;
    return pixel;
}

// The roundest number of twips that gives `pixels` at `dpi`: a multiple of 10000, else 5000, 1000,
// ... 1, the one nearest the exact conversion. The twips of one pixel span 1440 / dpi, so below
// 1440 DPI some whole number always qualifies.
double roundestTwips(int pixels, double dpi)
{
    const double exact = pixels * 1440.0 / dpi;
    static const std::array<double, 9> steps { 10000, 5000, 1000, 500, 100, 50, 10, 5, 1 };
    for (double step : steps) {
        const double candidate = std::round(exact / step) * step;
        if (twipsToPixel(candidate, dpi) == pixels)
            return candidate;
    }
    return exact;
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
    const QString sizeText = m_settings->value(QStringLiteral("Font/FontSize")).toString().trimmed();
    state.FONT_SIZE = tableFontPoints(sizeText) ? sizeText.toStdString() : defaults.FONT_SIZE;
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

std::optional<double> AppSettings::tableFontPoints(const QString& text)
{
    // Digits with an optional fraction: the table applies the size as a lenient number, which
    // would read "1e2" as 1 and "9pt" as 9, so only what both readings agree on is taken.
    static const QRegularExpression plain(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!plain.match(trimmed).hasMatch())
        return std::nullopt;
    const double points = trimmed.toDouble();
    if (points < TABLE_FONT_MIN_POINTS || points > TABLE_FONT_MAX_POINTS)
        return std::nullopt;
    return points;
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

std::optional<QRect> AppSettings::placementPixels(const WindowPlacement& placement, double dpi)
{
    if (!(dpi > 0))
        return std::nullopt;
    const std::optional<int> left = pixelWithin(placement.left, dpi, MIN_COORDINATE, MAX_COORDINATE);
    const std::optional<int> top = pixelWithin(placement.top, dpi, MIN_COORDINATE, MAX_COORDINATE);
    const std::optional<int> width = pixelWithin(placement.width, dpi, MIN_SIZE, MAX_COORDINATE);
    const std::optional<int> height = pixelWithin(placement.height, dpi, MIN_SIZE, MAX_COORDINATE);
    if (!left || !top || !width || !height)
        return std::nullopt;
    return QRect(*left, *top, *width, *height);
}

QRect AppSettings::fitToScreens(const QRect& geometry, const QMargins& frame, const QList<QRect>& availableAreas)
{
    if (availableAreas.isEmpty())
        return geometry;
    const QSize decoration(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QRect outer(geometry.topLeft(), geometry.size() + decoration);

    QRect area = availableAreas.first();
    long long bestOverlap = 0;
    for (const QRect& candidate : availableAreas) {
        const QRect overlap = candidate.intersected(outer);
        const long long size = static_cast<long long>(overlap.width()) * overlap.height();
        if (!overlap.isEmpty() && size > bestOverlap) {
            bestOverlap = size;
            area = candidate;
        }
    }

    const QSize size = outer.size().boundedTo(area.size());
    const int left = std::clamp(outer.left(), area.left(), area.left() + area.width() - size.width());
    const int top = std::clamp(outer.top(), area.top(), area.top() + area.height() - size.height());
    const QSize inner = (size - decoration).expandedTo(QSize(1, 1));
    return { QPoint(left, top), inner };
}

QRect AppSettings::restoredGeometry(
    const WindowPlacement& stored, double dpi, const QMargins& frame, const QList<QRect>& availableAreas)
{
    // The defaults are a placement at every sensible resolution.
    const double usable = dpi > 0 ? dpi : 96.0;
    const std::optional<QRect> pixels = placementPixels(stored, usable);
    return fitToScreens(pixels ? *pixels : *placementPixels(WindowPlacement(), usable), frame, availableAreas);
}

QMargins AppSettings::frameMargins(const QWidget* window)
{
    if (const QWindow* handle = window->windowHandle()) {
        const QMargins known = handle->frameMargins();
        if (!known.isNull())
            return known;
    }
    // Before the window is shown its decoration is not known: leave room for a title bar and a
    // border as the style draws them on a window inside the program.
    const QStyle* style = window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return { border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), border, border };
}

WindowPlacement AppSettings::placementOf(const QRect& geometry, double dpi)
{
    WindowPlacement placement;
    if (!(dpi > 0))
        return placement;
    placement.left = roundestTwips(geometry.left(), dpi);
    placement.top = roundestTwips(geometry.top(), dpi);
    placement.width = roundestTwips(geometry.width(), dpi);
    placement.height = roundestTwips(geometry.height(), dpi);
    return placement;
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
