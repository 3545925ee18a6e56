// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

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

    /** Reads FONT_NAME, FONT_SIZE, FONT_BOLD and FONT_ITALIC (a size that is not a positive number reads as 9). */
    void readFont(ProcessState& state) const;
    void writeFont(const ProcessState& state);

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

    /** Converts between twips and pixels at `dpi` dots per inch (1440 twips to the inch). */
    static double twipsToPixels(double twips, double dpi);
    static double pixelsToTwips(double pixels, double dpi);
    /** Text of a single-precision number as the store keeps it ("500", "7.5"). */
    static QString numberText(double value);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace harukaze
