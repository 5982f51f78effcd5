#pragma once

// The cells of a string grid, column by column, stored for what they are. Rows are only
// ever appended; a grid is a list of row numbers into a store, so a sort moves four
// bytes a row and a filtered list shares the rows of the full list. Every cell reads
// back exactly the text that was written.
//
// Three kinds of column:
//  - Texts: a small code a row (0, 1, 2 or 4 bytes, widened when the column gains more
//    texts) into the column's own texts. Fixed labels, dimensions, strengths,
//    coefficients and shares take a handful of values over a whole run.
//  - Numbers: short number texts (at most eight of the characters 0-9 - . , E %) packed
//    four bits a character into the cell itself; any other text is kept in the column's
//    texts and the cell holds its code. The forces take a new value in nearly every
//    case, and hashing them would cost more than the calculation.
//  - PileNumbers: the number each row had when the rows were numbered, shown as a plain
//    position ("17") or as "ZH-" and the position filled to the digits of the row count
//    ("ZH-000017"). Rows appended in order and numbered by their position store nothing.

#include "core/textpool.h"

#include <QChar>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace core {

enum class CellKind : quint8 { Texts, Numbers, PileNumbers };

// How the pile numbers of a store read.
enum class PileNumbering : quint8 { None, Positions, Final };

// Room for the longest text a Numbers or PileNumbers cell composes.
using CellScratch = std::array<char16_t, 32>;

class CellStore {
public:
    CellStore() = default;
    CellStore(const CellStore&) = delete;
    CellStore& operator=(const CellStore&) = delete;

    void addColumn(CellKind kind);
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    CellKind kind(int column) const { return m_columns[size_t(column)].kind; }
    quint32 rowCount() const { return m_rows; }

    // Room for `rows` rows in every column, taken at once.
    void reserve(size_t rows);
    // No rows any more, and their memory is given back.
    void clear();
    // A store with the same columns and no rows.
    std::shared_ptr<CellStore> emptyLike() const;

    // Appends a row and returns its number; cells beyond `cells` are empty.
    quint32 appendRow(std::span<const QStringView> cells);
    // Appends a copy of one of this store's rows.
    quint32 appendCopy(quint32 row);
    void setCell(int column, quint32 row, QStringView text);

    // The text of a cell. Texts cells view the column's own texts, which stay put until
    // the store changes; the others are composed in `scratch`.
    QStringView view(int column, quint32 row, CellScratch& scratch) const;

    // Numbers the rows: row rows[i] gets the number i + 1.
    void numberRows(std::span<const quint32> rows, PileNumbering numbering);
    PileNumbering pileNumbering() const { return m_numbering; }
    // The text of pile number `number` in a list of `rowCount` rows.
    static QStringView PileNumberText(
        quint64 number, PileNumbering numbering, quint64 rowCount, CellScratch& scratch);

    // The cells of `column` in the given rows read with the strict number conversion,
    // each distinct text of a Texts column once. Returns the position in `rows` of the
    // first cell that is no number (keys before it are filled), or nothing.
    std::optional<size_t> numbers(int column, std::span<const quint32> rows, QChar decimalSeparator,
        std::vector<double>& keys) const;

    // Cells as a writer that treats each distinct text of a column once sees them (the
    // list file lays out and encodes each such text once): either one of the column's own
    // texts, under an id below textIdCount() that keeps naming that text until the store
    // is cleared, or a text made up for the cell alone (a number kept in the cell, a pile
    // number), with the id NoTextId.
    static constexpr quint32 NoTextId = 0xFFFF'FFFFu;
    struct CellText {
        QStringView text;
        quint32 id = NoTextId;
    };
    // The cells of `column` in `rows`, in order, into `out`; a text made up for a cell is
    // composed in the scratch of the same index. Both spans hold at least rows.size().
    void cellTexts(int column, std::span<const quint32> rows, std::span<CellText> out,
        std::span<CellScratch> scratch) const;
    quint32 textIdCount(int column) const { return m_columns[size_t(column)].texts.size(); }

    // Bytes held by the cells and texts, for benchmarks and tests.
    size_t memoryUse() const;

private:
    struct Column {
        CellKind kind = CellKind::Texts;
        TextPool texts;
        // Texts: codes of `width` bytes each; width 0 while every cell is empty.
        std::vector<quint8> codes;
        int width = 0;
        std::array<quint32, 4> recent{}; // codes appended lately, a hint only
        std::array<QStringView, 4> recentTexts{}; // their texts, viewed once
        // Numbers and materialised PileNumbers.
        std::vector<quint32> numbers;
    };

    // Texts cells: a code of `width` bytes a row into the column's texts.
    quint32 code(int column, quint32 row) const;
    // Numbers cells: a short number text packed four bits a character, or (low four bits
    // clear) a code into the column's texts.
    static bool isCode(quint32 packed) { return packed != 0 && (packed & 0xF) == 0; }
    static quint32 codeOf(quint32 packed) { return packed >> 4; }
    // The characters of a packed text; returns their count (at most 8).
    static int unpack(quint32 packed, char16_t* out);

    quint32 textCode(Column& column, QStringView text);
    void setCode(Column& column, quint32 row, quint32 code);
    void widen(Column& column, int width);
    quint32 numberCell(Column& column, QStringView text);
    quint32 pileCell(Column& column, QStringView text);
    void materialise(Column& column);
    quint32 pileValue(const Column& column, quint32 row) const;

    std::vector<Column> m_columns;
    quint32 m_rows = 0;
    size_t m_reserved = 0;
    PileNumbering m_numbering = PileNumbering::None;
    quint64 m_rowCountNumbered = 0; // the row count at the numbering
    // Rows below this count hold number row + 1 unless a pile column is materialised.
    quint32 m_numbered = 0;
};

} // namespace core
