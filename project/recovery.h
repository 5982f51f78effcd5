#pragma once

// Unsaved work kept on disk: while a project has unsaved changes, every change is
// written at once to a recovery copy in the user's application-data folder, so that an
// exit, a crash or a power cut loses nothing. Each running program holds its own copy
// under a lock file; a copy whose program no longer runs is left behind, and the next
// start offers it back. Copies use the project file format (projectfile.h).

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

namespace project {

// This program's own copy. Nothing is written, and no lock taken, until the first write.
class RecoverySlot {
public:
    // An empty folder keeps no copies at all.
    explicit RecoverySlot(QString folder);
    ~RecoverySlot(); // the copy stays: it is what the next start offers back
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    bool isEnabled() const { return !m_folder.isEmpty(); }
    // Whole or not at all; throws core::FileError naming the file.
    void write(const QByteArray& content);
    // The copy removed: the project was saved, or holds nothing unsaved any more.
    void discard();
    // The copy's path once one has been written; empty before.
    QString path() const { return m_path; }

private:
    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// A copy left behind by a program that no longer runs. It is held (its lock taken) for
// as long as this object lives, so that no second program offers it at the same time.
class LeftRecovery {
public:
    LeftRecovery(QString path, std::unique_ptr<QLockFile> lock);
    ~LeftRecovery();
    LeftRecovery(LeftRecovery&&) noexcept;
    LeftRecovery& operator=(LeftRecovery&&) noexcept;

    const QString& path() const { return m_path; }
    // Restored, or the user declined it.
    void remove();
    // A damaged copy is kept under another name beside it ("….damaged-1.rockpile") for
    // whoever wants to look at it; returns that name, or empty if it could not be renamed.
    QString setAside();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// Copies in `folder` whose program no longer runs, oldest first; `ownCopy` (this
// program's) is never one of them.
std::vector<LeftRecovery> FindLeftRecoveries(const QString& folder, const QString& ownCopy = {});

} // namespace project
