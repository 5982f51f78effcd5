#include "report/calculation_book.h"

#include "core/numbers.h"
#include "core/textwidth.h"

namespace report {

using core::PileProcess;
using core::SectionType;

namespace {

const QString Blank = QStringLiteral(" ");

QString padLeft(const QString& text, int width)
{
    return core::PadLeftTo(text, Blank, width);
}

QString center(const QString& text, int width)
{
    return core::CenterTo(text, Blank, width);
}

// The rule between the blocks of a section's summary.
QString summaryRule()
{
    return QStringLiteral("      ---------------------------------------");
}

// Cells of a section's summary row: each centred in 8 columns, two blanks apart and one
// after the last.
QString summaryCells(const QStringList& cells)
{
    QString row;
    for (qsizetype i = 0; i < cells.size(); ++i)
        row += center(cells[i], 8) + core::Blanks(i + 1 < cells.size() ? 2 : 1);
    return row;
}

} // namespace

QString BookClosingLine()
{
    return QString(50, QLatin1Char('='));
}

QString StampLine(const QString& timeText)
{
    return QStringLiteral("计算时间：") + timeText;
}

QStringList BookSectionLines(const core::PileDesignCase& pile, const core::CapacityResult& r, int n,
    core::PrecisionMode mode, const QString& timeText, QChar sep)
{
    const bool circular = pile.section == SectionType::Circular;
    const bool elliptical = pile.section == SectionType::Elliptical;
    const bool rectangular = !circular && !elliptical;
    const bool square = pile.section == SectionType::Square || pile.isSquare();
    const bool driven = pile.process == PileProcess::Driven;
    const QString pileNumber = QStringLiteral("ZH") + QString::number(n);
    const QString hardness = core::HardnessText(r.hardness);
    // A label, a value right-aligned in its columns, a unit.
    auto field = [](const QString& label, const QString& value, int width, const QString& unit) {
        return label + padLeft(value, width) + unit;
    };
    auto fixed
        = [sep](double x, int p, int decimals) { return core::FormatFixed(x, p, decimals, sep); };
    const QString mm = QStringLiteral(" mm");
    const QString kN = QStringLiteral(" kN");
    const QString percent = QStringLiteral("%");

    QStringList lines;
    lines.reserve(54);
    lines << QStringLiteral("================== 嵌岩桩计算书 ==================")
          << QStringLiteral("1.基桩编号: ") + pileNumber << QStringLiteral("2.输入数据")
          << QStringLiteral("  2.1 基桩参数");

    // The input echo calls every rectangle a rectangle; only the computation names the square.
    if (circular) {
        lines << QStringLiteral("      桩身截面类型:                      圆桩")
              << field(QStringLiteral("      桩身直径d:                   "), pile.dText, 10, mm);
    } else if (elliptical) {
        lines << QStringLiteral("      桩身截面类型:                    椭圆桩")
              << field(QStringLiteral("      桩身直径d:                   "), pile.dText, 10, mm)
              << field(QStringLiteral("      椭圆直段长度c:               "), pile.cText, 10, mm);
    } else {
        lines << QStringLiteral("      桩身截面类型:                    矩形桩")
              << field(QStringLiteral("      矩形长边尺寸a:               "), pile.dText, 10, mm)
              << field(QStringLiteral("      矩形短边尺寸b:               "), pile.cText, 10, mm);
    }
    const QString embedment = QStringLiteral("      桩身嵌岩深度h:               ");
    if (driven)
        lines << QStringLiteral("      桩身嵌岩深度h:           支承于岩石层上");
    else if (pile.embedmentForm == core::EmbedmentForm::Millimetres)
        lines << field(embedment, pile.hText, 10, mm);
    else // a multiple of d or b carries its own letter and no unit
        lines << field(embedment, pile.hText, 10, QString());

    lines << field(QStringLiteral("  2.3 基桩成桩工艺:"), pile.processText, 26, QString())
          << QStringLiteral("  2.2 基岩参数")
          << field(QStringLiteral("      岩石单轴抗压强度R:   "), fixed(pile.R, 6, 2), 18,
                 QStringLiteral(" MPa"));
    if (driven)
        lines << field(QStringLiteral("      岩石情况:   "), pile.conditionText, 27, QString());
    else
        lines << field(QStringLiteral("      岩石层破碎程度和清底情况:   "), pile.conditionText, 11,
            QString());

    lines << QStringLiteral("3.采用规范及公式") << QStringLiteral("  3.1 采用规范:")
          << QStringLiteral("               《铁路桥涵地基和基础设计规范》")
          << QStringLiteral("                      (TB 10093-2017)")
          << QStringLiteral("  3.2 规范公式:");
    if (driven) {
        lines << QStringLiteral("      支承于岩石层上的打入桩、震动下沉桩(管柱)")
              << QStringLiteral("                [P]=CRA            (6.2.2-3) ");
    } else {
        lines << QStringLiteral("      支承于岩石层上与嵌入岩石层内的钻(挖)孔 ")
              << QStringLiteral("      灌注桩、管柱")
              << QStringLiteral("                [P]=R(C1A+C2Uh)    (6.2.2-4) ");
    }

    lines << QStringLiteral("4.承载力计算");
    if (circular) {
        lines << QStringLiteral("  4.1 桩身截面类型:                        圆桩")
              << field(QStringLiteral("      桩身直径d:                     "), pile.dText, 10, mm);
    } else if (elliptical) {
        lines << QStringLiteral("  4.1 桩身截面类型:                      椭圆桩")
              << field(QStringLiteral("      桩身直径d:                     "), pile.dText, 10, mm)
              << field(QStringLiteral("      椭圆直段长度c:                 "), pile.cText, 10, mm);
    } else {
        lines << (square ? QStringLiteral("  4.1 桩身截面类型:                        方桩")
                         : QStringLiteral("  4.1 桩身截面类型:                      矩形桩"))
              << field(QStringLiteral("      矩形长边尺寸a:                 "), pile.dText, 10, mm)
              << field(QStringLiteral("      矩形短边尺寸b:                 "), pile.cText, 10, mm);
    }
    // The walk-through keeps two decimals whatever the display precision.
    lines << field(QStringLiteral("      桩身截面面积A:               "),
        fixed(r.A / 1000000, 6, 2), 12, QStringLiteral(" m^2"))
          << field(QStringLiteral("      桩身截面周长U:               "), fixed(r.U / 1000, 6, 2),
                 12, QStringLiteral(" m"))
          << field(QStringLiteral("  4.2 岩石坚硬程度:              "), hardness, 14, QString())
          << field(QStringLiteral("  4.3 端阻系数C1(C):               "), fixed(r.C1, 6, 2), 12,
                 QString())
          << field(QStringLiteral("      端阻力Pp:                    "), fixed(r.Pp, 7, 2), 12, kN)
          << field(QStringLiteral("  4.4 侧阻系数C2:                  "), fixed(r.C2, 6, 2), 12,
                 QString())
          << field(QStringLiteral("      自新鲜岩石面算起的嵌入深度:  "), fixed(r.h / 1000, 6, 3),
                 12, QStringLiteral(" m"))
          << field(QStringLiteral("      侧阻力Ps:                    "), fixed(r.Ps, 7, 2), 12, kN)
          << field(QStringLiteral("  4.5 桩及管柱的容许承载力[P]      "), fixed(r.P, 7, 2), 12, kN)
          << field(QStringLiteral("      端阻力所占比例:              "), fixed(r.share, 7, 2), 11,
                 percent)
          << field(QStringLiteral("      侧阻力所占比例:              "),
                 fixed(100 - r.share, 7, 2), 11, percent);

    // The summary: three blocks of four cells, forces at the display precision.
    const QString typeLabel = circular ? QStringLiteral("圆  桩")
        : elliptical                   ? QStringLiteral("椭圆桩")
        : square                       ? QStringLiteral("方  桩")
                                       : QStringLiteral("矩形桩");
    const QString second = circular ? QStringLiteral("-") : pile.cText;
    auto force = [&](double kN) { return core::ForceText(kN, mode, sep); };
    auto share = [&](double x) { return core::ReportShareText(x, mode, sep) + percent; };
    const QString row1 = core::Blanks(8) + core::PadRightTo(pileNumber, Blank, 6) + core::Blanks(2)
        + summaryCells({typeLabel, pile.dText, second});
    const QString row2 = core::Blanks(6)
        + summaryCells({fixed(r.h / 1000, 6, 3), fixed(pile.R, 8, 2), force(r.Pp), force(r.Ps)});
    const QString row3 = core::Blanks(6)
        + summaryCells({force(r.P), share(r.share), share(100 - r.share), hardness});

    lines << QStringLiteral("5.基桩主要数据汇总") << summaryRule();
    if (rectangular) {
        lines << QStringLiteral("      基    桩  桩身截面  矩形长边  矩形短边 ")
              << QStringLiteral("      编    号  类    型    a(mm)     b(mm)  ");
    } else {
        lines << QStringLiteral("      基    桩  桩身截面  桩身直径  椭圆直段 ")
              << QStringLiteral("      编    号  类    型    d(mm)     c(mm)  ");
    }
    lines << summaryRule() << row1 << summaryRule()
          << QStringLiteral("      嵌岩深度  岩石强度  端 阻 力  侧 阻 力 ")
          << QStringLiteral("        h(m)     R(MPa)    Pp(kN)    Ps(kN)  ") << summaryRule()
          << row2 << summaryRule()
          << QStringLiteral("      容许承载  端 阻 力  侧 阻 力  岩石坚硬 ")
          << QStringLiteral("       [P](kN)  占百分比  占百分比  程    度 ") << summaryRule()
          << row3 << summaryRule() << BookClosingLine() << StampLine(timeText);
    return lines;
}

} // namespace report
