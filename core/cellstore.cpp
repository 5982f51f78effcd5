#include "core/cellstore.h"

#include "core/numbers.h"
#include "core/prefetch.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

namespace core {

// A code of 1, 2 or 4 bytes is stored as the first bytes of its 32-bit value, copied with
// memcpy, and read back the same way: on a little-endian machine those are its low bytes.
static_assert(std::endian::native == std::endian::little,
    "the cell codes are stored as the low bytes of a 32-bit value");

namespace {

// Nibble 0 ends a packed text; the characters take 1-15.
constexpr char16_t packedAlphabet[16]
    = {0, u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'-', u'.', u',', u'E', u'%'};

int nibbleOf(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return 1 + (c - u'0');
    switch (c) {
    case u'-':
        return 11;
    case u'.':
        return 12;
    case u',':
        return 13;
    case u'E':
        return 14;
    case u'%':
        return 15;
    default:
        return -1;
    }
}

// A packed text, or 0 when it does not pack (too long, another character, empty).
quint32 pack(QStringView text)
{
    if (text.isEmpty() || text.size() > 8)
        return 0;
    quint32 packed = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int nibble = nibbleOf(text[i].unicode());
        if (nibble < 0)
            return 0;
        packed |= quint32(nibble) << (4 * i);
    }
    return packed;
}

constexpr double exactPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// The strict reading of a packed text of the plain form [-]digits[SEP digits], by the
// same arithmetic the strict conversion uses for it (at most 15 significant digits and
// an exact power of ten: one correctly rounded division). Anything else is left to the
// conversion itself.
std::optional<double> quickValue(quint32 packed, char16_t separator)
{
    bool negative = false;
    bool point = false;
    int digits = 0;
    int decimals = 0;
    quint64 mantissa = 0;
    int i = 0;
    if ((packed & 0xF) == 11) {
        negative = true;
        packed >>= 4;
        ++i;
    }
    for (; i < 8 && packed != 0; ++i, packed >>= 4) {
        const int nibble = int(packed & 0xF);
        if (nibble >= 1 && nibble <= 10) {
            mantissa = mantissa * 10 + quint64(nibble - 1);
            ++digits;
            decimals += point ? 1 : 0;
        } else if (!point && packedAlphabet[nibble] == separator) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (mantissa == 0)
        return negative ? -0.0 : 0.0;
    const double magnitude = double(mantissa) / exactPowersOfTen[decimals];
    return negative ? -magnitude : magnitude;
}

int digitCount(quint64 value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

bool sameText(QStringView a, QStringView b)
{
    return a.size() == b.size() && (a.isEmpty() || a.back() == b.back()) && a == b;
}

constexpr quint32 PileCodeBit = 0x8000'0000u;

} // namespace

void CellStore::addColumn(CellKind kind)
{
    Column& column = m_columns.emplace_back();
    column.kind = kind;
    if (kind == CellKind::Numbers)
        column.numbers.assign(m_rows, 0);
    else if (kind == CellKind::PileNumbers && m_rows > m_numbered)
        materialise(column);
}

void CellStore::reserve(size_t rows)
{
    m_reserved = rows;
    for (Column& column : m_columns) {
        if (column.kind == CellKind::Texts)
            column.codes.reserve(rows * size_t(std::max(column.width, 1)));
        else if (column.kind == CellKind::Numbers)
            column.numbers.reserve(rows);
    }
}

void CellStore::clear()
{
    for (Column& column : m_columns) {
        column.texts.clear();
        std::vector<quint8>().swap(column.codes);
        std::vector<quint32>().swap(column.numbers);
        column.width = 0;
        column.recent = {};
        column.recentTexts = {};
    }
    m_rows = 0;
    m_reserved = 0;
    m_numbering = PileNumbering::None;
    m_rowCountNumbered = 0;
    m_numbered = 0;
}

std::shared_ptr<CellStore> CellStore::emptyLike() const
{
    auto store = std::make_shared<CellStore>();
    for (const Column& column : m_columns)
        store->addColumn(column.kind);
    return store;
}

namespace {

template <typename Column> quint32 codeIn(const Column& column, quint32 row)
{
    const quint8* p = column.codes.data();
    switch (column.width) {
    case 1:
        return p[row];
    case 2: {
        quint16 v;
        std::memcpy(&v, p + size_t(row) * 2, 2);
        return v;
    }
    case 4: {
        quint32 v;
        std::memcpy(&v, p + size_t(row) * 4, 4);
        return v;
    }
    default:
        return 0;
    }
}

} // namespace

quint32 CellStore::code(int column, quint32 row) const
{
    return codeIn(m_columns[size_t(column)], row);
}

void CellStore::widen(Column& column, int width)
{
    std::vector<quint8> wider;
    wider.reserve(std::max<size_t>(m_reserved, m_rows + 1) * size_t(width));
    wider.resize(size_t(m_rows) * size_t(width));
    for (quint32 row = 0; row < m_rows; ++row) {
        const quint32 value = column.width == 0 ? 0
            : column.width == 1                 ? column.codes[row]
            : column.width == 2                 ? quint32(column.codes[size_t(row) * 2])
                | quint32(column.codes[size_t(row) * 2 + 1]) << 8
                                : 0;
        std::memcpy(wider.data() + size_t(row) * size_t(width), &value, size_t(width));
    }
    column.codes.swap(wider);
    column.width = width;
}

void CellStore::setCode(Column& column, quint32 row, quint32 code)
{
    const int needed = code == 0 ? 0 : code < 0x100 ? 1 : code < 0x10000 ? 2 : 4;
    if (needed > column.width)
        widen(column, needed);
    if (column.width == 0)
        return;
    if (row == m_rows && column.width == 1) {
        column.codes.push_back(quint8(code));
        return;
    }
    if (row == m_rows)
        column.codes.resize(column.codes.size() + size_t(column.width));
    std::memcpy(
        column.codes.data() + size_t(row) * size_t(column.width), &code, size_t(column.width));
}

quint32 CellStore::textCode(Column& column, QStringView text)
{
    if (text.isEmpty())
        return 0;
    // Most cells repeat one of the few texts the column showed last.
    for (size_t i = 0; i < column.recent.size(); ++i) {
        if (column.recent[i] != 0 && sameText(column.recentTexts[i], text))
            return column.recent[i];
    }
    const quint32 code = column.texts.intern(text);
    std::copy_backward(column.recent.begin(), column.recent.end() - 1, column.recent.end());
    column.recent[0] = code;
    // Interning may have moved the column's texts: view them anew.
    for (size_t i = 0; i < column.recent.size(); ++i)
        column.recentTexts[i] = column.texts.view(column.recent[i]);
    return code;
}

quint32 CellStore::numberCell(Column& column, QStringView text)
{
    if (text.isEmpty())
        return 0;
    if (const quint32 packed = pack(text))
        return packed;
    const quint32 code = column.texts.intern(text);
    if (code >= (1u << 28))
        throw std::length_error("too many texts in a number column");
    return code << 4;
}

void CellStore::materialise(Column& column)
{
    if (!column.numbers.empty() || m_rows == 0)
        return;
    column.numbers.reserve(std::max<size_t>(m_reserved, m_rows));
    column.numbers.resize(m_rows);
    for (quint32 row = 0; row < m_rows; ++row)
        column.numbers[row] = row < m_numbered ? row + 1 : 0;
}

quint32 CellStore::pileValue(const Column& column, quint32 row) const
{
    if (!column.numbers.empty())
        return column.numbers[row];
    return row < m_numbered ? row + 1 : 0;
}

quint32 CellStore::pileCell(Column& column, QStringView text)
{
    if (text.isEmpty())
        return 0;
    const quint32 code = column.texts.intern(text);
    if (code >= PileCodeBit)
        throw std::length_error("too many pile number texts");
    return code | PileCodeBit;
}

quint32 CellStore::appendRow(std::span<const QStringView> cells)
{
    if (m_rows == std::numeric_limits<quint32>::max())
        throw std::length_error("too many rows");
    const quint32 row = m_rows;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        Column& column = m_columns[c];
        const QStringView text = c < cells.size() ? cells[c] : QStringView();
        switch (column.kind) {
        case CellKind::Texts:
            setCode(column, row, textCode(column, text));
            break;
        case CellKind::Numbers:
            column.numbers.push_back(numberCell(column, text));
            break;
        case CellKind::PileNumbers: {
            const quint32 value = pileCell(column, text);
            if (value != 0)
                materialise(column);
            // Rows appended with no number of their own wait for the numbering.
            if (!column.numbers.empty() || value != 0) {
                column.numbers.resize(row);
                column.numbers.push_back(value);
            }
            break;
        }
        }
    }
    ++m_rows;
    return row;
}

quint32 CellStore::appendCopy(quint32 source)
{
    const quint32 row = m_rows;
    for (Column& column : m_columns) {
        switch (column.kind) {
        case CellKind::Texts:
            setCode(column, row, code(int(&column - m_columns.data()), source));
            break;
        case CellKind::Numbers:
            column.numbers.push_back(column.numbers[source]);
            break;
        case CellKind::PileNumbers: {
            const quint32 value = pileValue(column, source);
            materialise(column);
            column.numbers.resize(row);
            column.numbers.push_back(value);
            break;
        }
        }
    }
    ++m_rows;
    return row;
}

void CellStore::setCell(int columnIndex, quint32 row, QStringView text)
{
    Column& column = m_columns[size_t(columnIndex)];
    switch (column.kind) {
    case CellKind::Texts:
        setCode(column, row, textCode(column, text));
        break;
    case CellKind::Numbers:
        column.numbers[row] = numberCell(column, text);
        break;
    case CellKind::PileNumbers:
        materialise(column);
        column.numbers.resize(m_rows);
        column.numbers[row] = pileCell(column, text);
        break;
    }
}

int CellStore::unpack(quint32 packed, char16_t* out)
{
    int n = 0;
    for (; n < 8 && packed != 0; ++n, packed >>= 4)
        out[n] = packedAlphabet[packed & 0xF];
    return n;
}

QStringView CellStore::view(int columnIndex, quint32 row, CellScratch& scratch) const
{
    const Column& column = m_columns[size_t(columnIndex)];
    switch (column.kind) {
    case CellKind::Texts:
        return column.texts.view(code(columnIndex, row));
    case CellKind::Numbers: {
        const quint32 packed = column.numbers[row];
        if (isCode(packed))
            return column.texts.view(codeOf(packed));
        return QStringView(scratch.data(), unpack(packed, scratch.data()));
    }
    case CellKind::PileNumbers:
        break;
    }
    const quint32 value = pileValue(column, row);
    if (value & PileCodeBit)
        return column.texts.view(value & ~PileCodeBit);
    return value == 0 ? QStringView()
                      : PileNumberText(value, m_numbering, m_rowCountNumbered, scratch);
}

void CellStore::cellTexts(int columnIndex, std::span<const quint32> rows, std::span<CellText> out,
    std::span<CellScratch> scratch) const
{
    const Column& column = m_columns[size_t(columnIndex)];
    switch (column.kind) {
    case CellKind::Texts:
        for (size_t i = 0; i < rows.size(); ++i) {
            const quint32 id = codeIn(column, rows[i]);
            out[i] = {column.texts.view(id), id};
        }
        return;
    case CellKind::Numbers:
        for (size_t i = 0; i < rows.size(); ++i) {
            const quint32 packed = column.numbers[rows[i]];
            if (packed == 0 || isCode(packed))
                out[i] = {column.texts.view(codeOf(packed)), codeOf(packed)};
            else
                out[i]
                    = {QStringView(scratch[i].data(), unpack(packed, scratch[i].data())), NoTextId};
        }
        return;
    case CellKind::PileNumbers:
        break;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const quint32 value = pileValue(column, rows[i]);
        if (value == 0 || (value & PileCodeBit))
            out[i] = {column.texts.view(value & ~PileCodeBit), value & ~PileCodeBit};
        else
            out[i] = {PileNumberText(value, m_numbering, m_rowCountNumbered, scratch[i]), NoTextId};
    }
}

QStringView CellStore::PileNumberText(
    quint64 number, PileNumbering numbering, quint64 rowCount, CellScratch& scratch)
{
    if (numbering == PileNumbering::None)
        return {};
    const int own = digitCount(number);
    const int digits
        = numbering == PileNumbering::Final ? std::max(own, digitCount(rowCount)) : own;
    size_t length = 0;
    if (numbering == PileNumbering::Final) {
        for (char16_t c : {u'Z', u'H', u'-'})
            scratch[length++] = c;
    }
    for (int i = own; i < digits; ++i)
        scratch[length++] = u'0';
    for (size_t i = length + size_t(own); i-- > length; number /= 10)
        scratch[i] = char16_t(u'0' + number % 10);
    return QStringView(scratch.data(), qsizetype(length) + own);
}

void CellStore::numberRows(std::span<const quint32> rows, PileNumbering numbering)
{
    m_numbering = numbering;
    m_rowCountNumbered = rows.size();
    bool inOrder = rows.size() == m_rows;
    for (size_t i = 0; inOrder && i < rows.size(); ++i)
        inOrder = rows[i] == i;
    for (Column& column : m_columns) {
        if (column.kind != CellKind::PileNumbers)
            continue;
        if (inOrder && column.numbers.empty())
            continue;
        materialise(column);
        column.numbers.resize(m_rows);
        for (size_t i = 0; i < rows.size(); ++i)
            column.numbers[rows[i]] = quint32(i + 1);
    }
    if (inOrder)
        m_numbered = m_rows;
}

std::optional<size_t> CellStore::numbers(int columnIndex, std::span<const quint32> rows,
    QChar separator, std::vector<double>& keys) const
{
    keys.resize(rows.size());
    const Column& column = m_columns[size_t(columnIndex)];
    // Each distinct text of the column's own texts is read once.
    std::vector<double> values;
    std::vector<quint8> state; // 0 not read yet, 1 a number, 2 no number
    auto textValue = [&](quint32 code, double& out) {
        if (code >= state.size()) {
            state.resize(column.texts.size(), 0);
            values.resize(column.texts.size(), 0);
        }
        if (state[code] == 0) {
            const auto value = TryParseStrict(column.texts.view(code), separator);
            state[code] = value ? 1 : 2;
            values[code] = value.value_or(0);
        }
        out = values[code];
        return state[code] == 1;
    };
    CellScratch scratch;
    if (column.kind == CellKind::Texts && column.width == 1) {
        // The common case of the sort by d: one byte a row, each text read once.
        for (quint32 code = 0; code < column.texts.size(); ++code) {
            double ignored;
            textValue(code, ignored);
        }
        const quint8* codes = column.codes.data();
        for (size_t i = 0; i < rows.size(); ++i) {
            const quint8 code = codes[rows[i]];
            if (state[code] != 1)
                return i;
            keys[i] = values[code];
        }
        return std::nullopt;
    }
    if (column.kind == CellKind::Numbers) {
        // The sort by [P] and the filter: the rows may stand in any order, so the cells
        // ahead are fetched while the one at hand is read.
        const quint32* cells = column.numbers.data();
        constexpr size_t Ahead = 16;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (i + Ahead < rows.size())
                ROCKPILE_PREFETCH(cells + rows[i + Ahead]);
            const quint32 packed = cells[rows[i]];
            bool ok = true;
            if (isCode(packed)) {
                ok = textValue(codeOf(packed), keys[i]);
            } else if (const auto quick = quickValue(packed, separator.unicode())) {
                keys[i] = *quick;
            } else {
                const auto value = TryParseStrict(view(columnIndex, rows[i], scratch), separator);
                ok = value.has_value();
                keys[i] = value.value_or(0);
            }
            if (!ok)
                return i;
        }
        return std::nullopt;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const quint32 row = rows[i];
        bool ok = true;
        switch (column.kind) {
        case CellKind::Texts:
            ok = textValue(code(columnIndex, row), keys[i]);
            break;
        case CellKind::Numbers: // read above
            break;
        case CellKind::PileNumbers: {
            const auto value = TryParseStrict(view(columnIndex, row, scratch), separator);
            ok = value.has_value();
            keys[i] = value.value_or(0);
            break;
        }
        }
        if (!ok)
            return i;
    }
    return std::nullopt;
}

size_t CellStore::memoryUse() const
{
    size_t bytes = 0;
    for (const Column& column : m_columns)
        bytes += column.codes.capacity() + column.numbers.capacity() * sizeof(quint32)
            + column.texts.memoryUse();
    return bytes;
}

} // namespace core
