#include "optimization/sort_order.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace optimization {

namespace {

// Counts over 0..size-1: add one at a position, count the positions below a bound, find
// the position of the k-th counted one.
class Fenwick {
public:
    explicit Fenwick(size_t size)
        : m_tree(size + 1, 0)
    {
    }

    // Every position counted once.
    void fillOnes()
    {
        for (size_t i = 1; i < m_tree.size(); ++i)
            m_tree[i] = static_cast<quint32>(i & (~i + 1));
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

    // Position of the counted one with `rank` counted ones before it.
    size_t kth(quint32 rank) const
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

struct Group {
    size_t first; // into the class's members
    size_t size;
    quint64 below; // b: smaller keys before these rows
};

qint64 modulo(qint64 value, qint64 divisor)
{
    const qint64 r = value % divisor;
    return r < 0 ? r + divisor : r;
}

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

    // Replay the appends and rotations backwards: D_t = rotl(D_{t-1} ++ G_t, R_t). The
    // final positions still free, in ascending order, hold D_t from rank `offset` on,
    // circularly; G_t takes the g_t ranks just before D_{t-1}'s first one.
    Fenwick free(m);
    free.fillOnes();
    qint64 size = static_cast<qint64>(m);
    qint64 offset = 0;
    for (size_t t = groups.size(); t-- > 0;) {
        const Group& group = groups[t];
        const qint64 g = static_cast<qint64>(group.size);
        const qint64 previousSize = size - g;
        const quint64 nextBelow = t + 1 < groups.size() ? groups[t + 1].below : smaller;
        const qint64 rotation
            = static_cast<qint64>((nextBelow - group.below) % static_cast<quint64>(size));
        const qint64 firstOfPrevious = modulo(offset - rotation, size);
        slots.clear();
        for (qint64 i = 0; i < g; ++i) {
            const auto rank
                = static_cast<quint32>(modulo(firstOfPrevious + previousSize + i, size));
            slots.push_back(free.kth(rank));
        }
        for (qint64 i = 0; i < g; ++i) {
            out[slots[static_cast<size_t>(i)]] = members[group.first + static_cast<size_t>(i)];
            free.add(slots[static_cast<size_t>(i)], -1);
        }
        offset = std::max<qint64>(firstOfPrevious - g, 0);
        size = previousSize;
    }
}

} // namespace

std::vector<quint32> ExchangeSortOrder(std::span<const double> keys)
{
    const size_t n = keys.size();
    std::vector<quint32> order(n);
    std::iota(order.begin(), order.end(), 0u);
    if (n < 2)
        return order;

    // Stable order by key: the classes in ascending key order, each in initial order.
    struct Entry {
        double key;
        quint32 index;
    };
    std::vector<Entry> entries(n);
    for (size_t i = 0; i < n; ++i)
        entries[i] = {keys[i], static_cast<quint32>(i)};
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.key < b.key || (!(b.key < a.key) && a.index < b.index);
    });

    Fenwick passed(n); // rows of smaller keys, by initial position
    std::vector<quint32> members;
    std::vector<quint64> below;
    std::vector<Group> groups;
    std::vector<size_t> slots;
    for (size_t first = 0; first < n;) {
        size_t last = first + 1;
        while (last < n && entries[last].key == entries[first].key)
            ++last;
        const size_t m = last - first;
        if (m == 1) {
            order[first] = entries[first].index;
        } else {
            members.resize(m);
            below.resize(m);
            for (size_t i = 0; i < m; ++i) {
                members[i] = entries[first + i].index;
                below[i] = passed.countBelow(members[i]);
            }
            orderClass(
                members, below, first, std::span<quint32>(order).subspan(first, m), groups, slots);
        }
        for (size_t i = first; i < last; ++i)
            passed.add(entries[i].index, 1);
        first = last;
    }
    return order;
}

std::vector<quint32> ReversedOrder(quint32 rowCount)
{
    std::vector<quint32> order(rowCount);
    for (quint32 i = 0; i < rowCount; ++i)
        order[i] = rowCount - 1 - i;
    return order;
}

} // namespace optimization
