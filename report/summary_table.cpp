#include "report/summary_table.h"

#include "report/calculation_book.h"

#include "core/numbers.h"
#include "core/textwidth.h"

namespace report {

using core::PileProcess;
using core::PrecisionMode;
using core::SectionType;

namespace {

const QString Blank = QStringLiteral(" ");

// Right-aligned value in `width` columns, then `gap` blanks.
QString right(const QString& text, int width, int gap)
{
    return core::PadLeftTo(text, Blank, width) + core::Blanks(gap);
}

QString centred(const QString& text, int width, int gap)
{
    return core::CenterTo(text, Blank, width) + core::Blanks(gap);
}

QString dashCell()
{
    return centred(QStringLiteral("-"), 8, 2);
}

QString conditionLabel(PileProcess process, int condition)
{
    if (process == PileProcess::Driven) {
        switch (condition) {
        case 0:
            return QStringLiteral("匀质完整");
        case 1:
            return QStringLiteral("裂缝风化");
        }
    } else {
        switch (condition) {
        case 0:
            return QStringLiteral("良  好");
        case 1:
            return QStringLiteral("一  般");
        case 2:
            return QStringLiteral("较  差");
        }
    }
    return QString();
}

} // namespace

QStringList SummaryTableHead()
{
    const QString dashes(SummaryTableWidth, QLatin1Char('-'));
    return {
        QString(73, QLatin1Char('=')) + QStringLiteral(" 嵌岩桩计算书 ")
            + QString(103, QLatin1Char('=')),
        dashes,
        // clang-format off
        QStringLiteral(" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  成    桩  嵌岩深度  岩石强度  岩石层及  端阻系数  端 阻 力  端 阻 力  侧阻系数  侧 阻 力  侧 阻 力  容许承载 "),
        QStringLiteral(" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    A(m^2)     U(m)    工    艺    h(m)     R(MPa)   清底情况    C1(C)    Pp(kN)   占百分比     C2      Ps(kN)   占百分比   [P](kN) "),
        // clang-format on
        dashes,
    };
}

QString SummaryTableRow(const core::PileDesignCase& pile, const core::CapacityResult& r, int n,
    PrecisionMode mode, QChar sep)
{
    const bool circular = pile.section == SectionType::Circular;
    const bool elliptical = pile.section == SectionType::Elliptical;
    const bool rectangular = !circular && !elliptical;
    const bool square = pile.section == SectionType::Square || pile.isSquare();
    const bool driven = pile.process == PileProcess::Driven;
    auto fixed
        = [sep](double x, int p, int decimals) { return core::FormatFixed(x, p, decimals, sep); };

    // Forces and shares sit one column further left when they carry decimals.
    const bool decimals = mode == PrecisionMode::TwoDecimals || mode == PrecisionMode::OneDecimal;
    auto force = [&](double kN) {
        const QString text = core::ForceText(kN, mode, sep);
        return decimals ? right(text, 8, 2) : right(text, 7, 3);
    };
    auto share = [&](double percent) {
        const QString text = core::ReportShareText(percent, mode, sep) + QLatin1Char('%');
        return decimals ? right(text, 7, 3) : right(text, 6, 4);
    };
    const QString total = decimals ? right(core::ForceText(r.P, mode, sep), 8, 1)
                                   : right(core::ForceText(r.P, mode, sep), 7, 2);

    const QString typeLabel = circular ? QStringLiteral("圆  桩")
        : elliptical                   ? QStringLiteral("椭圆桩")
        : square                       ? QStringLiteral("方  桩")
                                       : QStringLiteral("矩形桩");
    const QString conditionText = conditionLabel(pile.process, pile.condition);

    QString row;
    row.reserve(200);
    row += core::Blanks(3) + core::PadRightTo(QStringLiteral("ZH") + QString::number(n), Blank, 6)
        + core::Blanks(2);
    row += centred(typeLabel, 8, 2);
    row += rectangular ? dashCell() : right(pile.dText, 6, 4);
    row += elliptical ? right(pile.cText, 6, 4) : dashCell();
    row += rectangular ? right(pile.dText, 6, 4) : dashCell();
    row += rectangular ? right(pile.cText, 6, 4) : dashCell();
    row += right(fixed(r.A / 1000000, 6, 2), 6, 4);
    row += right(fixed(r.U / 1000, 6, 2), 6, 4);
    row += (driven ? QStringLiteral("打入震沉") : QStringLiteral("钻(挖)孔")) + core::Blanks(2);
    // A driven pile rests on the rock: no embedment, whatever the panel still holds.
    row += driven ? core::Blanks(2) + QStringLiteral("0.00") + core::Blanks(4)
                  : right(pile.hText, 6, 4);
    row += right(fixed(pile.R, 6, 2), 7, 3);
    row += driven ? core::PadRightTo(conditionText, Blank, 8) + core::Blanks(2)
                  : centred(conditionText, 8, 2);
    row += right(fixed(r.C1, 6, 2), 6, 4);
    row += force(r.Pp);
    row += share(r.share);
    row += right(fixed(r.C2, 6, 2), 6, 4);
    row += force(r.Ps);
    row += share(100 - r.share);
    row += total;
    return row;
}

QStringList SummaryTableFooter(const QString& timeText)
{
    return {
        QString(SummaryTableWidth, QLatin1Char('-')),
        QStringLiteral("注: 采用《铁路桥涵地基和基础设计规范》(TB 10093-2017)公式计算"),
        QString(SummaryTableWidth, QLatin1Char('=')),
        StampLine(timeText),
    };
}

} // namespace report
