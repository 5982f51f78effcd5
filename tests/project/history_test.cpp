// Undo and redo as earlier states: each step named, undone and redone in order, a new
// change forgets what could be redone, and the oldest steps go beyond the depth.

#include "tests/project/project_fixtures.h"
#include "tests/testmain.h"

#include "project/history.h"

#include <QTest>

using namespace project_testing;

class HistoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoAndRedoStepByStep()
    {
        project::History history;
        QVERIFY(!history.canUndo());
        QVERIFY(history.undoStep().isEmpty());

        project::Project p;
        const project::Project empty = p;
        history.record(QStringLiteral("计算 ZH1"), p);
        p.append(Computed(DefaultInputs()));
        const project::Project one = p;
        history.record(QStringLiteral("修改 N ZH1"), p);
        p.setDesignLoad(0, 9800);
        const project::Project loaded = p;

        QCOMPARE(history.undoStep(), QStringLiteral("修改 N ZH1"));
        p = history.undo(p);
        QVERIFY(p == one);
        QCOMPARE(history.redoStep(), QStringLiteral("修改 N ZH1"));
        QCOMPARE(history.undoStep(), QStringLiteral("计算 ZH1"));
        p = history.undo(p);
        QVERIFY(p == empty);
        QVERIFY(!history.canUndo());
        p = history.redo(p);
        QVERIFY(p == one);
        p = history.redo(p);
        QVERIFY(p == loaded);
        QVERIFY(!history.canRedo());

        // A change after an undo forgets the redo side.
        p = history.undo(p);
        history.record(QStringLiteral("删除 ZH1"), p);
        p.remove(0);
        QVERIFY(!history.canRedo());
        QCOMPARE(history.undoStep(), QStringLiteral("删除 ZH1"));
    }

    void oldestStepsGo()
    {
        project::History history;
        project::Project p;
        for (int i = 0; i < project::History::Depth + 5; ++i) {
            history.record(QStringLiteral("step %1").arg(i), p);
            p.stamp = QString::number(i);
        }
        int undone = 0;
        while (history.canUndo()) {
            p = history.undo(p);
            ++undone;
        }
        QCOMPARE(undone, project::History::Depth);
        QCOMPARE(p.stamp, QStringLiteral("4"));
    }
};

ROCKPILE_TEST(HistoryTest)
#include "history_test.moc"
