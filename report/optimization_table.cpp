#include "report/optimization_table.h"

#include "core/result_schema.h"
#include "core/textwidth.h"
#include "report/resultfile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace report {

namespace {

using namespace core;

constexpr int LineWidth = 170;
constexpr size_t FlushAt = 1 << 16;

constexpr QStringView HeadLine1
    = u" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  成    桩  "
      u"岩石层及  端阻系数  端 阻 力  端 阻 力  侧阻系数  侧 阻 力  侧 阻 力  容许承载 ";
constexpr QStringView HeadLine2
    = u" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     hr(m)   frk(MPa)  工    艺  "
      u"清底情况    C1(C)    Pp(kN)   占百分比     C2      Ps(kN)   占百分比   [P](kN) ";
constexpr QStringView Note = u" 注: 采用《铁路桥涵地基和基础设计规范》(TB 10093-2017)公式计算";

// How a grid column's text sits in its field: centred in 8, or put right in a width,
// then a gap of blanks. A text wider than its field is written whole and pushes the line
// to the right.
struct FieldLayout {
    bool centred;
    int width;
    int gap;
};

FieldLayout layoutOf(int column)
{
    switch (column) {
    case CapacityColumn:
        return {false, 7, 2};
    case EndResistanceColumn:
    case SideResistanceColumn:
        return {false, 7, 3};
    case FirstDimensionColumn:
    case SecondDimensionColumn:
    case EmbedmentColumn:
    case StrengthColumn:
    case EndShareColumn:
    case SideShareColumn:
        return {false, 6, 4};
    default:
        return {true, 8, 2};
    }
}

// The blanks in front of a text of display width `width` and behind it.
struct Padding {
    int left;
    int right;
};

Padding paddingOf(int width, const FieldLayout& layout)
{
    const int fill = std::max(layout.width - width, 0);
    const int left = layout.centred ? fill - fill / 2 : fill;
    return {left, fill - left + layout.gap};
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

int widthOf(QStringView text)
{
    return isAscii(text) ? int(text.size()) : DisplayWidth(text);
}

// The bytes of a line as its fields come, gathered in a fixed array and handed to the
// file's buffer in one piece; a line longer than the array goes over in parts.
class LineBytes {
public:
    explicit LineBytes(std::string& sink)
        : m_sink(sink)
    {
    }
    void put(const char* bytes, size_t n) { std::memcpy(room(n), bytes, n); }
    // A text between blanks; every result encoding writes ASCII as it is, one byte a
    // character, so such a text needs no encoder.
    void putPadded(QStringView text, Padding padding)
    {
        if (!isAscii(text)) {
            QString field(padding.left, u' ');
            field.append(text);
            field.append(QString(padding.right, u' '));
            const QByteArray encoded = EncodeResultText(field);
            put(encoded.constData(), size_t(encoded.size()));
            return;
        }
        const size_t size = size_t(padding.left) + size_t(text.size()) + size_t(padding.right);
        char* p = room(size);
        std::memset(p, ' ', size);
        for (qsizetype i = 0; i < text.size(); ++i)
            p[padding.left + i] = char(text[i].unicode());
    }
    void spill()
    {
        m_sink.append(m_data.data(), m_size);
        m_size = 0;
    }

private:
    // Room for n bytes, which the caller fills at once: in the array, or at the end of
    // the file's buffer when the array cannot hold them.
    char* room(size_t n)
    {
        if (m_size + n > Capacity)
            spill();
        if (n > Capacity) {
            m_sink.resize(m_sink.size() + n);
            return m_sink.data() + m_sink.size() - n;
        }
        char* at = m_data.data() + m_size;
        m_size += n;
        return at;
    }

    static constexpr size_t Capacity = 1024;
    std::string& m_sink;
    std::array<char, Capacity> m_data;
    size_t m_size = 0;
};

// The bytes of one field. Nearly every field of the list is ten bytes or so: those
// are kept inline and copied whole; a longer one (a text wider than its field) is kept
// aside.
struct FieldBytes {
    static constexpr size_t Inline = 23;
    std::array<char, Inline> bytes{};
    quint8 size = 0; // Inline + 1: the field is in `longer`
    std::string longer;

    void set(QStringView text, const FieldLayout& layout)
    {
        if (isAscii(text)) {
            const Padding padding = paddingOf(int(text.size()), layout);
            const size_t total = size_t(padding.left) + size_t(text.size()) + size_t(padding.right);
            if (total <= Inline) {
                std::memset(bytes.data(), ' ', total);
                for (qsizetype i = 0; i < text.size(); ++i)
                    bytes[size_t(padding.left + i)] = char(text[i].unicode());
                size = quint8(total);
                return;
            }
        }
        std::string encoded;
        LineBytes field(encoded);
        field.putPadded(text, paddingOf(widthOf(text), layout));
        field.spill();
        if (encoded.size() <= Inline) {
            std::copy(encoded.begin(), encoded.end(), bytes.begin());
            size = quint8(encoded.size());
        } else {
            longer = std::move(encoded);
            size = quint8(Inline + 1);
        }
    }
    void appendTo(LineBytes& out) const
    {
        if (size <= Inline)
            out.put(bytes.data(), size);
        else
            out.put(longer.data(), longer.size());
    }
};

// Rows go through the store a block at a time, column by column, so that each column's
// cells are read in one sweep.
constexpr size_t BlockRows = 256;

// Something made once per distinct text of a column, on first use.
template <typename Value> class PerText {
public:
    // The value for a cell with a text id; `make` makes it from the text.
    template <typename Make>
    const Value& of(const CellStore& store, int column, const CellStore::CellText& cell, Make make)
    {
        if (cell.id >= m_values.size()) {
            m_values.resize(store.textIdCount(column));
            m_made.resize(m_values.size(), 0);
        }
        if (!m_made[cell.id]) {
            m_values[cell.id] = make(cell.text);
            m_made[cell.id] = 1;
        }
        return m_values[cell.id];
    }

private:
    std::vector<Value> m_values;
    std::vector<quint8> m_made;
};

// The fields of one column's cells for the rows of a block.
class ColumnFields {
public:
    ColumnFields(const CellStore& store, int column)
        : m_store(store)
        , m_column(column)
        , m_layout(layoutOf(column))
    {
    }

    // Reads the block's cells; afterwards field(i) is the field of its row i.
    void read(std::span<const quint32> rows, std::span<CellStore::CellText> cells,
        std::span<CellScratch> scratch)
    {
        m_store.cellTexts(m_column, rows, cells, scratch);
        for (size_t i = 0; i < rows.size(); ++i) {
            const CellStore::CellText& cell = cells[i];
            if (cell.id == CellStore::NoTextId) {
                // A text of the cell's own (a number kept in the cell) is made afresh.
                m_own[i].set(cell.text, m_layout);
                m_block[i] = &m_own[i];
                continue;
            }
            m_block[i] = &m_fields.of(m_store, m_column, cell, [this](QStringView text) {
                FieldBytes made;
                made.set(text, m_layout);
                return made;
            });
        }
    }
    const FieldBytes& field(size_t i) const { return *m_block[i]; }

private:
    const CellStore& m_store;
    int m_column;
    FieldLayout m_layout;
    PerText<FieldBytes> m_fields;
    std::array<const FieldBytes*, BlockRows> m_block{};
    std::array<FieldBytes, BlockRows> m_own{};
};

// What the schema makes of the texts of a section or process column, asked once per
// distinct text, not per row.
template <typename Kind> class KindColumn {
public:
    using Recognise = std::optional<Kind> (*)(QStringView);
    KindColumn(const CellStore& store, int column, Recognise recognise)
        : m_store(store)
        , m_column(column)
        , m_recognise(recognise)
    {
    }
    void read(std::span<const quint32> rows, std::span<CellStore::CellText> cells,
        std::span<CellScratch> scratch)
    {
        m_store.cellTexts(m_column, rows, cells, scratch);
        for (size_t i = 0; i < rows.size(); ++i) {
            m_block[i] = cells[i].id == CellStore::NoTextId
                ? m_recognise(cells[i].text)
                : m_kinds.of(m_store, m_column, cells[i],
                    [this](QStringView text) { return m_recognise(text); });
        }
    }
    std::optional<Kind> kind(size_t i) const { return m_block[i]; }

private:
    const CellStore& m_store;
    int m_column;
    Recognise m_recognise;
    PerText<std::optional<Kind>> m_kinds;
    std::array<std::optional<Kind>, BlockRows> m_block{};
};

// Field 1: the row's position as a final pile number, centred in 8 behind one blank.
void pileNumberField(LineBytes& out, qint64 position, qint64 count)
{
    CellScratch scratch;
    const QStringView number = CellStore::PileNumberText(
        quint64(position), PileNumbering::Final, quint64(count), scratch);
    const Padding padding = paddingOf(int(number.size()), layoutOf(PileNumberColumn));
    out.putPadded(number, {padding.left + 1, padding.right});
}

class ListWriter {
public:
    explicit ListWriter(const std::function<void(QByteArrayView)>& write)
        : m_write(write)
    {
        m_buffer.reserve(FlushAt + 4 * LineWidth);
    }
    std::string& buffer() { return m_buffer; }
    void text(QStringView t)
    {
        const QByteArray bytes = EncodeResultText(t);
        m_buffer.append(bytes.constData(), size_t(bytes.size()));
    }
    void line(QStringView t)
    {
        text(t);
        endLine();
    }
    void endLine()
    {
        m_buffer += "\r\n";
        if (m_buffer.size() >= FlushAt)
            flush();
    }
    void flush()
    {
        if (!m_buffer.empty())
            m_write(QByteArrayView(m_buffer.data(), qsizetype(m_buffer.size())));
        m_buffer.clear();
    }

private:
    const std::function<void(QByteArrayView)>& m_write;
    std::string m_buffer;
};

} // namespace

void StreamOptimizationTable(const CellStore& store, std::span<const quint32> rows,
    QStringView title, const std::function<QString()>& stampTime,
    const std::function<void(QByteArrayView chunk)>& write)
{
    ListWriter out(write);
    QString titleLine = QString(72, u'=') + u' ';
    titleLine.append(title);
    out.line(titleLine + u' ' + QString(74, u'='));
    out.line(QString(LineWidth, u'-'));
    out.line(HeadLine1);
    out.line(HeadLine2);
    out.line(QString(LineWidth, u'-'));

    // Every column a field is made of: the pile number and the remark are not.
    const bool complete = store.columnCount() >= ResultColumnCount;
    std::vector<ColumnFields> fields;
    for (int column = 0; complete && column < RemarkColumn; ++column)
        fields.emplace_back(store, column);
    // A section or process text outside the schema's leaves its fields out.
    KindColumn<ResultSection> sections(store, SectionColumn, SectionOfLabel);
    KindColumn<PileProcess> processes(store, ProcessColumn, ProcessOfLabel);
    std::vector<CellStore::CellText> cells(BlockRows);
    std::vector<CellScratch> scratch(BlockRows);
    const std::string dash = std::string(4, ' ') + "-" + std::string(5, ' ');
    const qint64 count = qint64(rows.size());
    LineBytes line(out.buffer());
    // The fields a section or process shows; -1 stands for a dash field.
    auto schemaFields = [&](std::span<const int> columns, size_t i) {
        for (int column : columns) {
            if (column < 0)
                line.put(dash.data(), dash.size());
            else
                fields[size_t(column)].field(i).appendTo(line);
        }
    };
    for (size_t first = 0; complete && first < rows.size(); first += BlockRows) {
        const std::span<const quint32> block
            = rows.subspan(first, std::min(BlockRows, rows.size() - first));
        for (int column = SectionColumn; column < RemarkColumn; ++column)
            fields[size_t(column)].read(block, cells, scratch);
        sections.read(block, cells, scratch);
        processes.read(block, cells, scratch);
        for (size_t i = 0; i < block.size(); ++i) {
            pileNumberField(line, qint64(first + i) + 1, count);
            fields[SectionColumn].field(i).appendTo(line);
            if (const auto section = sections.kind(i))
                schemaFields(DimensionFieldColumns(*section), i);
            for (int column : {EmbedmentColumn, StrengthColumn, ProcessColumn, ConditionColumn})
                fields[size_t(column)].field(i).appendTo(line);
            if (const auto process = processes.kind(i))
                schemaFields(ResistanceFieldColumns(*process), i);
            fields[CapacityColumn].field(i).appendTo(line);
            line.spill();
            out.endLine();
        }
    }

    out.line(QString(LineWidth, u'-'));
    out.line(Note);
    out.line(QString(LineWidth, u'='));
    out.text(u"计算时间：");
    out.text(stampTime());
    out.endLine();
    out.flush();
}

} // namespace report
