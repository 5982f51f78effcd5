#include "core/textpool.h"

#include "core/prefetch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace core {

namespace {
// The texts of a grid are short (pile numbers, forces, labels): mix them four code units
// at a time and finish with a full avalanche, so that neighbouring numbers spread over
// the whole table.
quint32 hashOf(QStringView text)
{
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ static_cast<std::uint64_t>(text.size());
    const char16_t* p = text.utf16();
    qsizetype n = text.size();
    for (; n >= 4; n -= 4, p += 4) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        h = (h ^ word) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    if (n > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, static_cast<size_t>(n) * sizeof(char16_t));
        h = (h ^ word) * 0xc4ceb9fe1a85ec53ull;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return static_cast<quint32>(h);
}
} // namespace

TextPool::TextPool()
{
    clear();
}

void TextPool::clear()
{
    std::vector<char16_t>().swap(m_chars);
    std::vector<quint32>({0, 0}).swap(m_offsets);
    std::vector<quint64>(64, 0).swap(m_slots);
    const quint32 emptyHash = hashOf(QStringView());
    m_slots[emptyHash & (m_slots.size() - 1)] = (quint64(emptyHash) << 32) | 1;
}

size_t TextPool::slotOf(QStringView text, quint32 hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot] != 0) {
        const quint64 entry = m_slots[slot];
        if (quint32(entry >> 32) == hash && view(quint32(entry) - 1) == text)
            return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

quint32 TextPool::intern(QStringView text)
{
    if (text.isEmpty())
        return 0;
    return intern(text, hashOf(text));
}

quint32 TextPool::intern(QStringView text, quint32 hash)
{
    size_t slot = slotOf(text, hash);
    if (m_slots[slot] != 0)
        return quint32(m_slots[slot]) - 1;
    if (m_chars.size() + static_cast<size_t>(text.size()) > std::numeric_limits<quint32>::max()
        || size() >= std::numeric_limits<quint32>::max() - 1)
        throw std::length_error("text pool full");
    const quint32 id = size();
    m_chars.insert(m_chars.end(), text.utf16(), text.utf16() + text.size());
    m_offsets.push_back(static_cast<quint32>(m_chars.size()));
    m_slots[slot] = (quint64(hash) << 32) | (id + 1);
    if (static_cast<size_t>(size()) * 2 > m_slots.size())
        rehash(m_slots.size() * 2);
    return id;
}

void TextPool::internAll(std::span<const QStringView> texts, std::span<quint32> ids)
{
    constexpr size_t Batch = 32;
    for (size_t first = 0; first < texts.size(); first += Batch) {
        const size_t count = std::min(Batch, texts.size() - first);
        std::array<quint32, Batch> hashes;
        std::array<quint32, Batch> candidates;
        const size_t mask = m_slots.size() - 1;
        // Each stage reads what the previous one has fetched: slot, then the offsets of
        // the text found there, then its characters.
        for (size_t i = 0; i < count; ++i) {
            hashes[i] = hashOf(texts[first + i]);
            ROCKPILE_PREFETCH(&m_slots[hashes[i] & mask]);
        }
        for (size_t i = 0; i < count; ++i) {
            const quint64 entry = m_slots[hashes[i] & mask];
            candidates[i]
                = entry != 0 && quint32(entry >> 32) == hashes[i] ? quint32(entry) - 1 : 0;
            if (candidates[i] != 0)
                ROCKPILE_PREFETCH(&m_offsets[candidates[i]]);
        }
        for (size_t i = 0; i < count; ++i) {
            if (candidates[i] != 0)
                ROCKPILE_PREFETCH(m_chars.data() + m_offsets[candidates[i]]);
        }
        for (size_t i = 0; i < count; ++i) {
            const QStringView text = texts[first + i];
            ids[first + i] = text.isEmpty() ? 0 : intern(text, hashes[i]);
        }
    }
}

void TextPool::rehash(size_t slotCount)
{
    std::vector<quint64> old(slotCount, 0);
    old.swap(m_slots);
    const size_t mask = slotCount - 1;
    for (quint64 entry : old) {
        if (entry == 0)
            continue;
        size_t slot = (entry >> 32) & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

} // namespace core
