// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

namespace Ui {
class frmAbout;
}

namespace harukaze {

/**
 * The about box: product title, version, platform, the address of the program's own documentation
 * page (opened by the desktop's default handler when clicked) and a button that starts the
 * desktop's system-information program.
 */
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    /**
     * The page Label11 opens: the documentation installed beside the program and its help file
     * (what HARUKAZE is, version, licence, data sources), until the project has a public page.
     */
    static QUrl documentationUrl();

    /** The address shown by Label11: documentationUrl() as text. */
    static QString homePage();

    /**
     * Program names looked up on PATH, in order, by "ｼｽﾃﾑ情報"; the first one found is started.
     * Tests replace the list; an empty list restores the built-in one.
     */
    static void setSystemInfoPrograms(const QStringList& programs);
    static QStringList systemInfoPrograms();

    /**
     * How the documentation page's address is handed to the desktop: true when a browser took it.
     * Tests replace it; an empty function restores QDesktopServices::openUrl().
     */
    static void setUrlOpener(std::function<bool(const QUrl&)> opener);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startSystemInfo();

    const std::unique_ptr<Ui::frmAbout> m_ui;
};

} // namespace harukaze
