#include "report/optimization_table.h"

#include "core/result_schema.h"
#include "core/textwidth.h"
#include "report/resultfile.h"

#include <array>
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
    const std::string& ofCode(quint32 code)
    {
        if (code >= m_fields.size())
            m_fields.resize(m_store.texts(m_column).size());
        std::optional<std::string>& field = m_fields[code];
        if (!field) {
            const QStringView text = m_store.texts(m_column).view(code);
            const QByteArray bytes = EncodeResultText(laidOut(text, DisplayWidth(text), m_layout));
            field.emplace(bytes.constData(), size_t(bytes.size()));
        }
        return *field;
    }

    // Appends the field of the cell in `row`.
    void append(std::string& out, quint32 row)
    {
        if (m_store.kind(m_column) == CellKind::Texts) {
            out += ofCode(m_store.code(m_column, row));
            return;
        }
        const quint32 packed = m_store.packed(m_column, row);
        if (CellStore::isCode(packed)) {
            out += ofCode(CellStore::codeOf(packed));
            return;
        }
        // A packed text is ASCII: its width is its length.
        char16_t chars[8];
        const int length = CellStore::unpack(packed, chars);
        const int fill = std::max(m_layout.width - length, 0);
        const int left = m_layout.centred ? fill - fill / 2 : fill;
        out.append(size_t(left), ' ');
        for (int i = 0; i < length; ++i)
            out.push_back(char(chars[i]));
        out.append(size_t(fill - left + m_layout.gap), ' ');
    }

private:
    const CellStore& m_store;
    int m_column;
    FieldLayout m_layout;
    std::vector<std::optional<std::string>> m_fields;
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
void pileNumberField(std::string& out, qint64 position, int digits)
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
    out.append(size_t(1 + fill - fill / 2), ' ');
    out.append(number, size_t(length));
    out.append(size_t(fill / 2 + 2), ' ');
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
    std::string dash = std::string(4, ' ') + "-" + std::string(5, ' ');
    const qint64 count = qint64(rows.size());
    const int digits = digitCount(count);
    std::string& line = out.buffer();
    for (qint64 i = 0; i < count && complete; ++i) {
        const quint32 row = rows[size_t(i)];
        pileNumberField(line, i + 1, digits);
        fields[SectionColumn].append(line, row);
        const quint32 sectionCode = textCodeOf(store, SectionColumn, row);
        if (sectionCode >= sections.size())
            sections = kindsOf<ResultSection>(store, SectionColumn, SectionOfLabel);
        if (const auto section = sections[sectionCode]) {
            for (int column : DimensionFieldColumns(*section)) {
                if (column < 0)
                    line += dash;
                else
                    fields[size_t(column)].append(line, row);
            }
        }
        fields[EmbedmentColumn].append(line, row);
        fields[StrengthColumn].append(line, row);
        fields[ProcessColumn].append(line, row);
        fields[ConditionColumn].append(line, row);
        const quint32 processCode = textCodeOf(store, ProcessColumn, row);
        if (processCode >= processes.size())
            processes = kindsOf<PileProcess>(store, ProcessColumn, ProcessOfLabel);
        if (const auto process = processes[processCode]) {
            for (int column : ResistanceFieldColumns(*process)) {
                if (column < 0)
                    line += dash;
                else
                    fields[size_t(column)].append(line, row);
            }
        }
        fields[CapacityColumn].append(line, row);
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
