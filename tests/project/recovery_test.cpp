// Recovery copies: written whole, removed on request, left behind by a program that
// ends, offered back only when their program no longer runs, and set aside when damaged.

#include "tests/testmain.h"

#include "project/recovery.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesReplacesAndDiscards()
    {
        QTemporaryDir dir;
        project::RecoverySlot slot(dir.filePath(QStringLiteral("恢复")));
        QVERIFY(slot.path().isEmpty());
        slot.write("first");
        QVERIFY(!slot.path().isEmpty());
        slot.write("second");
        QCOMPARE(readBytes(slot.path()), QByteArray("second"));
        slot.discard();
        QVERIFY(!QFile::exists(slot.path()));
    }

    void noFolderNoCopies()
    {
        project::RecoverySlot slot{QString()};
        QVERIFY(!slot.isEnabled());
        slot.write("work");
        QVERIFY(slot.path().isEmpty());
        QVERIFY(project::FindLeftRecoveries(QString()).empty());
    }

    // A copy whose program still runs is not offered; once it has ended, it is.
    void onlyCopiesOfEndedProgramsAreOffered()
    {
        QTemporaryDir dir;
        QString leftPath;
        {
            project::RecoverySlot running(dir.path());
            running.write("unsaved piles");
            leftPath = running.path();
            project::RecoverySlot other(dir.path());
            other.write("another program's piles");
            QVERIFY(other.path() != running.path());
            QVERIFY(project::FindLeftRecoveries(dir.path(), other.path()).empty());
        } // both programs end without saving: their copies stay
        std::vector<project::LeftRecovery> left = project::FindLeftRecoveries(dir.path());
        QCOMPARE(left.size(), size_t(2));
        // While one start holds them, a second start sees none.
        QVERIFY(project::FindLeftRecoveries(dir.path()).empty());
        QCOMPARE(readBytes(left.front().path()), QByteArray("unsaved piles"));
        QCOMPARE(left.front().path(), leftPath);

        // A new program takes a slot of its own and never reuses a copy still on offer.
        project::RecoverySlot next(dir.path());
        next.write("new work");
        QVERIFY(next.path() != left[0].path() && next.path() != left[1].path());
        left[0].remove();
        QVERIFY(!QFile::exists(leftPath));
    }

    void damagedCopySetAside()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("recovery-1.rockpile"));
        writeBytes(copy, "{ damaged");
        std::vector<project::LeftRecovery> left = project::FindLeftRecoveries(dir.path());
        QCOMPARE(left.size(), size_t(1));
        const QString aside = left.front().setAside();
        QCOMPARE(aside, dir.filePath(QStringLiteral("recovery-1.damaged-1.rockpile")));
        QCOMPARE(readBytes(aside), QByteArray("{ damaged"));
        QVERIFY(!QFile::exists(copy));
        left.clear();
        // What was set aside is not offered again.
        QVERIFY(project::FindLeftRecoveries(dir.path()).empty());
    }
};

ROCKPILE_TEST(RecoveryTest)
#include "recovery_test.moc"
