#include "project/recovery.h"

#include "core/errors.h"
#include "report/resultfile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace project {

namespace {

// More programs than this at once, each with unsaved work, no engineer runs.
constexpr int SlotCount = 64;

QString copyName(int slot)
{
    return QStringLiteral("recovery-%1.rockpile").arg(slot);
}

// The lock beside a copy: "recovery-3.rockpile" → "recovery-3.lock".
QString lockPath(const QString& copy)
{
    QString path = copy;
    path.chop(QStringLiteral(".rockpile").size());
    return path + QStringLiteral(".lock");
}

// Held for the whole run: only a lock whose process is gone counts as stale, however old.
std::unique_ptr<QLockFile> tryLock(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

RecoverySlot::RecoverySlot(QString folder)
    : m_folder(std::move(folder))
{
}

RecoverySlot::~RecoverySlot() = default;

void RecoverySlot::write(const QByteArray& content)
{
    if (!isEnabled())
        return;
    if (m_path.isEmpty()) {
        if (!QDir().mkpath(m_folder))
            throw core::FileError(
                QStringLiteral("恢复文件夹“%1”无法建立，未保存的工程不能另存恢复文件。")
                    .arg(m_folder));
        // A slot whose copy is there belongs to a running program or waits to be
        // offered back; the first without one is this program's.
        const QDir folder(m_folder);
        for (int slot = 1; slot <= SlotCount && m_path.isEmpty(); ++slot) {
            const QString copy = folder.filePath(copyName(slot));
            if (QFileInfo::exists(copy))
                continue;
            if (auto lock = tryLock(lockPath(copy))) {
                m_lock = std::move(lock);
                m_path = copy;
            }
        }
        if (m_path.isEmpty())
            throw core::FileError(
                QStringLiteral("恢复文件夹“%1”中已有太多恢复文件，未保存的工程不能另存恢复文件。")
                    .arg(m_folder));
    }
    report::WriteResultBytes(m_path, content);
}

void RecoverySlot::discard()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

LeftRecovery::LeftRecovery(QString path, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(path))
    , m_lock(std::move(lock))
{
}

LeftRecovery::~LeftRecovery() = default;
LeftRecovery::LeftRecovery(LeftRecovery&&) noexcept = default;
LeftRecovery& LeftRecovery::operator=(LeftRecovery&&) noexcept = default;

void LeftRecovery::remove()
{
    QFile::remove(m_path);
}

QString LeftRecovery::setAside()
{
    QString base = m_path;
    base.chop(QStringLiteral(".rockpile").size());
    for (int n = 1; n < 1000; ++n) {
        const QString aside = base + QStringLiteral(".damaged-%1.rockpile").arg(n);
        if (QFileInfo::exists(aside))
            continue;
        return QFile::rename(m_path, aside) ? aside : QString();
    }
    return QString();
}

std::vector<LeftRecovery> FindLeftRecoveries(const QString& folder, const QString& ownCopy)
{
    std::vector<LeftRecovery> left;
    if (folder.isEmpty())
        return left;
    const QDir dir(folder);
    QFileInfoList copies = dir.entryInfoList(
        {QStringLiteral("recovery-*.rockpile")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& copy : copies) {
        // Copies set aside as damaged are no longer offered.
        if (copy.completeBaseName().contains(QLatin1Char('.')))
            continue;
        const QString path = copy.absoluteFilePath();
        if (!ownCopy.isEmpty() && QFileInfo(ownCopy).absoluteFilePath() == path)
            continue;
        if (auto lock = tryLock(lockPath(path)))
            left.emplace_back(path, std::move(lock));
    }
    return left;
}

} // namespace project
