#include "core/textpool.h"

#include <QHash>

#include <limits>
#include <stdexcept>

namespace core {

namespace {
quint32 hashOf(QStringView text)
{
    size_t h = qHash(text, 0x9e3779b9u);
    return static_cast<quint32>(h ^ (h >> 32));
}
} // namespace

TextPool::TextPool()
{
    clear();
}

void TextPool::clear()
{
    m_chars.clear();
    m_offsets.assign({0, 0});
    m_hashes.assign({hashOf(QStringView())});
    m_slots.assign(1024, 0);
    m_slots[m_hashes[0] & (m_slots.size() - 1)] = 1;
}

size_t TextPool::slotOf(QStringView text, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot] != 0) {
        const quint32 id = m_slots[slot] - 1;
        if (m_hashes[id] == hash && view(id) == text)
            return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

quint32 TextPool::intern(QStringView text)
{
    if (text.isEmpty())
        return 0;
    const quint32 hash = hashOf(text);
    size_t slot = slotOf(text, hash);
    if (m_slots[slot] != 0)
        return m_slots[slot] - 1;
    if (m_chars.size() + static_cast<size_t>(text.size()) > std::numeric_limits<quint32>::max())
        throw std::length_error("text pool full");
    const quint32 id = size();
    m_chars.insert(m_chars.end(), text.utf16(), text.utf16() + text.size());
    m_offsets.push_back(static_cast<quint32>(m_chars.size()));
    m_hashes.push_back(hash);
    m_slots[slot] = id + 1;
    if (static_cast<size_t>(size()) * 2 > m_slots.size())
        rehash(m_slots.size() * 2);
    return id;
}

void TextPool::rehash(size_t slotCount)
{
    m_slots.assign(slotCount, 0);
    const size_t mask = slotCount - 1;
    for (quint32 id = 0; id < size(); ++id) {
        size_t slot = m_hashes[id] & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = id + 1;
    }
}

} // namespace core
