// The project file: what is saved opens as the same project; every way a file can be
// wrong is refused whole with a message that says what; a failed save keeps the earlier
// file byte for byte.

#include "tests/filesizelimit.h"
#include "tests/project/project_fixtures.h"
#include "tests/testmain.h"

#include "core/errors.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace project_testing;
using project::ProjectFileContent;

namespace {

const QString Program = QStringLiteral("嵌岩桩承载力计算 1.0");

ProjectFileContent sample()
{
    ProjectFileContent content;
    content.project = FivePiles();
    content.project.header
        = {QStringLiteral("某铁路特大桥"), QStringLiteral("3#墩"), QStringLiteral("张三"),
            QStringLiteral("李四"), QStringLiteral("王五"), QStringLiteral("2026-12-10")};
    content.project.setLabel(0, QStringLiteral("3#墩-1"));
    content.project.setDesignLoad(0, 9800.5);
    content.project.setDesignLoad(2, 30000);
    content.optimizationOptions = {{"1", "4", "1"}, {"1000", "2000", "500"}};
    return content;
}

// The sample's JSON with one change made to it.
QByteArray changed(const std::function<void(QJsonObject&)>& change)
{
    QJsonObject root
        = QJsonDocument::fromJson(project::ProjectToJson(sample(), Program, QLatin1Char('.')))
              .object();
    change(root);
    return QJsonDocument(root).toJson();
}

// The same for the pile at `index`.
QByteArray pileChanged(int index, const std::function<void(QJsonObject&)>& change)
{
    return changed([&](QJsonObject& root) {
        QJsonArray piles = root.value("piles").toArray();
        QJsonObject pile = piles.at(index).toObject();
        change(pile);
        piles[index] = pile;
        root.insert("piles", piles);
    });
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip()
    {
        const ProjectFileContent saved = sample();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("桥.rockpile"));
        project::WriteProjectFile(path, saved, Program, QLatin1Char('.'));
        const project::ProjectReading read = project::ReadProjectFile(path, QLatin1Char('.'));
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QVERIFY(read.content);
        QVERIFY(read.content->project == saved.project);
        QCOMPARE(read.content->optimizationOptions, saved.optimizationOptions);
        QVERIFY(read.changedPiles.isEmpty());
        // Recomputed, not taken from the file.
        for (int i = 0; i < saved.project.pileCount(); ++i)
            QCOMPARE(read.content->project.pile(i).result.P, saved.project.pile(i).result.P);
        // UTF-8 text a person can read.
        const QByteArray bytes = readBytes(path);
        QVERIFY(bytes.contains("\"format\": \"rockpile-project\""));
        QVERIFY(bytes.contains(QStringLiteral("某铁路特大桥").toUtf8()));
    }

    // The example the format's page shows opens as it says.
    void documentedExampleOpens()
    {
        const project::ProjectReading read = project::ReadProjectFile(
            QStringLiteral(ROCKPILE_TEST_DATA "/../../docs/example.rockpile"), QLatin1Char('.'));
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QVERIFY(read.changedPiles.isEmpty());
        QCOMPARE(read.content->project.pileCount(), 3);
        QCOMPARE(read.content->project.pile(0).label, QStringLiteral("3#墩-1"));
        QCOMPARE(read.content->project.pile(0).N, std::optional<double>(9800));
        QCOMPARE(read.content->optimizationOptions.size(), 12);
    }

    void emptyProjectRoundTrip()
    {
        const QByteArray json = project::ProjectToJson({}, Program, QLatin1Char('.'));
        const project::ProjectReading read = project::ProjectFromJson(json, QLatin1Char('.'));
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QVERIFY(read.content->project == project::Project());
    }

    // A file written where "," is the decimal separator opens where "." is.
    void textsTakeTheReadersSeparator()
    {
        ProjectFileContent content;
        content.project.append(Computed(Inputs(core::SectionType::Circular, "1000,5", "0", "1,5d",
                                            "25,5", core::PileProcess::Bored, 1),
            {}, {}, QLatin1Char(',')));
        content.optimizationOptions = {{"35,00", "40,00", "5,00"}};
        const QByteArray json = project::ProjectToJson(content, Program, QLatin1Char(','));
        const project::ProjectReading read = project::ProjectFromJson(json, QLatin1Char('.'));
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        const project::PileInputs& in = read.content->project.pile(0).inputs;
        QCOMPARE(in.d, QStringLiteral("1000.5"));
        QCOMPARE(in.hr, QStringLiteral("1.5d"));
        QCOMPARE(in.R, QStringLiteral("25.5"));
        QCOMPARE(
            read.content->optimizationOptions.first(), (QStringList{"35.00", "40.00", "5.00"}));
        QVERIFY(read.changedPiles.isEmpty());
    }

    // A file from another version: the piles whose [P] came out otherwise are named.
    void changedCapacitiesAreNamed()
    {
        const QByteArray json = pileChanged(2, [](QJsonObject& pile) { pile["P"] = 35000.0; });
        const project::ProjectReading read = project::ProjectFromJson(json, QLatin1Char('.'));
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(read.changedPiles, QStringList{QStringLiteral("ZH3：35000.00 → 35647.79 kN")});
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << "文件是空的";
        QTest::newRow("blanks only") << QByteArray(" \n\t ") << "文件是空的";
        QTest::newRow("not JSON") << QByteArray("桩表\n1,2,3") << "不是有效的 JSON 文本";
        QTest::newRow("cut off")
            << project::ProjectToJson(sample(), Program, QLatin1Char('.')).left(300)
            << "不是有效的 JSON 文本";
        QTest::newRow("NaN") << QByteArray(
            R"({"format":"rockpile-project","version":1,"piles":[{"N":NaN}]})")
                             << "不是有效的 JSON 文本";
        QTest::newRow("an array, not an object") << QByteArray("[1, 2]") << "不是嵌岩桩工程文件";
        QTest::newRow("another program's JSON")
            << QByteArray(R"({"name": "x", "items": []})")
            << "不是嵌岩桩工程文件（缺少格式名“rockpile-project”）";
        QTest::newRow("no version")
            << changed([](QJsonObject& r) { r.remove("version"); }) << "缺少格式版本“version”";
        QTest::newRow("version as text")
            << changed([](QJsonObject& r) { r["version"] = "1"; }) << "缺少格式版本“version”";
        QTest::newRow("a later format version")
            << changed([](QJsonObject& r) { r["version"] = 2; })
            << "文件的格式版本为 2，由较新的程序写入；本程序只能读取版本 1 的文件";
        QTest::newRow("version 0")
            << changed([](QJsonObject& r) { r["version"] = 0; }) << "格式版本“version”无效";
        QTest::newRow("piles not a list")
            << changed([](QJsonObject& r) { r["piles"] = "ZH1"; }) << "“piles”应为数组";
        QTest::newRow("a pile not an object")
            << changed([](QJsonObject& r) { r["piles"] = QJsonArray{1}; }) << "第 1 根桩：应为对象";
        QTest::newRow("R missing")
            << pileChanged(2, [](QJsonObject& p) { p.remove("R"); }) << "第 3 根桩：缺少“R”";
        QTest::newRow("R a number, not a text")
            << pileChanged(2, [](QJsonObject& p) { p["R"] = 40; }) << "第 3 根桩：“R”应为文本";
        QTest::newRow("R no number") << pileChanged(2, [](QJsonObject& p) { p["R"] = "4O"; })
                                     << "第 3 根桩：R 不是有效的数值（“4O”）";
        QTest::newRow("d refused by the calculation") << pileChanged(
            0, [](QJsonObject& p) { p["d"] = "0"; }) << "第 1 根桩：桩身直径数据有错";
        QTest::newRow("embedment refused") << pileChanged(0, [](QJsonObject& p) { p["hr"] = "-1"; })
                                           << "第 1 根桩：嵌岩深度数据有错";
        QTest::newRow("embedment factor no number") << pileChanged(0,
            [](QJsonObject& p) { p["hr"] = "xd"; }) << "第 1 根桩：hr 不是有效的数值（“xd”）";
        QTest::newRow("strength zero: no [P]")
            << pileChanged(0, [](QJsonObject& p) { p["R"] = "0"; })
            << "第 1 根桩：岩石单轴抗压强度值有错";
        QTest::newRow("strength negative") << pileChanged(0, [](QJsonObject& p) { p["R"] = "-3"; })
                                           << "第 1 根桩：岩石单轴抗压强度值有错";
        QTest::newRow("unknown section")
            << pileChanged(1, [](QJsonObject& p) { p["section"] = "square"; })
            << "第 2 根桩：“section”应为“circular”、“elliptical”、“rectangular”之一";
        QTest::newRow("condition out of the driven list")
            << pileChanged(1, [](QJsonObject& p) { p["condition"] = 2; })
            << "第 2 根桩：“condition”应为 0 到 1 的整数";
        QTest::newRow("condition a fraction")
            << pileChanged(2, [](QJsonObject& p) { p["condition"] = 0.5; })
            << "第 3 根桩：“condition”应为 0 到 2 的整数";
        QTest::newRow("precision out of range")
            << pileChanged(2, [](QJsonObject& p) { p["precision"] = 5; })
            << "第 3 根桩：“precision”应为 0 到 4 的整数";
        QTest::newRow("N zero") << pileChanged(3, [](QJsonObject& p) { p["N"] = 0; })
                                << "第 4 根桩：N 应大于 0";
        QTest::newRow("N negative")
            << pileChanged(3, [](QJsonObject& p) { p["N"] = -9800; }) << "第 4 根桩：N 应大于 0";
        QTest::newRow("N huge") << pileChanged(3, [](QJsonObject& p) { p["N"] = 1e300; })
                                << "第 4 根桩：N 超出范围（至多 1000000000 kN）";
        QTest::newRow("N as text")
            << pileChanged(3, [](QJsonObject& p) { p["N"] = "9800"; }) << "第 4 根桩：“N”应为数值";
        QTest::newRow("a number beyond a double") << QByteArray(
            R"({"format":"rockpile-project","version":1,"piles":[{"label":"","section":"circular","d":"1000","c":"0","hr":"1.0d","R":"25","process":"bored","condition":1,"precision":2,"N":1e999}]})")
                                                  << "不是有效的 JSON 文本";
        QTest::newRow("a label of 10 MB") << pileChanged(4, [](QJsonObject& p) {
            p["label"] = QString(10 * 1024 * 1024, QLatin1Char('x'));
        }) << "第 5 根桩：“label”过长（10485760 个字符）";
        QTest::newRow("header not an object")
            << changed([](QJsonObject& r) { r["header"] = "某桥"; }) << "“header”应为对象";
        QTest::newRow("header name a number") << changed([](QJsonObject& r) {
            r["header"] = QJsonObject{{"name", 5}};
        }) << "工程信息：“name”应为文本";
        QTest::newRow("options not a table")
            << changed([](QJsonObject& r) { r["optimizationOptions"] = QJsonArray{1}; })
            << "优化选项表：每行应为至多 3 个文本";
        QTest::newRow("too many piles") << changed([](QJsonObject& r) {
            QJsonArray piles;
            for (int i = 0; i <= project::MaximumPileCount; ++i)
                piles.append(QJsonObject());
            r["piles"] = piles;
        }) << "桩数为 10001，超过 10000";
    }
    void badFiles()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const project::ProjectReading read = project::ProjectFromJson(json, QLatin1Char('.'));
        QVERIFY(!read.content);
        QVERIFY2(read.error.startsWith(error), qPrintable(read.error));
        QVERIFY(read.changedPiles.isEmpty());
    }

    // Reading a file names it; what cannot be read at all is said too.
    void fileErrorsNameTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("桥.rockpile"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{");
        file.close();
        QVERIFY(project::ReadProjectFile(path, QLatin1Char('.'))
                    .error.startsWith(
                        QStringLiteral("工程文件“桥.rockpile”无法打开：不是有效的 JSON 文本")));
        const project::ProjectReading missing = project::ReadProjectFile(
            dir.filePath(QStringLiteral("无.rockpile")), QLatin1Char('.'));
        QVERIFY(!missing.content);
        QVERIFY(missing.error.startsWith(QStringLiteral("工程文件“无.rockpile”无法打开：")));
    }

    void failedSaveKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("folder inside a file") << "file";
#ifdef Q_OS_UNIX
        QTest::newRow("disk full") << "full";
#endif
    }
    void failedSaveKeepsTheEarlierFile()
    {
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("桥.rockpile"));
        ProjectFileContent small;
        small.project.append(Computed(DefaultInputs()));
        project::WriteProjectFile(path, small, Program, QLatin1Char('.'));
        const QByteArray earlier = readBytes(path);
        bool thrown = false;
        try {
            if (failure == QLatin1String("file")) {
                project::WriteProjectFile(
                    path + QStringLiteral("/桥.rockpile"), sample(), Program, QLatin1Char('.'));
            } else {
#ifdef Q_OS_UNIX
                FileSizeLimit limit(rlim_t(earlier.size() + 10));
                project::WriteProjectFile(path, sample(), Program, QLatin1Char('.'));
#endif
            }
        } catch (const core::FileError& error) {
            thrown = true;
            QVERIFY(error.message().contains(QStringLiteral("原有文件保持不变")));
        }
        QVERIFY(thrown);
        QCOMPARE(readBytes(path), earlier);
    }
};

ROCKPILE_TEST(ProjectFileTest)
#include "projectfile_test.moc"
