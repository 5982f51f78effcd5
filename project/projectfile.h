#pragma once

// The project file (.rockpile): UTF-8 JSON with a format name and version, the header,
// every pile as typed (label, inputs, N, and the [P] computed when it was saved), and
// the optimization options table. Reading recomputes every pile by the program's own
// rules and names every pile whose [P] came out other than saved (a file from another
// version). A file that is not one, is damaged, holds a pile the rules refuse, or comes
// from a later format version is refused whole, with a message naming the file and what
// is wrong; nothing half-read ever reaches a caller. docs/project-file.md documents the
// format; the recovery copies use it too.

#include "project/project.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace project {

inline constexpr int ProjectFormatVersion = 1;
QString ProjectFormatName(); // "rockpile-project"
QString ProjectFileSuffix(); // "rockpile"
QString ProjectFileType(); // "嵌岩桩工程文件"

// Larger files and texts are not what this program writes: refused before they are read.
inline constexpr qint64 MaximumProjectFileSize = 64 * 1024 * 1024;
inline constexpr int MaximumTextLength = 1000000;
// No bridge has more piles; a longer list is no project this program wrote.
inline constexpr int MaximumPileCount = 10000;
// The optimization options table: 12 rows of minimum, maximum and step.
inline constexpr int MaximumOptionRows = 12;
inline constexpr int MaximumOptionColumns = 3;

// Everything a file holds besides the project itself.
struct ProjectFileContent {
    Project project;
    // The optimization options table: per row its minimum, maximum and step as typed.
    QList<QStringList> optimizationOptions;
    // Recovery copies only: the project file the unsaved work belongs to (may be empty).
    QString projectPath;
};

// `program` names the writer ("嵌岩桩承载力计算 1.0"), for the reader's information.
QByteArray ProjectToJson(
    const ProjectFileContent& content, const QString& program, QChar decimalSeparator);

struct ProjectReading {
    std::optional<ProjectFileContent> content; // none when the file was refused
    QString error; // what is wrong, "第 7 根桩：R 不是有效的数值（“3x”）"
    // Piles whose recomputed [P] differs from the saved one: "ZH3：12370.52 → 12371.00 kN".
    QStringList changedPiles;
};

// Texts written with another decimal separator than the reader's are taken over into
// the reader's, so that the panel can read them back.
ProjectReading ProjectFromJson(const QByteArray& json, QChar decimalSeparator);

// Whole or not at all: a failed write leaves the earlier file as it was. Throws
// core::FileError naming the file.
void WriteProjectFile(const QString& path, const ProjectFileContent& content,
    const QString& program, QChar decimalSeparator);
// The error names the file: "工程文件“桥.rockpile”无法打开：……".
ProjectReading ReadProjectFile(const QString& path, QChar decimalSeparator);

} // namespace project
