#include "report/optimization_table.h"

#include "core/textwidth.h"

#include <string>

namespace report {

namespace {

constexpr int LineWidth = 170;
constexpr size_t FlushAt = 1 << 16;

// Columns of the result grid as created.
enum Column {
    SectionColumn = 1,
    FirstDimensionColumn = 2,
    SecondDimensionColumn = 3,
    CapacityColumn = 4,
    EmbedmentColumn = 5,
    StrengthColumn = 6,
    ProcessColumn = 7,
    ConditionColumn = 8,
    DrivenCoefficientColumn = 9,
    EndCoefficientColumn = 10,
    SideCoefficientColumn = 11,
    EndResistanceColumn = 12,
    EndShareColumn = 13,
    SideResistanceColumn = 14,
    SideShareColumn = 15,
};

constexpr QStringView HeadLine1
    = u" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  嵌岩深度  岩石强度  成    桩  "
      u"岩石层及  端阻系数  端 阻 力  端 阻 力  侧阻系数  侧 阻 力  侧 阻 力  容许承载 ";
constexpr QStringView HeadLine2
    = u" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)     hr(m)   frk(MPa)  工    艺  "
      u"清底情况    C1(C)    Pp(kN)   占百分比     C2      Ps(kN)   占百分比   [P](kN) ";
constexpr QStringView Note = u" 注: 采用《铁路桥涵地基和基础设计规范》(TB 10093-2017)公式计算";

// Appends fixed-width fields to a buffer and hands it on in large chunks; no field
// allocates.
class TableText {
public:
    explicit TableText(const std::function<void(QStringView)>& write)
        : m_write(write)
    {
        m_buffer.reserve(FlushAt + 4 * LineWidth);
    }

    void text(QStringView t)
    {
        m_buffer.append(
            reinterpret_cast<const char16_t*>(t.utf16()), static_cast<size_t>(t.size()));
    }
    void repeat(char16_t c, int count)
    {
        if (count > 0)
            m_buffer.append(static_cast<size_t>(count), c);
    }
    void blanks(int count) { repeat(u' ', count); }

    // A text wider than its field is written whole and pushes the line to the right.
    void padLeft(QStringView t, int width)
    {
        blanks(width - core::DisplayWidth(t));
        text(t);
    }
    // The odd blank goes to the left.
    void center(QStringView t, int width)
    {
        const int fill = width - core::DisplayWidth(t);
        if (fill > 0)
            blanks(fill - fill / 2);
        text(t);
        if (fill > 0)
            blanks(fill / 2);
    }

    void padLeftField(QStringView t, int width, int gap)
    {
        padLeft(t, width);
        blanks(gap);
    }
    void centerField(QStringView t)
    {
        center(t, 8);
        blanks(2);
    }
    void dashField() { centerField(u"-"); }

    void endLine()
    {
        m_buffer.append(u"\r\n");
        if (m_buffer.size() >= FlushAt)
            flush();
    }
    void line(QStringView t)
    {
        text(t);
        endLine();
    }
    void flush()
    {
        if (!m_buffer.empty())
            m_write(QStringView(m_buffer.data(), static_cast<qsizetype>(m_buffer.size())));
        m_buffer.clear();
    }

private:
    const std::function<void(QStringView)>& m_write;
    std::u16string m_buffer;
};

int digitCount(qint64 value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

// Field 1: "ZH-" and the position, zero-filled to the digit count of the row count,
// centred in 8 behind one blank.
void pileNumberField(TableText& out, qint64 position, int digits)
{
    char16_t number[32];
    int length = 0;
    number[length++] = u'Z';
    number[length++] = u'H';
    number[length++] = u'-';
    const int own = digitCount(position);
    for (int i = own; i < digits; ++i)
        number[length++] = u'0';
    for (int i = own - 1; i >= 0; --i, position /= 10)
        number[length + i] = static_cast<char16_t>(u'0' + position % 10);
    length += own;
    out.blanks(1);
    out.centerField(QStringView(number, length));
}

void dataRow(TableText& out, const OptimizationTableRows& rows, qint64 row, int digits)
{
    auto cell = [&](int column) { return rows.cell(column, row); };
    pileNumberField(out, row + 1, digits);
    const QStringView section = cell(SectionColumn);
    out.centerField(section);

    const bool round = section == u"圆  桩" || section == u"椭圆桩";
    const bool rectangular = section == u"矩形桩" || section == u"方  桩";
    if (round) {
        out.padLeftField(cell(FirstDimensionColumn), 6, 4);
        if (section == u"椭圆桩")
            out.padLeftField(cell(SecondDimensionColumn), 6, 4);
        else
            out.dashField();
        out.dashField();
        out.dashField();
    } else if (rectangular) {
        out.dashField();
        out.dashField();
        out.padLeftField(cell(FirstDimensionColumn), 6, 4);
        out.padLeftField(cell(SecondDimensionColumn), 6, 4);
    }

    out.padLeftField(cell(EmbedmentColumn), 6, 4);
    out.padLeftField(cell(StrengthColumn), 6, 4);
    const QStringView process = cell(ProcessColumn);
    out.centerField(process);
    out.centerField(cell(ConditionColumn));

    if (process == u"打入震沉") {
        out.centerField(cell(DrivenCoefficientColumn));
        out.padLeftField(cell(EndResistanceColumn), 7, 3);
        out.padLeftField(cell(EndShareColumn), 6, 4);
        out.dashField();
        out.dashField();
        out.dashField();
    } else if (process == u"钻(挖)孔") {
        out.centerField(cell(EndCoefficientColumn));
        out.padLeftField(cell(EndResistanceColumn), 7, 3);
        out.padLeftField(cell(EndShareColumn), 6, 4);
        out.centerField(cell(SideCoefficientColumn));
        out.padLeftField(cell(SideResistanceColumn), 7, 3);
        out.padLeftField(cell(SideShareColumn), 6, 4);
    }

    out.padLeftField(cell(CapacityColumn), 7, 2);
    out.endLine();
}

} // namespace

void StreamOptimizationTable(const OptimizationTableRows& rows, QStringView title,
    const std::function<QString()>& stampTime, const std::function<void(QStringView chunk)>& write)
{
    TableText out(write);
    out.repeat(u'=', 72);
    out.blanks(1);
    out.text(title);
    out.blanks(1);
    out.repeat(u'=', 74);
    out.endLine();
    out.repeat(u'-', LineWidth);
    out.endLine();
    out.line(HeadLine1);
    out.line(HeadLine2);
    out.repeat(u'-', LineWidth);
    out.endLine();

    const qint64 count = rows.rowCount();
    const int digits = digitCount(count);
    for (qint64 row = 0; row < count; ++row)
        dataRow(out, rows, row, digits);

    out.repeat(u'-', LineWidth);
    out.endLine();
    out.line(Note);
    out.repeat(u'=', LineWidth);
    out.endLine();
    out.text(u"计算时间：");
    out.text(stampTime());
    out.endLine();
    out.flush();
}

} // namespace report
