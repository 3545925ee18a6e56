// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;
class QWidget;

namespace harukaze {

struct ProcessState;

/** The main window's placement as stored: left, top, width and height in twips. */
struct WindowPlacement
{
    double left = 500;
    double top = 500;
    double width = 9500;
    double height = 7500;
};

/**
 * The per-user settings store of application "HARUKAZE": sections "Settings" (window placement in
 * twips), "Font" (the table font), "DEMO" (whether the opening demo is shown), "ATTENTION"
 * (whether the tables show their attention marks) and "Recent" (the recently used plan files).
 * Values are text;
 * an absent or non-numeric value reads as its default.
 */
class AppSettings
{
public:
    AppSettings();
    ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    /** The stored placement; each key that is absent or not a number takes its default. */
    WindowPlacement placement() const;
    void setPlacement(const WindowPlacement& placement);

    /**
     * Reads FONT_NAME, FONT_SIZE, FONT_BOLD and FONT_ITALIC. A size that is not a plain decimal
     * number of points ("9", "10.5") within 6..36 reads as 9.
     */
    void readFont(ProcessState& state) const;
    void writeFont(const ProcessState& state);

    /** The points of a stored table font size: a plain decimal number within 6..36, else nothing. */
    static std::optional<double> tableFontPoints(const QString& text);

    /** "DEMO" / "VIEW" as an integer, 1 when absent or not a number. */
    int demoView() const;
    void setDemoView(int view);

    /** "ATTENTION" / "VIEW": whether the table windows show the attention marks; on unless stored as 0. */
    bool attentionMarksShown() const;
    void setAttentionMarksShown(bool shown);

    /** "Recent" / "File1", "File2", ...: the recently used plan files, most recent first. */
    QStringList recentFiles() const;
    /** Stores `paths` as "File1" onwards and removes the keys of any longer list stored before. */
    void setRecentFiles(const QStringList& paths);

    void sync();

    /**
     * The pixels of a stored placement at `dpi`, as move() and resize() take them: the frame's top
     * left and the window's inner size. Nothing when a number is not finite or lies beyond what a
     * window can be: a left or top outside -32768..32767 pixels, a width or height outside
     * 100..32767 pixels.
     */
    static std::optional<QRect> placementPixels(const WindowPlacement& placement, double dpi);

    /**
     * A window's geometry (frame top left, inner size; `frame` the decoration around the inner
     * size) brought onto the available areas of the screens: onto the area it overlaps most, or the
     * first (the primary screen's) when it overlaps none; no larger than that area, frame
     * included, and wholly inside it, so its whole title bar can be reached. Unchanged without areas.
     */
    static QRect fitToScreens(const QRect& geometry, const QMargins& frame, const QList<QRect>& availableAreas);

    /**
     * Where the main window goes for a stored placement: its pixels, or the defaults' when the
     * stored numbers are no placement, fitted to the screens.
     */
    static QRect restoredGeometry(
        const WindowPlacement& stored, double dpi, const QMargins& frame, const QList<QRect>& availableAreas);

    /** The decoration around a top-level window: as the window system reports it once the window is shown, else a title
     * bar's height above. */
    static QMargins frameMargins(const QWidget* window);

    /**
     * The placement to store for a window at `geometry` pixels: each number the roundest number of
     * twips that comes back as the same pixel at `dpi`, so the defaults (500, 500, 9500, 7500)
     * restored and stored again stay exactly the defaults.
     */
    static WindowPlacement placementOf(const QRect& geometry, double dpi);

    /** Converts between twips and pixels at `dpi` dots per inch (1440 twips to the inch). */
    static double twipsToPixels(double twips, double dpi);
    static double pixelsToTwips(double pixels, double dpi);
    /** Text of a single-precision number as the store keeps it ("500", "7.5"). */
    static QString numberText(double value);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace harukaze
