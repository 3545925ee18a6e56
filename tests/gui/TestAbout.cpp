// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/MessageBox.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/shell/frmAbout.h"
#include "harukaze/Version.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace harukaze;

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testLabels();
    void testLabelsFit();
    void testOkCloses();
    void testHomePageOpensAddress_data();
    void testHomePageOpensAddress();
    void testHomePageIsTheInstalledDocumentation();
    void testSystemInfo_data();
    void testSystemInfo();

private:
    QByteArray m_savedPath;
};

void TestAbout::initTestCase()
{
    m_savedPath = qgetenv("PATH");
}

void TestAbout::init()
{
    MessageBox::clearLast();
}

void TestAbout::cleanup()
{
    qputenv("PATH", m_savedPath);
    frmAbout::setSystemInfoPrograms({});
}

void TestAbout::testLabels()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
    QCOMPARE(child<QLabel*>(&about, "lblTitle")->text(), QStringLiteral("HARUKAZE"));
    QCOMPARE(child<QLabel*>(&about, "lblVersion")->text(), QStringLiteral(HARUKAZE_VERSION));
    QVERIFY(!child<QLabel*>(&about, "lblPlatform")->text().isEmpty());
    QCOMPARE(child<QLabel*>(&about, "Label11")->text(), frmAbout::homePage());
    QCOMPARE(child<QPushButton*>(&about, "cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton*>(&about, "cmdSysInfo")->text(), QStringLiteral("ｼｽﾃﾑ情報"));
    // The icon comes from the GUI library's resources, which must be registered by the box itself.
    const QPixmap icon = child<QLabel*>(&about, "picIcon")->pixmap();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(64, 64));
}

void TestAbout::testLabelsFit()
{
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (QLabel* label : about.findChildren<QLabel*>())
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    for (QPushButton* button : about.findChildren<QPushButton*>())
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
}

void TestAbout::testOkCloses()
{
    frmAbout about;
    about.show();
    QTest::mouseClick(child<QPushButton*>(&about, "cmdOK"), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestAbout::testHomePageOpensAddress_data()
{
    QTest::addColumn<bool>("browser");
    QTest::newRow("a browser takes the address") << true;
    QTest::newRow("no browser: the help viewer shows the page") << false;
}

void TestAbout::testHomePageOpensAddress()
{
    QFETCH(bool, browser);
    QList<QUrl> handed;
    frmAbout::setUrlOpener([&handed, browser](const QUrl& url) {
        handed.append(url);
        return browser;
    });
    frmAbout about;
    about.show();
    QTest::mouseClick(child<QLabel*>(&about, "Label11"), Qt::LeftButton);
    frmAbout::setUrlOpener({});
    QCOMPARE(handed, QList<QUrl> { QUrl(frmAbout::homePage()) });
    HelpViewer* viewer = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<HelpViewer*>(widget); shown && shown->isVisible())
            viewer = shown;
    }
    for (QWidget* widget : about.findChildren<HelpViewer*>()) {
        if (widget->isVisible())
            viewer = qobject_cast<HelpViewer*>(widget);
    }
    QCOMPARE(viewer != nullptr, !browser);
    if (viewer) {
        QCOMPARE(viewer->fileName(), QUrl(frmAbout::homePage()).toLocalFile());
        QCOMPARE(MessageBox::count(), 0);
    }
    Help::close();
}

void TestAbout::testHomePageIsTheInstalledDocumentation()
{
    // The label names a page that is there: the documentation beside the program and its help
    // file, for the version the box shows, with nothing left unfilled by the build.
    frmAbout about;
    const QUrl address(child<QLabel*>(&about, "Label11")->text());
    QVERIFY(address.isLocalFile());
    const QFileInfo page(address.toLocalFile());
    QVERIFY2(page.isFile(), qPrintable(page.filePath()));
    QCOMPARE(page.dir(), QFileInfo(QStringLiteral(HARUKAZE_BIN_DIR "/HARUKAZE.HLP")).dir());
    const QString html = QString::fromUtf8(GuiTest::readFile(page.filePath()));
    QVERIFY(html.contains(QStringLiteral("<html lang=\"ja\">")));
    QVERIFY(html.contains(QStringLiteral("バージョン ") + child<QLabel*>(&about, "lblVersion")->text()));
    QVERIFY(!html.contains(QLatin1Char('@')));
    QCOMPARE(child<QLabel*>(&about, "homePageCaptionLabel")->text(), QStringLiteral("説明書:"));
}

void TestAbout::testSystemInfo_data()
{
    QTest::addColumn<QStringList>("programs");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("started");
    QTest::newRow("found") << QStringList { QStringLiteral("fake-sysinfo") } << true << true;
    QTest::newRow("first missing, second found")
        << QStringList { QStringLiteral("no-such-sysinfo"), QStringLiteral("fake-sysinfo") } << true << true;
    QTest::newRow("none on PATH") << QStringList { QStringLiteral("no-such-sysinfo") } << true << false;
    QTest::newRow("not executable") << QStringList { QStringLiteral("fake-sysinfo") } << false << false;
}

void TestAbout::testSystemInfo()
{
    QFETCH(QStringList, programs);
    QFETCH(bool, executable);
    QFETCH(bool, started);

    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString marker = bin.filePath(QStringLiteral("started"));
    QFile script(bin.filePath(QStringLiteral("fake-sysinfo")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toUtf8());
    script.close();
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        permissions |= QFileDevice::ExeOwner;
    QVERIFY(script.setPermissions(permissions));
    qputenv("PATH", QFile::encodeName(bin.path()));
    frmAbout::setSystemInfoPrograms(programs);

    frmAbout about;
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(child<QPushButton*>(&about, "cmdSysInfo"), Qt::LeftButton);
    if (started) {
        QTRY_VERIFY(QFile::exists(marker));
        QCOMPARE(MessageBox::count(), 0);
        MessageBox::plain(nullptr, QString()); // uses up the answer no box asked for
    } else {
        QCOMPARE(MessageBox::count(), 1);
        QCOMPARE(MessageBox::lastText(), QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
        QVERIFY(!QFile::exists(marker));
    }
}

QTEST_MAIN(TestAbout)
#include "TestAbout.moc"
