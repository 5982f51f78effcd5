#include "tests/resultfile_decoder.h"
#include "tests/testmain.h"
#include "tests/ui/results_panel.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTest>

using namespace results_testing;
using ui::PermissionStatus;

namespace {

const QString BookFile = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.txt");
const QString TableFile = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_表格.txt");
const QString NoPermission = QStringLiteral("无权存盘");

QStringList savedFiles(FormFixture& f)
{
    return QDir(f.platform.documents.path()).entryList(QDir::Files);
}

QString savedPath(FormFixture& f, const QString& name)
{
    return QDir(f.platform.documents.path()).filePath(name);
}

// The saved bytes read back as text.
QString savedText(FormFixture& f, const QString& name)
{
    QStringDecoder decoder = ResultFileDecoder();
    return decoder.decode(ReadFileBytes(savedPath(f, name)));
}

} // namespace

class ResultsSaveTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void savesTheReportOnDisplay_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("unsavedAfter");
        QTest::newRow("page 1: the book") << false << BookFile << 2;
        QTest::newRow("page 2: the table") << true << TableFile << 1;
    }
    void savesTheReportOnDisplay()
    {
        QFETCH(bool, table);
        QFETCH(QString, fileName);
        QFETCH(int, unsavedAfter);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        AddPile(f, DrivenPile(), 4);
        AddPile(f, EllipticalPile(), 5);
        OpenResults(f);
        if (table)
            f->cbt_PageBook.click();
        f->cbt_Save.click();

        QCOMPARE(savedFiles(f), QStringList{fileName});
        const QStringList lines
            = (table ? f->meo_jisuanjieguo_Xls : f->meo_jisuanjieguo_Doc).lines();
        const QByteArray bytes = ReadFileBytes(savedPath(f, fileName));
        // GBK, no byte-order mark, CR LF between the lines and none after the last.
        QVERIFY(bytes.startsWith("====="));
        QVERIFY(bytes.contains(QByteArray::fromHex("c7b6d1d2d7aebcc6cbe3cae9"))); // 嵌岩桩计算书
        QVERIFY(!bytes.endsWith('\n'));
        QCOMPARE(bytes.count("\r\n"), lines.size() - 1);
        QCOMPARE(bytes.count('\n'), lines.size() - 1);
        QCOMPARE(savedText(f, fileName), lines.join(QStringLiteral("\r\n")));

        QCOMPARE(f->UnsavedReports, unsavedAfter);
        QVERIFY(!f->cbt_Save.isEnabled());
        QCOMPARE(f.platform.permissionRequests, QList<QStringList>{QStringList{QString()}});
        QVERIFY(f.platform.messages.isEmpty());
        QVERIFY(f.platform.errors.isEmpty());
    }

    void shorterSecondSaveReplacesTheFile()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        AddPile(f, DrivenPile(), 4);
        AddPile(f, EllipticalPile(), 5);
        OpenResults(f);
        f->cbt_Save.click();
        f->cbt_sanchu.click();
        f->cbt_sanchu.click();
        QVERIFY(!f->cbt_Save.isEnabled()); // nothing new to save until the next calculation
        f->cbt_Exit.click();
        AddPile(f, SquarePile(), 6);
        OpenResults(f);
        f->cbt_Save.click();
        QCOMPARE(
            savedText(f, BookFile), f->meo_jisuanjieguo_Doc.lines().join(QStringLiteral("\r\n")));
        QVERIFY(f.platform.errors.isEmpty());
    }

    // Once both reports are saved, a shortened history cannot be saved before the next
    // calculation.
    void deleteAfterSavingBothKeepsSaveDisabled()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        AddPile(f, DrivenPile(), 4);
        OpenResults(f);
        f->cbt_Save.click();
        f->cbt_PageBook.click();
        f->cbt_Save.click();
        f->cbt_sanchu.click();
        QVERIFY(!f->cbt_Save.isEnabled());
        f->cbt_PageBook.click();
        QVERIFY(!f->cbt_Save.isEnabled());
        QCOMPARE(f->UnsavedReports, 0);
    }

    void refusedPermissionWritesNothing_data()
    {
        QTest::addColumn<QList<PermissionStatus>>("answer");
        QTest::newRow("denied") << QList<PermissionStatus>{PermissionStatus::Denied};
        QTest::newRow("permanently denied")
            << QList<PermissionStatus>{PermissionStatus::PermanentlyDenied};
        QTest::newRow("two answers")
            << QList<PermissionStatus>{PermissionStatus::Granted, PermissionStatus::Granted};
        QTest::newRow("no answer") << QList<PermissionStatus>{};
    }
    void refusedPermissionWritesNothing()
    {
        QFETCH(QList<PermissionStatus>, answer);
        FormFixture f;
        f.platform.permissionAnswer = answer;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_Save.click();
        QCOMPARE(f.platform.messages, QStringList{NoPermission});
        QVERIFY(savedFiles(f).isEmpty());
        QCOMPARE(f->UnsavedReports, 3);
        QVERIFY(f->cbt_Save.isEnabled());
    }

    void rationaleComesFirst()
    {
        FormFixture f;
        f.platform.askRationaleFirst = true;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_Save.click();
        QCOMPARE(
            f.platform.messages, QStringList{QStringLiteral("需要存贮权限，否则计算结果不能存盘")});
        QCOMPARE(savedFiles(f), QStringList{BookFile});
        QVERIFY(!f->cbt_Save.isEnabled());
    }

    // The answer may come after the click is over; what goes wrong then is still reported.
    void lateAnswerIsGuarded()
    {
        FormFixture f;
        ui::Platform platform = f.platform.make();
        QList<std::function<void()>> answers;
        platform.requestPermissions
            = [&answers](const QStringList& names, ui::PermissionResultHandler onResult,
                  ui::RationaleHandler) {
                  answers << [names, onResult] { onResult(names, {PermissionStatus::Granted}); };
              };
        f.form = std::make_unique<ui::TZAV_FRM_DWOR1>(platform);
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_Save.click();
        QCOMPARE(answers.size(), 1);
        QVERIFY(savedFiles(f).isEmpty());

        f.platform.noDocumentsFolder = true;
        answers.takeFirst()();
        QCOMPARE(f.platform.takeErrors().size(), 1);
        QVERIFY(f->cbt_Save.isEnabled());

        f.platform.noDocumentsFolder = false;
        f->cbt_Save.click();
        answers.takeFirst()();
        QCOMPARE(savedFiles(f), QStringList{BookFile});
        QVERIFY(!f->cbt_Save.isEnabled());
        QVERIFY(f.platform.errors.isEmpty()); // the late answer adds no second report
    }

    // A save that fails reports why, keeps the earlier file whole and changes no state.
    void failedSaveKeepsEarlierFileAndState_data() { AddDocumentFailureRows(); }
    void failedSaveKeepsEarlierFileAndState()
    {
        QFETCH(QString, failure);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_PageBook.click();
        f->cbt_Save.click();
        const QByteArray earlier = ReadFileBytes(savedPath(f, TableFile));
        QVERIFY(!earlier.isEmpty());
        f->cbt_Exit.click();
        AddPile(f, DrivenPile(), 4);
        AddPile(f, EllipticalPile(), 5);
        OpenResults(f);
        QVERIFY(f->cbt_Save.isEnabled());

        WithFailingDocuments(f, failure, savedPath(f, TableFile), [&] { f->cbt_Save.click(); });
        QVERIFY(!QFile::exists(QStringLiteral("/") + TableFile)); // never the root
        const QStringList errors = f.platform.takeErrors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(TableFile), qPrintable(errors.first()));
        QCOMPARE(ReadFileBytes(savedPath(f, TableFile)), earlier);
        QCOMPARE(savedFiles(f).filter(TableFile).size(), 1); // no leftovers beside it
        QCOMPARE(f->UnsavedReports, 3);
        QVERIFY(f->cbt_Save.isEnabled());
        QVERIFY(f.platform.messages.isEmpty());
    }

    // The optimization screen's "存盘" saves the result grid on display, if it has rows.
    void optimizationSaveWritesTheListOnDisplay_data()
    {
        QTest::addColumn<bool>("filtered");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("all results")
            << false << 2 << "嵌岩桩优化计算原始结果(依据TB10093-2017)_表格.txt";
        QTest::newRow("filtered results")
            << true << 1 << "嵌岩桩优化计算筛选结果(依据TB10093-2017)_表格.txt";
        QTest::newRow("no rows on display") << false << 0 << "";
    }
    void optimizationSaveWritesTheListOnDisplay()
    {
        QFETCH(bool, filtered);
        QFETCH(int, rows);
        QFETCH(QString, fileName);
        FormFixture f;
        f->cbt_YouHua.click();
        ui::StringGrid& grid = filtered ? f->Grid3_Youhuasaixuan : f->Grid2_Youhuajieguo;
        f->Grid2_Youhuajieguo.setVisible(!filtered);
        f->Grid3_Youhuasaixuan.setVisible(filtered);
        const QStringList cells = {"ZH-1", "圆  桩", "1000", "0", "10210", "1000", "25.00",
            "钻(挖)孔", "一  般", "-", "0.40", "0.03", "7854", "77%", "2356", "23%", ""};
        for (int i = 0; i < rows; ++i)
            grid.appendRow(cells);
        f->cbt_YHsave.setEnabled(true);
        f->cbt_YHsave.click();

        QCOMPARE(savedFiles(f), fileName.isEmpty() ? QStringList() : QStringList{fileName});
        QCOMPARE(f->cbt_YHsave.isEnabled(), fileName.isEmpty());
        if (!fileName.isEmpty())
            QVERIFY(ReadFileBytes(savedPath(f, fileName)).startsWith("====="));
        QVERIFY(f.platform.messages.isEmpty());
        QVERIFY(f.platform.errors.isEmpty());
        QCOMPARE(f->UnsavedReports, 0);
    }
};

ROCKPILE_TEST(ResultsSaveTest)
#include "results_save_test.moc"
