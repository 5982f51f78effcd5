#include "project/history.h"

namespace project {

void History::record(const QString& step, const Project& before)
{
    if (m_undo.size() >= size_t(Depth))
        m_undo.erase(m_undo.begin());
    m_undo.push_back({step, before});
    m_redo.clear();
}

QString History::undoStep() const
{
    return m_undo.empty() ? QString() : m_undo.back().name;
}

QString History::redoStep() const
{
    return m_redo.empty() ? QString() : m_redo.back().name;
}

Project History::undo(const Project& current)
{
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back({step.name, current});
    return std::move(step.state);
}

Project History::redo(const Project& current)
{
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back({step.name, current});
    return std::move(step.state);
}

void History::clear()
{
    m_undo.clear();
    m_redo.clear();
}

} // namespace project
