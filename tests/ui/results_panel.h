#pragma once

// Entering pile cases through the input panel and calculating them, as a user does, for
// the results-screen tests.

#include "tests/filesizelimit.h"
#include "tests/formfixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <functional>

namespace results_testing {

struct PanelInput {
    int section; // 0 round, 1 elliptical, 2 rectangular
    QString d;
    QString c;
    QString h;
    QString R;
    int process; // 0 driven, 1 bored
    int condition;
};

inline PanelInput DefaultPile()
{
    return {0, QStringLiteral("1000"), QStringLiteral("0"), QStringLiteral("1.0d"),
        QStringLiteral("25"), 1, 1};
}
inline PanelInput DrivenPile()
{
    return {0, QStringLiteral("1200"), QStringLiteral("0"), QStringLiteral("1.0d"),
        QStringLiteral("25"), 0, 0};
}
inline PanelInput EllipticalPile()
{
    return {1, QStringLiteral("1000"), QStringLiteral("500"), QStringLiteral("1.5d"),
        QStringLiteral("40"), 1, 0};
}
inline PanelInput RectangularPile()
{
    return {2, QStringLiteral("1500"), QStringLiteral("1000"), QStringLiteral("1000"),
        QStringLiteral("10"), 1, 2};
}
inline PanelInput SquarePile()
{
    return {2, QStringLiteral("1000"), QStringLiteral("1000"), QStringLiteral("400"),
        QStringLiteral("70"), 1, 0};
}

inline void Enter(FormFixture& f, const PanelInput& in)
{
    f->cbb_jmlx.pick(in.section);
    f->cbb_czgy.pick(in.process);
    f->cbb_ysjqdqk.pick(in.condition);
    f->cbe_dd.commit(in.d);
    if (in.section != 0)
        f->cbe_tyzd.commit(in.c);
    if (in.process == 1)
        f->cbe_hr.commit(in.h);
    f->edt_frk.commit(in.R);
}

// "计算", or the precision popup when the precision is to change (which calculates too).
inline void Calculate(FormFixture& f, int precision = 2)
{
    if (f->popbox_jingdu.itemIndex() == precision) {
        f->cbt_compute.click();
    } else {
        f->cbt_JingDu.click();
        f->popbox_jingdu.pick(precision);
    }
}

// Enters and calculates a pile at the given second of the test clock.
inline void AddPile(FormFixture& f, const PanelInput& in, int second, int precision = 2)
{
    f.platform.clock = QDateTime(QDate(2026, 12, 10), QTime(9, 5, second));
    Enter(f, in);
    const int before = f->ReportPileCount;
    Calculate(f, precision);
    QCOMPARE(f->ReportPileCount, before + 1);
}

// From the input screen to the results screen.
inline void OpenResults(FormFixture& f)
{
    f->cbt_View.click();
    QVERIFY(f->JieGuo_DocLayer.isVisible());
}

inline QByteArray ReadFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The ways a result file cannot be written, as data rows for the tests of failed saves.
inline void AddDocumentFailureRows()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("no documents folder") << "none";
    QTest::newRow("documents folder inside a file") << "file";
#ifdef Q_OS_UNIX
    QTest::newRow("disk full") << "full";
#endif
}

// Runs `save` while the documents folder fails as `failure` says: none at all, a folder
// path that runs through the regular file `earlierFile`, or a disk full a few bytes
// past the size of `earlierFile`.
inline void WithFailingDocuments(FormFixture& f, const QString& failure, const QString& earlierFile,
    const std::function<void()>& save)
{
    if (failure == QLatin1String("none")) {
        f.platform.noDocumentsFolder = true;
        save();
        f.platform.noDocumentsFolder = false;
    } else if (failure == QLatin1String("file")) {
        f.platform.documentsOverride = earlierFile + QStringLiteral("/文档");
        save();
        f.platform.documentsOverride.clear();
    } else {
#ifdef Q_OS_UNIX
        FileSizeLimit limit(rlim_t(QFileInfo(earlierFile).size() + 10));
        save();
#endif
    }
}

} // namespace results_testing
