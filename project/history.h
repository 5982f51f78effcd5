#pragma once

// Undo and redo as the project's earlier states. A Project is a small value whose
// copies share their piles, so each step keeps a whole state and its name ("删除 ZH3");
// undoing puts the current state on the redo side under the same name. Qt's undo stack
// lives in QtGui, which the headless layers do not link; this needs QtCore alone.

#include "project/project.h"

#include <QString>

#include <vector>

namespace project {

class History {
public:
    // Steps kept; the oldest goes first.
    static constexpr int Depth = 200;

    // Records the state before a change named `step`; a new change forgets what could
    // be redone.
    void record(const QString& step, const Project& before);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The step an undo or a redo would take back or do again; empty when there is none.
    QString undoStep() const;
    QString redoStep() const;
    // The state before the last step; `current` can then be redone. Only when canUndo().
    Project undo(const Project& current);
    // The state the last undo left; only when canRedo().
    Project redo(const Project& current);
    void clear();

private:
    struct Step {
        QString name;
        Project state;
    };
    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
};

} // namespace project
