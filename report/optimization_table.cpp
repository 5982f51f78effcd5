#include "report/optimization_table.h"

#include "core/result_schema.h"
#include "core/textwidth.h"
#include "report/resultfile.h"

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

QString laidOut(QStringView text, int width, const FieldLayout& layout)
{
    const int fill = std::max(layout.width - width, 0);
    const int left = layout.centred ? fill - fill / 2 : fill;
    QString field(left, u' ');
    field.append(text);
    field.append(QString(fill - left + layout.gap, u' '));
    return field;
}

// The bytes of a line as its fields come, gathered in a fixed array and handed to the
// file's buffer in one piece; a line longer than the array goes over in parts.
class LineBytes {
public:
    explicit LineBytes(std::string& sink)
        : m_sink(sink)
    {
    }
    char* room(size_t n)
    {
        if (m_size + n > Capacity)
            spill();
        if (n > Capacity)
            return nullptr;
        char* at = m_data.data() + m_size;
        m_size += n;
        return at;
    }
    void put(const char* bytes, size_t n)
    {
        if (char* at = room(n))
            std::memcpy(at, bytes, n);
        else
            m_sink.append(bytes, n);
    }
    void spill()
    {
        m_sink.append(m_data.data(), m_size);
        m_size = 0;
    }

private:
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

    void set(const QByteArray& encoded)
    {
        if (size_t(encoded.size()) <= Inline) {
            std::copy(encoded.begin(), encoded.end(), bytes.begin());
            size = quint8(encoded.size());
        } else {
            longer.assign(encoded.constData(), size_t(encoded.size()));
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

// The field bytes of every distinct text of one column, made on first use.
class ColumnFields {
public:
    ColumnFields(const CellStore& store, int column)
        : m_store(store)
        , m_column(column)
        , m_layout(layoutOf(column))
    {
    }

    // A Texts cell, or a Numbers cell that holds a code.
    const FieldBytes& ofCode(quint32 code)
    {
        if (code >= m_fields.size()) {
            m_fields.resize(m_store.texts(m_column).size());
            m_made.resize(m_fields.size(), false);
        }
        if (!m_made[code]) {
            const QStringView text = m_store.texts(m_column).view(code);
            m_fields[code].set(EncodeResultText(laidOut(text, DisplayWidth(text), m_layout)));
            m_made[code] = true;
        }
        return m_fields[code];
    }

    // Appends the field of the cell in `row`.
    void append(LineBytes& out, quint32 row)
    {
        if (m_store.kind(m_column) == CellKind::Texts) {
            ofCode(m_store.code(m_column, row)).appendTo(out);
            return;
        }
        const quint32 packed = m_store.packed(m_column, row);
        if (CellStore::isCode(packed)) {
            ofCode(CellStore::codeOf(packed)).appendTo(out);
            return;
        }
        // A packed text is ASCII: its width is its length.
        char16_t chars[8];
        const int length = CellStore::unpack(packed, chars);
        const int fill = std::max(m_layout.width - length, 0);
        const int left = m_layout.centred ? fill - fill / 2 : fill;
        const size_t size = size_t(fill + length + m_layout.gap);
        char* p = out.room(size);
        std::memset(p, ' ', size);
        for (int i = 0; i < length; ++i)
            p[left + i] = char(chars[i]);
    }

private:
    const CellStore& m_store;
    int m_column;
    FieldLayout m_layout;
    std::vector<FieldBytes> m_fields;
    std::vector<bool> m_made;
};

// What the schema makes of each distinct text of a column: a section or a process.
template <typename Kind, typename Recognise>
std::vector<std::optional<Kind>> kindsOf(const CellStore& store, int column, Recognise recognise)
{
    std::vector<std::optional<Kind>> kinds(store.texts(column).size());
    for (quint32 code = 0; code < kinds.size(); ++code)
        kinds[code] = recognise(store.texts(column).view(code));
    return kinds;
}

// The code of a section or process cell; those columns hold texts in every result store.
quint32 textCodeOf(const CellStore& store, int column, quint32 row)
{
    return store.kind(column) == CellKind::Texts ? store.code(column, row) : 0;
}

int digitCount(qint64 value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

// Field 1: "ZH-" and the position, zero-filled to the digit count of the row count,
// centred in 8 behind one blank.
void pileNumberField(LineBytes& out, qint64 position, int digits)
{
    char number[32];
    int length = 0;
    number[length++] = 'Z';
    number[length++] = 'H';
    number[length++] = '-';
    const int own = digitCount(position);
    for (int i = own; i < digits; ++i)
        number[length++] = '0';
    for (int i = own - 1; i >= 0; --i, position /= 10)
        number[length + i] = char('0' + position % 10);
    length += own;
    const int fill = std::max(8 - length, 0);
    char* at = out.room(size_t(3 + fill + length));
    std::memset(at, ' ', size_t(3 + fill + length));
    std::memcpy(at + 1 + fill - fill / 2, number, size_t(length));
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

    std::vector<ColumnFields> fields;
    for (int column = 0; column < ResultColumnCount && column < store.columnCount(); ++column)
        fields.emplace_back(store, column);
    const bool complete = store.columnCount() >= ResultColumnCount;
    // A section or process text outside the schema's leaves its fields out; the schema
    // is asked once per distinct text, not per row.
    std::vector<std::optional<ResultSection>> sections;
    std::vector<std::optional<PileProcess>> processes;
    const std::string dash = std::string(4, ' ') + "-" + std::string(5, ' ');
    const qint64 count = qint64(rows.size());
    const int digits = digitCount(count);
    LineBytes line(out.buffer());
    // The fields a section or process shows; -1 stands for a dash field.
    auto schemaFields = [&](std::span<const int> columns, quint32 row) {
        for (int column : columns) {
            if (column < 0)
                line.put(dash.data(), dash.size());
            else
                fields[size_t(column)].append(line, row);
        }
    };
    for (qint64 i = 0; i < count && complete; ++i) {
        const quint32 row = rows[size_t(i)];
        pileNumberField(line, i + 1, digits);
        fields[SectionColumn].append(line, row);
        const quint32 sectionCode = textCodeOf(store, SectionColumn, row);
        if (sectionCode >= sections.size())
            sections = kindsOf<ResultSection>(store, SectionColumn, SectionOfLabel);
        if (const auto section = sections[sectionCode])
            schemaFields(DimensionFieldColumns(*section), row);
        fields[EmbedmentColumn].append(line, row);
        fields[StrengthColumn].append(line, row);
        fields[ProcessColumn].append(line, row);
        fields[ConditionColumn].append(line, row);
        const quint32 processCode = textCodeOf(store, ProcessColumn, row);
        if (processCode >= processes.size())
            processes = kindsOf<PileProcess>(store, ProcessColumn, ProcessOfLabel);
        if (const auto process = processes[processCode])
            schemaFields(ResistanceFieldColumns(*process), row);
        fields[CapacityColumn].append(line, row);
        line.spill();
        out.endLine();
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
