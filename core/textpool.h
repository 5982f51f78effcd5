#pragma once

// Interned cell texts for grids of up to millions of rows. The texts of a result row
// are short and most of them repeat across rows (section labels, dimensions, strengths,
// coefficients), so a grid stores one 32-bit id per cell and the pool stores each
// distinct text once, as UTF-16 in one arena. Id 0 is the empty text.

#include <QString>
#include <QStringView>

#include <vector>

namespace core {

class TextPool {
public:
    TextPool();

    quint32 intern(QStringView text);
    QStringView view(quint32 id) const
    {
        const quint32 begin = m_offsets[id];
        return QStringView(m_chars.data() + begin, static_cast<qsizetype>(m_offsets[id + 1] - begin));
    }
    QString text(quint32 id) const { return view(id).toString(); }
    quint32 size() const { return static_cast<quint32>(m_offsets.size() - 1); }
    void clear();

private:
    void rehash(size_t slotCount);
    size_t slotOf(QStringView text, size_t hash) const;

    std::vector<char16_t> m_chars;
    std::vector<quint32> m_offsets; // text i is m_chars[m_offsets[i], m_offsets[i + 1])
    std::vector<quint32> m_slots; // open addressing; 0 marks a free slot, else id + 1
    std::vector<quint32> m_hashes; // hash of every id, so growing never re-reads texts
};

} // namespace core
