#include "optimization/sort_order.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <span>
#include <utility>

namespace optimization {

namespace {

// Set bits of a word. Written out because without a processor-specific build the
// standard popcount is a library call, and the counting below makes millions of them.
inline quint64 bitCount(quint64 x)
{
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
    return (x * 0x0101010101010101ull) >> 56;
}

// Counts over 0..size-1: add one at a position, count the positions below a bound, find
// the position of the k-th counted one.
class Fenwick {
public:
    explicit Fenwick(size_t size)
        : m_tree(size + 1, 0)
    {
    }

    void add(size_t position, qint32 delta)
    {
        for (size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1))
            m_tree[i] = static_cast<quint32>(static_cast<qint64>(m_tree[i]) + delta);
    }

    // Counted positions below `bound`.
    quint32 countBelow(size_t bound) const
    {
        quint32 sum = 0;
        for (size_t i = bound; i > 0; i -= i & (~i + 1))
            sum += m_tree[i];
        return sum;
    }

    // Counts given position by position, built in linear time.
    void fill(std::span<const quint32> counts)
    {
        for (size_t i = 1; i < m_tree.size(); ++i)
            m_tree[i] = counts[i - 1];
        for (size_t i = 1; i < m_tree.size(); ++i) {
            const size_t parent = i + (i & (~i + 1));
            if (parent < m_tree.size())
                m_tree[parent] += m_tree[i];
        }
    }

    // Position of the counted one with `rank` counted ones before it; with counts above
    // one, `rank` becomes the rank within that position.
    size_t kth(quint32& rank) const
    {
        size_t position = 0;
        for (size_t step = std::bit_floor(m_tree.size() - 1); step > 0; step >>= 1) {
            const size_t next = position + step;
            if (next < m_tree.size() && m_tree[next] <= rank) {
                position = next;
                rank -= m_tree[next];
            }
        }
        // The descent stops at the last 1-based index whose prefix holds `rank` ones;
        // the next index is the one sought, which is `position` counted from 0.
        return position;
    }

private:
    std::vector<quint32> m_tree;
};

// The final positions of a class not yet taken: a bitset with a counting tree over its
// words, so that finding the k-th free position costs one descent over m/64 words and
// the next free positions are found by scanning bits.
class FreeSlots {
public:
    explicit FreeSlots(size_t m)
        : m_size(m)
        , m_bits((m + 63) / 64, ~quint64(0))
        , m_words(m_bits.size())
    {
        if (m % 64 != 0)
            m_bits.back() = (quint64(1) << (m % 64)) - 1;
        std::vector<quint32> counts(m_bits.size());
        for (size_t w = 0; w < m_bits.size(); ++w)
            counts[w] = quint32(bitCount(m_bits[w]));
        m_words.fill(counts);
    }

    size_t kth(quint32 rank) const
    {
        const size_t word = m_words.kth(rank);
        quint64 bits = m_bits[word];
        // Byte by byte to the byte that holds it, then bit by bit.
        int shift = 0;
        for (quint64 count; rank >= (count = bitCount(bits & 0xFF)); bits >>= 8, shift += 8)
            rank -= quint32(count);
        for (; rank > 0; --rank)
            bits &= bits - 1;
        return word * 64 + size_t(shift + std::countr_zero(bits));
    }

    // The first free position after `slot`, or the first of all after the last one.
    size_t nextAfter(size_t slot) const
    {
        size_t word = (slot + 1) / 64;
        quint64 bits = word < m_bits.size() && (slot + 1) % 64 != 0
            ? m_bits[word] & (~quint64(0) << ((slot + 1) % 64))
            : (word < m_bits.size() ? m_bits[word] : 0);
        while (bits == 0) {
            word = word + 1 < m_bits.size() ? word + 1 : 0;
            bits = m_bits[word];
        }
        return word * 64 + size_t(std::countr_zero(bits));
    }

    void take(size_t slot)
    {
        m_bits[slot / 64] &= ~(quint64(1) << (slot % 64));
        m_words.add(slot / 64, -1);
    }

private:
    size_t m_size;
    std::vector<quint64> m_bits;
    Fenwick m_words;
};

struct Group {
    size_t first; // into the class's members
    size_t size;
    quint64 below; // b: smaller keys before these rows
};

// Places the members of one class (initial order) into out[0..m) in the order the
// exchange sort leaves them. `smaller` is N, the number of keys below the class.
void orderClass(std::span<const quint32> members, std::span<const quint64> below, quint64 smaller,
    std::span<quint32> out, std::vector<Group>& groups, std::vector<size_t>& slots)
{
    const size_t m = members.size();
    groups.clear();
    for (size_t i = 0; i < m; ++i) {
        if (groups.empty() || groups.back().below != below[i])
            groups.push_back({i, 0, below[i]});
        ++groups.back().size;
    }
    if (groups.size() == 1) {
        // All rows waited for the same number of passes; the remaining passes before the
        // class's own each rotate it by one.
        const auto shift = static_cast<size_t>((smaller - groups[0].below) % m);
        std::rotate_copy(members.begin(), members.begin() + static_cast<std::ptrdiff_t>(shift),
            members.end(), out.begin());
        return;
    }

    // The rotations the appends are followed by, each modulo the length D has then.
    std::vector<size_t>& rotations = slots;
    rotations.clear();
    size_t moves = 0;
    size_t length = 0;
    for (size_t t = 0; t < groups.size(); ++t) {
        length += groups[t].size;
        const quint64 nextBelow = t + 1 < groups.size() ? groups[t + 1].below : smaller;
        const quint64 rotation = nextBelow - groups[t].below;
        rotations.push_back(size_t(rotation < length ? rotation : rotation % length));
        moves += rotations.back();
    }
    if (moves <= 4 * m + 64) {
        // Few moves (rows that stand among few smaller ones): replay D forwards in a
        // ring of m places.
        size_t head = 0;
        length = 0;
        auto at = [m](size_t i) { return i < m ? i : i - m; };
        for (size_t t = 0; t < groups.size(); ++t) {
            for (size_t i = 0; i < groups[t].size; ++i)
                out[at(head + length++)] = members[groups[t].first + i];
            for (size_t k = 0; k < rotations[t]; ++k) {
                out[at(head + length)] = out[head];
                head = at(head + 1);
            }
        }
        std::rotate(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(head), out.end());
        return;
    }

    // Replay the appends and rotations backwards: D_t = rotl(D_{t-1} ++ G_t, R_t). The
    // final positions still free, in ascending order, hold D_t from rank `offset` on,
    // circularly; G_t takes the g_t ranks just before D_{t-1}'s first one.
    FreeSlots free(m);
    std::vector<size_t> places;
    qint64 size = static_cast<qint64>(m);
    qint64 offset = 0;
    for (size_t t = groups.size(); t-- > 0;) {
        const Group& group = groups[t];
        const qint64 g = static_cast<qint64>(group.size);
        const qint64 previousSize = size - g;
        const qint64 rotation = static_cast<qint64>(rotations[t]);
        // Both operands lie within one size of the range: no division needed.
        qint64 firstOfPrevious = offset - rotation;
        if (firstOfPrevious < 0)
            firstOfPrevious += size;
        // The g ranks are consecutive, circularly: the first by a descent, the others
        // as the free positions that follow it.
        qint64 firstRank = firstOfPrevious + previousSize;
        if (firstRank >= size)
            firstRank -= size;
        places.clear();
        size_t slot = free.kth(static_cast<quint32>(firstRank));
        for (qint64 i = 0; i < g; ++i) {
            if (i > 0)
                slot = free.nextAfter(slot);
            places.push_back(slot);
        }
        for (qint64 i = 0; i < g; ++i) {
            out[places[static_cast<size_t>(i)]] = members[group.first + static_cast<size_t>(i)];
            free.take(places[static_cast<size_t>(i)]);
        }
        offset = std::max<qint64>(firstOfPrevious - g, 0);
        size = previousSize;
    }
}

} // namespace

namespace {

// Doubles as unsigned integers in the same order; -0.0 and +0.0 become the same.
quint64 orderedBits(double key)
{
    const quint64 bits = std::bit_cast<quint64>(key == 0 ? 0.0 : key);
    return (bits >> 63) != 0 ? ~bits : bits | (quint64(1) << 63);
}

// Sorts `rows` stably by `keys` (least significant digit first, 11 bits a pass); a
// digit that is the same in every key costs no pass, so integral forces and a handful
// of dimensions take two or three passes instead of six.
void radixSort(std::vector<quint64>& keys, std::vector<quint32>& rows)
{
    constexpr int Bits = 11;
    constexpr size_t Buckets = size_t(1) << Bits;
    const size_t n = keys.size();
    std::vector<quint64> otherKeys(n);
    std::vector<quint32> otherRows(n);
    std::vector<size_t> counts(Buckets);
    for (int shift = 0; shift < 64; shift += Bits) {
        std::fill(counts.begin(), counts.end(), 0);
        for (quint64 key : keys)
            ++counts[(key >> shift) & (Buckets - 1)];
        if (counts[(keys[0] >> shift) & (Buckets - 1)] == n)
            continue;
        size_t sum = 0;
        for (size_t& count : counts)
            sum += std::exchange(count, sum);
        for (size_t i = 0; i < n; ++i) {
            const size_t at = counts[(keys[i] >> shift) & (Buckets - 1)]++;
            otherKeys[at] = keys[i];
            otherRows[at] = rows[i];
        }
        keys.swap(otherKeys);
        rows.swap(otherRows);
    }
}

// The rows of smaller keys passed so far, by initial position: a bitset, and a counting
// tree over blocks of 512 rows, small enough to stay in the cache for a million rows.
class PassedRows {
public:
    explicit PassedRows(size_t n)
        : m_bits(n / 64 + 1, 0)
        , m_blocks(n / BlockRows + 1)
    {
    }
    void add(quint32 row)
    {
        m_bits[row / 64] |= quint64(1) << (row % 64);
        m_blocks.add(row / BlockRows, 1);
    }
    quint64 countBelow(quint32 row) const
    {
        quint64 sum = m_blocks.countBelow(row / BlockRows);
        for (size_t word = size_t(row / BlockRows) * (BlockRows / 64); word < row / 64; ++word)
            sum += quint64(bitCount(m_bits[word]));
        return sum + quint64(bitCount(m_bits[row / 64] & ((quint64(1) << (row % 64)) - 1)));
    }

    // Passed rows at positions from `from` up to, not including, `to`.
    quint64 countBetween(quint32 from, quint32 to) const
    {
        const auto below = [](quint32 bit) { return (quint64(1) << (bit % 64)) - 1; };
        if (from / 64 == to / 64)
            return quint64(bitCount(m_bits[from / 64] & below(to) & ~below(from)));
        quint64 sum = quint64(bitCount(m_bits[from / 64] & ~below(from)));
        for (quint32 word = from / 64 + 1; word < to / 64; ++word)
            sum += quint64(bitCount(m_bits[word]));
        return sum + quint64(bitCount(m_bits[to / 64] & below(to)));
    }

private:
    static constexpr quint32 BlockRows = 512;
    std::vector<quint64> m_bits;
    Fenwick m_blocks;
};

} // namespace

std::vector<quint32> ExchangeSortOrder(std::span<const double> keys)
{
    const size_t n = keys.size();
    std::vector<quint32> order(n);
    std::iota(order.begin(), order.end(), 0u);
    if (n < 2)
        return order;

    // Stable order by key: the classes in ascending key order, each in initial order.
    std::vector<quint64> sortedKeys(n);
    for (size_t i = 0; i < n; ++i)
        sortedKeys[i] = orderedBits(keys[i]);
    std::vector<quint32> sortedRows = order;
    radixSort(sortedKeys, sortedRows);

    // Only the rows of a class with ties need their count of smaller rows before them.
    PassedRows passed(n);
    std::vector<quint64> below;
    std::vector<Group> groups;
    std::vector<size_t> slots;
    for (size_t first = 0; first < n;) {
        size_t last = first + 1;
        while (last < n && sortedKeys[last] == sortedKeys[first])
            ++last;
        const size_t m = last - first;
        const std::span<const quint32> members(sortedRows.data() + first, m);
        if (m == 1) {
            order[first] = members[0];
        } else {
            below.resize(m);
            for (size_t i = 0; i < m; ++i) {
                // Members stand in initial order: a near one adds the rows between.
                below[i] = i > 0 && members[i] - members[i - 1] < 2048
                    ? below[i - 1] + passed.countBetween(members[i - 1], members[i])
                    : passed.countBelow(members[i]);
            }
            orderClass(
                members, below, first, std::span<quint32>(order).subspan(first, m), groups, slots);
        }
        for (quint32 row : members)
            passed.add(row);
        first = last;
    }
    return order;
}

} // namespace optimization
