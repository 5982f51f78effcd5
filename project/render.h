#pragma once

// The reports and the schedule rendered from a project's piles, in order, as ZH1, ZH2,
// ...: each section and row is report/'s own layout for that pile at its own precision,
// so a project renders exactly what computing its piles afresh in that order writes. A
// pile with a design load N adds its check line to its section, before the closing line
// (which stays the last line of every section: delete-last and the printout rely on it).

#include "project/project.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace project {

// The section of the pile at `index`, heading to closing line, without the stamp.
QStringList BookSection(const Project& project, int index, QChar decimalSeparator);
// Every section and the stamp line; nothing for an empty project.
QStringList BookLines(const Project& project, QChar decimalSeparator);
// The summary-table row of the pile at `index`.
QString TableRow(const Project& project, int index, QChar decimalSeparator);
// Head, one row per pile, footer with the stamp; nothing for an empty project.
QStringList TableLines(const Project& project, QChar decimalSeparator);

// The pile schedule (桩表): one row per pile, these columns.
enum ScheduleColumn {
    ScheduleNumber, // 桩号: ZHn
    ScheduleLabel, // 桩位, editable
    ScheduleSection, // 截面
    ScheduleFirstDimension, // d|a
    ScheduleSecondDimension, // c|b
    ScheduleEmbedment, // hr, as typed
    ScheduleStrength, // R, as typed
    ScheduleProcess, // 工艺
    ScheduleCondition, // 岩石状况
    ScheduleCapacity, // [P] as the pile's precision shows it
    ScheduleLoad, // N (kN), editable
    ScheduleUtilisation, // N/[P] (%)
    ScheduleVerdict, // 结论
    ScheduleRequiredSocket, // 所需hr
    ScheduleColumnCount
};
QString ScheduleHeader(int column);
QStringList ScheduleRow(const Project& project, int index, QChar decimalSeparator);

// What the printed book adds around the lines of its text file: a header block naming
// the work (工程名称, 桥名/工点, 日期, the program and its version), and the lines the
// engineers sign, "计算：____ 复核：____ 审核：____" with the names given. `today` stands
// where the header gives no date.
QStringList PrintedBookHeader(
    const ProjectHeader& header, const QString& program, const QString& today);
QStringList PrintedBookSignatures(const ProjectHeader& header);

} // namespace project
