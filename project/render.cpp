#include "project/render.h"

#include "core/input_items.h"
#include "project/design_load.h"
#include "report/calculation_book.h"
#include "report/summary_table.h"

namespace project {

QStringList BookSection(const Project& project, int index, QChar sep)
{
    const Pile& pile = project.pile(index);
    QStringList lines = report::BookSectionLines(
        pile.design, pile.result, index + 1, pile.inputs.precision, QString(), sep);
    lines.removeLast(); // the stamp: only the book's last section has one
    const QString check = DesignLoadLine(pile, sep);
    if (!check.isEmpty())
        lines.insert(lines.size() - 1, check);
    return lines;
}

QStringList BookLines(const Project& project, QChar sep)
{
    QStringList lines;
    if (project.isEmpty())
        return lines;
    lines.reserve(project.pileCount() * 54 + 1);
    for (int i = 0; i < project.pileCount(); ++i)
        lines << BookSection(project, i, sep);
    lines << report::StampLine(project.stamp);
    return lines;
}

QString TableRow(const Project& project, int index, QChar sep)
{
    const Pile& pile = project.pile(index);
    return report::SummaryTableRow(pile.design, pile.result, index + 1, pile.inputs.precision, sep);
}

QStringList TableLines(const Project& project, QChar sep)
{
    QStringList lines;
    if (project.isEmpty())
        return lines;
    lines.reserve(project.pileCount() + 9);
    lines << report::SummaryTableHead();
    for (int i = 0; i < project.pileCount(); ++i)
        lines << TableRow(project, i, sep);
    lines << report::SummaryTableFooter(project.stamp);
    return lines;
}

QString ScheduleHeader(int column)
{
    static const char16_t* const headers[ScheduleColumnCount] = {u"桩号", u"桩位", u"截面", u"d|a",
        u"c|b", u"hr", u"R", u"工艺", u"岩石状况", u"[P]", u"N", u"N/[P] (%)", u"结论", u"所需hr"};
    return column >= 0 && column < ScheduleColumnCount ? QString::fromUtf16(headers[column])
                                                       : QString();
}

QStringList ScheduleRow(const Project& project, int index, QChar sep)
{
    const Pile& pile = project.pile(index);
    const core::PileDesignCase& design = pile.design;
    QString section = core::SectionItems().value(static_cast<int>(design.section));
    if (design.isSquare())
        section = QStringLiteral("方桩");
    const DesignLoadCheck check = CheckDesignLoad(pile);
    QStringList row(ScheduleColumnCount);
    row[ScheduleNumber] = PileNumber(index);
    row[ScheduleLabel] = pile.label;
    row[ScheduleSection] = section;
    row[ScheduleFirstDimension] = pile.inputs.d;
    row[ScheduleSecondDimension]
        = design.section == core::SectionType::Circular ? QStringLiteral("-") : pile.inputs.c;
    row[ScheduleEmbedment] = pile.inputs.hr;
    row[ScheduleStrength] = pile.inputs.R;
    row[ScheduleProcess] = design.process == core::PileProcess::Driven ? QStringLiteral("打入震沉")
                                                                       : QStringLiteral("钻(挖)孔");
    row[ScheduleCondition] = design.conditionText;
    row[ScheduleCapacity] = core::ForceText(pile.result.P, pile.inputs.precision, sep);
    row[ScheduleLoad] = DesignLoadText(pile.N, sep);
    row[ScheduleUtilisation] = UtilisationText(check, sep);
    row[ScheduleVerdict] = VerdictText(check);
    row[ScheduleRequiredSocket] = RequiredSocketText(RequiredEmbedment(pile), sep);
    return row;
}

namespace {

// A signature: the name given, or a line to write it on.
QString signature(const QString& label, const QString& name)
{
    return label + (name.trimmed().isEmpty() ? QStringLiteral("________") : name.trimmed());
}

} // namespace

QStringList PrintedBookHeader(
    const ProjectHeader& header, const QString& program, const QString& today)
{
    const QString rule(50, QLatin1Char('-'));
    const QString date = header.date.trimmed().isEmpty() ? today : header.date.trimmed();
    return {
        QStringLiteral("工程名称：") + header.name.trimmed(),
        QStringLiteral("桥名/工点：") + header.site.trimmed(),
        QStringLiteral("日    期：") + date,
        QStringLiteral("计算程序：") + program,
        rule,
        QString(),
    };
}

QStringList PrintedBookSignatures(const ProjectHeader& header)
{
    return {
        QString(),
        signature(QStringLiteral("计算："), header.designer) + QStringLiteral("    ")
            + signature(QStringLiteral("复核："), header.checker) + QStringLiteral("    ")
            + signature(QStringLiteral("审核："), header.approver),
    };
}

} // namespace project
