// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/NameOnlyIconProvider.h"
#include "support/GuiTestSupport.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

#include <sys/stat.h>

using namespace harukaze;

class TestFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void testTypesComeFromNamesAlone();
    void testDialogsDescribeFilesByName_data();
    void testDialogsDescribeFilesByName();
    void testFailureMessagesGiveTheReason_data();
    void testFailureMessagesGiveTheReason();

private:
    QTemporaryDir m_dir;
    QString m_pdfComment;
};

void TestFileDialog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // "notes" holds the first bytes of a PDF document: Qt's own provider would open it and call it
    // one. The FIFO would make a reader wait for a writer that never comes.
    auto write = [this](const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("notes"), "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n");
    write(QStringLiteral("plan.HRZ"), "%PDF-1.4\n");
    write(QStringLiteral("table.csv"), "1998,,30\r\n");
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe.txt"))).constData(), 0644), 0);
    m_pdfComment = QMimeDatabase().mimeTypeForName(QStringLiteral("application/pdf")).comment();
    QVERIFY(!m_pdfComment.isEmpty());
}

void TestFileDialog::testTypesComeFromNamesAlone()
{
    const NameOnlyIconProvider provider;
    const QMimeDatabase mimeTypes;
    auto typeOf = [&](const char* name) { return provider.type(QFileInfo(m_dir.filePath(QLatin1String(name)))); };
    QVERIFY(typeOf("notes") != m_pdfComment);
    QVERIFY(typeOf("plan.HRZ") != m_pdfComment);
    QCOMPARE(typeOf("table.csv"), mimeTypes.mimeTypeForName(QStringLiteral("text/csv")).comment());
    QVERIFY(!typeOf("pipe.txt").isEmpty());
    QVERIFY(!provider.icon(QFileInfo(m_dir.filePath(QStringLiteral("pipe.txt")))).isNull());
    QVERIFY(!provider.icon(QFileInfo(m_dir.filePath(QStringLiteral("notes")))).isNull());
}

void TestFileDialog::testDialogsDescribeFilesByName_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

// The real dialog, shown in the test folder: the type column says what the names say.
void TestFileDialog::testDialogsDescribeFilesByName()
{
    QFETCH(bool, save);
    QStringList types;
    bool ran = false;
    whenModal<QFileDialog>(
        [&](QFileDialog* dialog) {
            // Closed however the checks end, so that a failure cannot leave exec() waiting.
            const std::unique_ptr<QFileDialog, void (*)(QFileDialog*)> closer(
                dialog, [](QFileDialog* shown) { shown->reject(); });
            QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(view);
            auto* model = qobject_cast<QFileSystemModel*>(view->model());
            QVERIFY(model);
            dialog->setNameFilter(QStringLiteral("* (*)")); // every file of the folder in sight
            dialog->setDirectory(m_dir.path());
            // The model describes the files in the background; there is no signal for one cell.
            auto typeShown = [&](const char* name) {
                return model->data(model->index(m_dir.filePath(QLatin1String(name)), 2)).toString();
            };
            for (const char* name : { "notes", "plan.HRZ", "table.csv" }) {
                QTRY_VERIFY_WITH_TIMEOUT(!typeShown(name).isEmpty(), 10000);
                types << typeShown(name);
            }
        },
        &ran);
    const QString chosen = save ? FileDialog::getSaveFileName(nullptr,
                               QStringLiteral("ファイル名を付けて保存"),
                               QStringLiteral("HARUKAZE (*.HRZ *.hrz)"),
                               QStringLiteral("HRZ"))
                                : FileDialog::getOpenFileName(nullptr,
                                    QStringLiteral("ファイル名を開く"),
                                    QStringLiteral("HARUKAZE (*.HRZ *.hrz)"),
                                    QStringLiteral("HRZ"));
    QVERIFY(ran);
    QVERIFY(chosen.isEmpty());
    QCOMPARE(types.size(), 3);
    QVERIFY2(!types.contains(m_pdfComment), qPrintable(types.join(QLatin1Char('|'))));
    QCOMPARE(types.at(2), QMimeDatabase().mimeTypeForName(QStringLiteral("text/csv")).comment());
}

void TestFileDialog::testFailureMessagesGiveTheReason_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("text");
    QTest::newRow("save, disk full")
        << true << QStringLiteral("No space left on device")
        << QStringLiteral("ファイルを保存できませんでした。\n/home/山田/家族.HRZ\nNo space left on device");
    QTest::newRow("open, no reason") << false << QString()
                                     << QStringLiteral("ファイルを開けませんでした。\n/home/山田/家族.HRZ");
}

void TestFileDialog::testFailureMessagesGiveTheReason()
{
    QFETCH(bool, save);
    QFETCH(QString, reason);
    QFETCH(QString, text);
    const QString path = QStringLiteral("/home/山田/家族.HRZ");
    QCOMPARE(save ? saveFailedText(path, reason.toStdString()) : openFailedText(path, reason.toStdString()), text);
}

QTEST_MAIN(TestFileDialog)
#include "TestFileDialog.moc"
