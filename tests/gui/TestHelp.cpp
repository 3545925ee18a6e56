// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/MessageBox.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/shell/frmMain.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <functional>

using namespace harukaze;

namespace {

struct SampleTopic
{
    int number;
    const char* title;
    const char* body;
};

const SampleTopic kTopics[] = {
    { 90, "家族の範囲を決める", "ライフサイクル表に載せる家族を選びます。" },
    { 103, "夫妻の設定", "夫と妻の生まれ年、定年、寿命を入力します。ｶﾀｶﾅの統計値も使えます。" },
    { 70, "子供の設定", "子供の行事の年齢を設定します。ダブルクリックで変更します。" },
    { 62, "家族設定内容の変更", "作成済みの計画を変更します。CSV には影響しません。" },
    { 11, "ファイルとCSV", "計画をファイルに保存し、ＣＳＶ形式で書き出します。" },
};

QString sampleHelpHtml()
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>ハルカゼ</title></head><body>\n"
                                  "<a name=\"contents\"></a><h1>目次</h1><ul>\n");
    for (const SampleTopic& topic : kTopics)
        html += QStringLiteral("<li><a href=\"#topic-%1\">%2</a></li>\n")
                    .arg(topic.number)
                    .arg(QString::fromUtf8(topic.title));
    html += QStringLiteral("</ul>\n");
    // Long topics, so that reaching a topic really means scrolling to it.
    const QString filler = QStringLiteral("<p>説明の続きです。</p>\n").repeated(60);
    for (const SampleTopic& topic : kTopics) {
        html += QStringLiteral("<a name=\"topic-%1\"></a>\n<h2>%2</h2>\n<p>%3</p>\n")
                    .arg(topic.number)
                    .arg(QString::fromUtf8(topic.title), QString::fromUtf8(topic.body));
        html += filler;
    }
    html += QStringLiteral("</body></html>\n");
    return html;
}

HelpViewer* findViewer()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

// Text of the first block drawn at the top of the browser's viewport.
QString topVisibleText(HelpViewer* viewer)
{
    auto* browser = child<QTextBrowser*>(viewer, "helpBrowser");
    return browser->cursorForPosition(QPoint(4, 4)).block().text();
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testTopicScrollsToAnchor_data();
    void testTopicScrollsToAnchor();
    void testUnknownTopicShowsContents();
    void testContents();
    void testSearchOpensWithEmptyKeyword();
    void testSearchKeyword_data();
    void testSearchKeyword();
    void testSearchResultOpensTopic();
    void testBackAndForward();
    void testLinks_data();
    void testLinks();
    void testCloseClosesViewer();
    void testHelpFromModalDialog();
    void testEmptyHelpFileName_data();
    void testEmptyHelpFileName();
    void testUnreadableHelpFile_data();
    void testUnreadableHelpFile();
    void testShippedHelpFileHasEveryTopic();
    void testContentsPaneShowsWholeTitles();
    void testShippedHelpFindsTheCommands_data();
    void testShippedHelpFindsTheCommands();
    void testShippedHelpNamesEveryMenuCommand();

private:
    QTemporaryDir m_dir;
    QString m_helpPath;
    QWidget m_mainWindow;
};

void TestHelp::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_helpPath = m_dir.filePath(QStringLiteral("HARUKAZE.HLP"));
    QFile file(m_helpPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sampleHelpHtml().toUtf8());
    file.close();
    m_mainWindow.setWindowTitle(QStringLiteral("ハルカゼ"));
}

void TestHelp::init()
{
    Help::setHelpFile(m_helpPath);
    MessageBox::clearLast();
}

void TestHelp::cleanup()
{
    Help::close();
    QTRY_VERIFY(findViewer() == nullptr);
}

void TestHelp::testTopicScrollsToAnchor_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("title");
    for (const SampleTopic& topic : kTopics)
        QTest::addRow("topic %d", topic.number) << topic.number << QString::fromUtf8(topic.title);
}

void TestHelp::testTopicScrollsToAnchor()
{
    QFETCH(int, topic);
    QFETCH(QString, title);

    Help::showTopic(&m_mainWindow, topic);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    viewer->resize(800, 500);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("ハルカゼ ヘルプ"));
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-%1").arg(topic));
    Help::showTopic(&m_mainWindow, topic);
    QCOMPARE(topVisibleText(viewer), title);
    QCOMPARE(MessageBox::count(), 0);
}

void TestHelp::testUnknownTopicShowsContents()
{
    Help::showTopic(&m_mainWindow, 4242);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("contents"));
}

void TestHelp::testContents()
{
    Help::showTopic(&m_mainWindow, 11);
    Help::showContents(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("contents"));
    QCOMPARE(topVisibleText(viewer), QStringLiteral("目次"));
    auto* tabs = child<QTabWidget*>(viewer, "navigationTabWidget");
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("contentsTab"));

    auto* list = child<QListWidget*>(viewer, "contentsListWidget");
    QCOMPARE(list->count(), int(std::size(kTopics)));
    for (int row = 0; row < list->count(); ++row)
        QCOMPARE(list->item(row)->text(), QString::fromUtf8(kTopics[row].title));
}

void TestHelp::testSearchOpensWithEmptyKeyword()
{
    Help::showSearch(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    auto* tabs = child<QTabWidget*>(viewer, "navigationTabWidget");
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("searchTab"));
    auto* field = child<QLineEdit*>(viewer, "searchLineEdit");
    QCOMPARE(field->text(), QString());
    auto* results = child<QListWidget*>(viewer, "searchResultListWidget");
    QCOMPARE(results->count(), int(std::size(kTopics)));

    // Typing narrows the list; a second search request starts empty again.
    field->setText(QStringLiteral("ダブルクリック"));
    QCOMPARE(results->count(), 1);
    Help::showSearch(&m_mainWindow);
    QCOMPARE(field->text(), QString());
    QCOMPARE(results->count(), int(std::size(kTopics)));
}

void TestHelp::testSearchKeyword_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QVector<int>>("expected");
    QTest::newRow("title word") << QStringLiteral("子供") << QVector<int> { 70 };
    QTest::newRow("body word") << QStringLiteral("定年") << QVector<int> { 103 };
    QTest::newRow("half-width finds full-width") << QStringLiteral("ｶﾀｶﾅ") << QVector<int> { 103 };
    QTest::newRow("full-width finds half-width") << QStringLiteral("カタカナ") << QVector<int> { 103 };
    QTest::newRow("ascii finds full-width letters") << QStringLiteral("csv") << QVector<int> { 62, 11 };
    QTest::newRow("two words, ideographic space") << QStringLiteral("計画\u3000変更") << QVector<int> { 62 };
    QTest::newRow("blank is every topic") << QStringLiteral("  ") << QVector<int> { 90, 103, 70, 62, 11 };
    QTest::newRow("nothing") << QStringLiteral("宇宙旅行") << QVector<int> {};
}

void TestHelp::testSearchKeyword()
{
    QFETCH(QString, keyword);
    QFETCH(QVector<int>, expected);
    Help::showSearch(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->search(keyword), expected);
}

void TestHelp::testSearchResultOpensTopic()
{
    Help::showSearch(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    auto* field = child<QLineEdit*>(viewer, "searchLineEdit");
    field->setText(QStringLiteral("生まれ年"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-103"));
}

void TestHelp::testBackAndForward()
{
    Help::showTopic(&m_mainWindow, 90);
    Help::showTopic(&m_mainWindow, 62);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    auto* back = child<QPushButton*>(viewer, "backButton");
    auto* forward = child<QPushButton*>(viewer, "forwardButton");
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-90"));
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-62"));
}

void TestHelp::testLinks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<bool>("toDesktop");
    QTest::newRow("topic in the file") << QStringLiteral("#topic-70") << QStringLiteral("topic-70") << false;
    QTest::newRow("another file") << QStringLiteral("other.html#topic-70") << QStringLiteral("topic-62") << false;
    QTest::newRow("web page") << QStringLiteral("https://harukaze.example.jp/") << QStringLiteral("topic-62") << true;
}

void TestHelp::testLinks()
{
    QFETCH(QString, link);
    QFETCH(QString, anchor);
    QFETCH(bool, toDesktop);
    GuiTest::UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    Help::showTopic(&m_mainWindow, 62);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    auto* browser = child<QTextBrowser*>(viewer, "helpBrowser");
    emit browser->anchorClicked(QUrl(link));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(viewer->currentAnchor(), anchor);
    QCOMPARE(catcher.urls.size(), toDesktop ? 1 : 0);
    // The help document is still there to go back to.
    QVERIFY(browser->toPlainText().contains(QStringLiteral("家族設定内容の変更")));
}

void TestHelp::testCloseClosesViewer()
{
    Help::showContents(&m_mainWindow);
    QPointer<HelpViewer> viewer = findViewer();
    QVERIFY(viewer);
    Help::close();
    QTRY_VERIFY(viewer.isNull());
    // Closing with no viewer open is harmless, and help opens again afterwards.
    Help::close();
    Help::showTopic(&m_mainWindow, 70);
    QVERIFY(findViewer());
    QCOMPARE(findViewer()->currentAnchor(), QStringLiteral("topic-70"));
}

void TestHelp::testHelpFromModalDialog()
{
    // A window outside a running modal dialog takes no input, so help asked for from a modal
    // dialog must belong to it while it runs, and must stay open after it.
    QPointer<HelpViewer> viewer;
    QWidget* ownerWhileModal = nullptr;
    {
        QDialog dialog(&m_mainWindow);
        QTimer::singleShot(0, &dialog, [&] {
            Help::showTopic(&dialog, 70);
            viewer = findViewer();
            ownerWhileModal = viewer ? viewer->parentWidget() : nullptr;
            dialog.accept();
        });
        dialog.exec();
        QVERIFY(viewer);
        QCOMPARE(ownerWhileModal, &dialog);
        QVERIFY(viewer->parentWidget() == nullptr);
        QVERIFY(viewer->isVisible());
    }
    QVERIFY(viewer); // outlives the dialog
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-70"));
    QVERIFY(viewer->isWindow());
}

void TestHelp::testEmptyHelpFileName_data()
{
    QTest::addColumn<int>("request");
    QTest::newRow("contents") << 0;
    QTest::newRow("search") << 1;
    QTest::newRow("topic") << 2;
}

void TestHelp::testEmptyHelpFileName()
{
    QFETCH(int, request);
    Help::setHelpFile(QString());
    MessageBox::setNextAnswer(QMessageBox::Ok);
    if (request == 0)
        Help::showContents(&m_mainWindow);
    else if (request == 1)
        Help::showSearch(&m_mainWindow);
    else
        Help::showTopic(&m_mainWindow, 90);
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(MessageBox::lastText(),
        QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。"));
    QCOMPARE(MessageBox::lastTitle(), QStringLiteral("ハルカゼ"));
    QVERIFY(findViewer() == nullptr);
}

void TestHelp::testUnreadableHelpFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("missing/HARUKAZE.HLP")) << QByteArray();
    QTest::newRow("a folder") << m_dir.path() << QByteArray();
    QTest::newRow("not UTF-8") << m_dir.filePath(QStringLiteral("SJIS.HLP"))
                               << QByteArray("\x83\x6e\x83\x8b\x83\x4a\x83\x5b");
}

void TestHelp::testUnreadableHelpFile()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Help::setHelpFile(path);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    Help::showContents(&m_mainWindow);
    QCOMPARE(MessageBox::count(), 1);
    QVERIFY2(MessageBox::lastText().contains(path), qPrintable(MessageBox::lastText()));
    QVERIFY(findViewer() == nullptr);

    // A viewer already showing good help keeps it when a later request cannot be made.
    Help::setHelpFile(m_helpPath);
    Help::showTopic(&m_mainWindow, 62);
    Help::setHelpFile(path);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    Help::showTopic(&m_mainWindow, 90);
    QCOMPARE(MessageBox::count(), 2);
    QVERIFY(findViewer());
    QCOMPARE(findViewer()->currentAnchor(), QStringLiteral("topic-62"));
}

void TestHelp::testShippedHelpFileHasEveryTopic()
{
    const QString shipped = QStringLiteral(HARUKAZE_TEST_DATA_DIR "/../../../data/help/HARUKAZE.HLP");
    if (!QFile::exists(shipped))
        QSKIP("the help file is not in the source tree yet");
    Help::setHelpFile(QDir::cleanPath(shipped));
    Help::showContents(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->currentAnchor(), QStringLiteral("contents"));
    // Every topic a page or dialog asks for must be there and carry a title.
    for (int topic : { 90, 103, 70, 91, 61, 96, 62 }) {
        Help::showTopic(&m_mainWindow, topic);
        QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-%1").arg(topic));
    }
    for (const HelpViewer::Topic& topic : viewer->topics())
        QVERIFY2(!topic.title.startsWith(QStringLiteral("トピック")), qPrintable(topic.title));
    QCOMPARE(MessageBox::count(), 0);
}

void TestHelp::testContentsPaneShowsWholeTitles()
{
    const QString shipped = QStringLiteral(HARUKAZE_TEST_DATA_DIR "/../../../data/help/HARUKAZE.HLP");
    QVERIFY(QFile::exists(shipped));
    Help::setHelpFile(QDir::cleanPath(shipped));
    Help::showContents(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    auto* list = child<QListWidget*>(viewer, "contentsListWidget");
    QVERIFY(list->count() > 10);
    // No title is cut off at the pane's edge, and the page keeps most of the window.
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        const int textRight
            = list->visualItemRect(item).left() + list->sizeHintForIndex(list->indexFromItem(item)).width();
        QVERIFY2(textRight <= list->viewport()->width(), qPrintable(item->text()));
    }
    auto* browser = child<QTextBrowser*>(viewer, "helpBrowser");
    QVERIFY(browser->width() >= 500);
    QVERIFY(list->width() < browser->width());
}

void TestHelp::testShippedHelpFindsTheCommands_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("topic");
    QTest::newRow("PDF") << QStringLiteral("PDF") << 20;
    QTest::newRow("印刷") << QStringLiteral("印刷") << 20;
    QTest::newRow("Excel") << QStringLiteral("Excel") << 20;
    QTest::newRow("最近使った") << QStringLiteral("最近使った") << 22;
    QTest::newRow("ドロップ") << QStringLiteral("ドロップ") << 22;
    QTest::newRow("double-click") << QStringLiteral("ダブルクリック　harukaze") << 22;
    QTest::newRow("家計設定") << QStringLiteral("家計設定") << 13;
    QTest::newRow("注意マーク") << QStringLiteral("注意マーク") << 16;
    QTest::newRow("toolbar") << QStringLiteral("ツールバー") << 10;
}

void TestHelp::testShippedHelpFindsTheCommands()
{
    QFETCH(QString, keyword);
    QFETCH(int, topic);
    Help::setHelpFile(QDir::cleanPath(QStringLiteral(HARUKAZE_TEST_DATA_DIR "/../../../data/help/HARUKAZE.HLP")));
    Help::showSearch(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QVERIFY2(viewer->search(keyword).contains(topic), qPrintable(keyword));
}

void TestHelp::testShippedHelpNamesEveryMenuCommand()
{
    // Every item of the real menus (and every toolbar button) is named in the help as the menu
    // shows it, the accelerator in brackets: "印刷(&P)..." as 「印刷(P)...」.
    Help::setHelpFile(QDir::cleanPath(QStringLiteral(HARUKAZE_TEST_DATA_DIR "/../../../data/help/HARUKAZE.HLP")));
    Help::showContents(&m_mainWindow);
    HelpViewer* viewer = findViewer();
    QVERIFY(viewer);
    QString text;
    for (const HelpViewer::Topic& topic : viewer->topics())
        text += topic.title + QLatin1Char('\n') + topic.text;
    const auto shown = [](QString caption) {
        caption.replace(QRegularExpression(QStringLiteral("\\(&(.)\\)")), QStringLiteral("(\\1)"));
        return caption.remove(QLatin1Char('&'));
    };
    frmMain main;
    QStringList missing;
    std::function<void(QMenu*)> check = [&](QMenu* menu) {
        if (!text.contains(QStringLiteral("「%1」").arg(shown(menu->title()))))
            missing << menu->title();
        for (QAction* item : menu->actions()) {
            if (item->menu())
                check(item->menu());
            else if (!item->isSeparator() && item->data().toString().isEmpty()
                && !text.contains(QStringLiteral("「%1」").arg(shown(item->text()))))
                missing << item->text();
        }
    };
    for (QAction* menu : main.menuBar()->actions())
        check(menu->menu());
    const QList<QAction*> buttons = main.toolbar()->actions();
    int buttonCount = 0;
    for (QAction* button : buttons) {
        if (button->isSeparator())
            continue;
        ++buttonCount;
        if (!text.contains(QStringLiteral("「%1」").arg(button->toolTip())))
            missing << button->toolTip();
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    QVERIFY(buttonCount >= 10);
}

QTEST_MAIN(TestHelp)
#include "TestHelp.moc"
