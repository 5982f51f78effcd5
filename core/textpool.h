#pragma once

// The distinct texts of one column of a cell store (core/cellstore.h): each text once,
// as UTF-16 in one arena, under a small id; id 0 is the empty text.

#include <QString>
#include <QStringView>

#include <span>
#include <vector>

namespace core {

class TextPool {
public:
    TextPool();

    quint32 intern(QStringView text);
    // The same ids as interning the texts one after the other, but the memory reads of
    // all texts are started before the first lookup, so that the cache misses of a
    // row's cells overlap instead of queueing up.
    void internAll(std::span<const QStringView> texts, std::span<quint32> ids);
    QStringView view(quint32 id) const
    {
        const quint32 begin = m_offsets[id];
        return QStringView(
            m_chars.data() + begin, static_cast<qsizetype>(m_offsets[id + 1] - begin));
    }
    QString text(quint32 id) const { return view(id).toString(); }
    quint32 size() const { return static_cast<quint32>(m_offsets.size() - 1); }
    // No texts but the empty one, and the memory given back.
    void clear();
    size_t memoryUse() const
    {
        return m_chars.capacity() * sizeof(char16_t) + m_offsets.capacity() * sizeof(quint32)
            + m_slots.capacity() * sizeof(quint64);
    }

private:
    quint32 intern(QStringView text, quint32 hash);
    void rehash(size_t slotCount);
    size_t slotOf(QStringView text, quint32 hash) const;

    std::vector<char16_t> m_chars;
    std::vector<quint32> m_offsets; // text i is m_chars[m_offsets[i], m_offsets[i + 1])
    // Open addressing; 0 marks a free slot, else the text's hash in the high half and
    // id + 1 in the low half. A probe reads one slot and touches a text only when the
    // hashes agree: with millions of distinct texts every other read is a cache miss.
    std::vector<quint64> m_slots;
};

} // namespace core
