#include "project/projectfile.h"

#include "core/numbers.h"
#include "report/resultfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>

namespace project {

namespace {

const QString SectionNames[]
    = {QStringLiteral("circular"), QStringLiteral("elliptical"), QStringLiteral("rectangular")};
const QString ProcessNames[] = {QStringLiteral("driven"), QStringLiteral("bored")};

QString quoted(const QString& text)
{
    return QStringLiteral("“") + text + QStringLiteral("”");
}

// Thrown while reading; caught at the top, so that no half-read project leaves.
struct Refusal {
    QString message;
};

[[noreturn]] void refuse(const QString& message)
{
    throw Refusal{message};
}

// Fields of one JSON object, each checked for its type; `where` names the object in
// the messages ("第 7 根桩：").
class Fields {
public:
    Fields(const QJsonObject& object, QString where)
        : m_object(object)
        , m_where(std::move(where))
    {
    }

    bool has(const QString& key) const
    {
        return m_object.contains(key) && !m_object.value(key).isNull();
    }

    QString text(const QString& key, bool required) const
    {
        if (!has(key)) {
            if (required)
                fail(QStringLiteral("缺少") + quoted(key));
            return QString();
        }
        const QJsonValue value = m_object.value(key);
        if (!value.isString())
            fail(quoted(key) + QStringLiteral("应为文本"));
        const QString text = value.toString();
        if (text.size() > MaximumTextLength)
            fail(quoted(key) + QStringLiteral("过长（%1 个字符）").arg(text.size()));
        return text;
    }

    double number(const QString& key) const
    {
        const QJsonValue value = m_object.value(key);
        if (!value.isDouble())
            fail(quoted(key) + QStringLiteral("应为数值"));
        const double x = value.toDouble();
        if (!std::isfinite(x))
            fail(quoted(key) + QStringLiteral("不是有限的数值"));
        return x;
    }

    int integer(const QString& key, int first, int last) const
    {
        if (!has(key))
            fail(QStringLiteral("缺少") + quoted(key));
        const double x = number(key);
        if (x != std::floor(x) || x < first || x > last)
            fail(quoted(key) + QStringLiteral("应为 %1 到 %2 的整数").arg(first).arg(last));
        return static_cast<int>(x);
    }

    template <size_t N> int choice(const QString& key, const QString (&names)[N]) const
    {
        const QString name = text(key, true);
        for (size_t i = 0; i < N; ++i) {
            if (names[i] == name)
                return static_cast<int>(i);
        }
        QStringList allowed;
        for (const QString& n : names)
            allowed << quoted(n);
        fail(quoted(key) + QStringLiteral("应为") + allowed.join(QStringLiteral("、"))
            + QStringLiteral("之一"));
    }

    [[noreturn]] void fail(const QString& what) const { refuse(m_where + what); }

private:
    const QJsonObject& m_object;
    QString m_where;
};

QJsonObject headerObject(const ProjectHeader& h)
{
    return {{QStringLiteral("name"), h.name}, {QStringLiteral("site"), h.site},
        {QStringLiteral("designer"), h.designer}, {QStringLiteral("checker"), h.checker},
        {QStringLiteral("approver"), h.approver}, {QStringLiteral("date"), h.date}};
}

QJsonObject pileObject(const Pile& pile)
{
    const PileInputs& in = pile.inputs;
    QJsonObject object{{QStringLiteral("label"), pile.label},
        {QStringLiteral("section"), SectionNames[static_cast<int>(in.section)]},
        {QStringLiteral("d"), in.d}, {QStringLiteral("c"), in.c}, {QStringLiteral("hr"), in.hr},
        {QStringLiteral("R"), in.R},
        {QStringLiteral("process"), ProcessNames[static_cast<int>(in.process)]},
        {QStringLiteral("condition"), in.condition},
        {QStringLiteral("precision"), static_cast<int>(in.precision)},
        {QStringLiteral("P"), pile.result.P}};
    if (pile.N)
        object.insert(QStringLiteral("N"), *pile.N);
    return object;
}

// A number text written with the file's separator, in the reader's.
QString withSeparator(QString text, QChar from, QChar to)
{
    if (from != to)
        text.replace(from, to);
    return text;
}

Pile readPile(
    const QJsonValue& value, int index, QChar fileSeparator, QChar sep, QStringList& changed)
{
    const QString where = QStringLiteral("第 %1 根桩：").arg(index + 1);
    if (!value.isObject())
        refuse(where + QStringLiteral("应为对象"));
    const QJsonObject object = value.toObject();
    const Fields f(object, where);
    Pile pile;
    pile.label = f.text(QStringLiteral("label"), false);
    PileInputs& in = pile.inputs;
    in.section = static_cast<core::SectionType>(f.choice(QStringLiteral("section"), SectionNames));
    in.d = withSeparator(f.text(QStringLiteral("d"), true), fileSeparator, sep);
    in.c = withSeparator(f.text(QStringLiteral("c"), true), fileSeparator, sep);
    in.hr = withSeparator(f.text(QStringLiteral("hr"), true), fileSeparator, sep);
    in.R = withSeparator(f.text(QStringLiteral("R"), true), fileSeparator, sep);
    in.process = static_cast<core::PileProcess>(f.choice(QStringLiteral("process"), ProcessNames));
    const int conditions = in.process == core::PileProcess::Driven ? 2 : 3;
    in.condition = f.integer(QStringLiteral("condition"), 0, conditions - 1);
    in.precision = static_cast<core::PrecisionMode>(f.integer(QStringLiteral("precision"), 0, 4));
    if (f.has(QStringLiteral("N"))) {
        const double N = f.number(QStringLiteral("N"));
        // The file holds the number; the check of a typed load applies to it alike.
        const DesignLoadReading reading
            = ReadDesignLoad(core::FormatGeneral(N, QLatin1Char('.')), QLatin1Char('.'));
        if (!reading.error.isEmpty())
            refuse(where + reading.error);
        pile.N = reading.N;
    }
    if (const auto error = ComputePile(pile, sep))
        refuse(where + error->message);
    if (f.has(QStringLiteral("P"))) {
        // Compared as the book prints it, to the hundredth of a kN.
        const QString saved = core::FormatFixed(f.number(QStringLiteral("P")), 7, 2, sep);
        const QString now = core::FormatFixed(pile.result.P, 7, 2, sep);
        if (saved != now)
            changed << PileNumber(index) + QStringLiteral("：") + saved + QStringLiteral(" → ")
                    + now + QStringLiteral(" kN");
    }
    return pile;
}

ProjectFileContent readContent(const QByteArray& json, QChar sep, QStringList& changed)
{
    if (json.trimmed().isEmpty())
        refuse(QStringLiteral("文件是空的"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        refuse(QStringLiteral("不是有效的 JSON 文本（第 %1 个字节处：%2）")
                   .arg(parseError.offset + 1)
                   .arg(parseError.errorString()));
    if (!document.isObject())
        refuse(QStringLiteral("不是") + ProjectFileType());
    const QJsonObject root = document.object();
    const Fields top(root, QString());
    if (!root.value(QStringLiteral("format")).isString()
        || root.value(QStringLiteral("format")).toString() != ProjectFormatName())
        refuse(QStringLiteral("不是") + ProjectFileType()
            + QStringLiteral("（缺少格式名“%1”）").arg(ProjectFormatName()));
    if (!root.value(QStringLiteral("version")).isDouble())
        top.fail(QStringLiteral("缺少格式版本“version”"));
    const double version = root.value(QStringLiteral("version")).toDouble();
    if (version > ProjectFormatVersion)
        refuse(QStringLiteral("文件的格式版本为 %1，由较新的程序写入；本程序只能读取版本 %2 的文件")
                   .arg(core::FormatGeneral(version, QLatin1Char('.')))
                   .arg(ProjectFormatVersion));
    if (version != std::floor(version) || version < 1)
        top.fail(QStringLiteral("格式版本“version”无效"));

    QChar fileSeparator = QLatin1Char('.');
    const QString separator = top.text(QStringLiteral("decimalSeparator"), false);
    if (separator.size() == 1)
        fileSeparator = separator.front();
    else if (!separator.isEmpty())
        top.fail(QStringLiteral("“decimalSeparator”应为一个字符"));

    ProjectFileContent content;
    Project& project = content.project;
    if (top.has(QStringLiteral("header"))) {
        if (!root.value(QStringLiteral("header")).isObject())
            top.fail(QStringLiteral("“header”应为对象"));
        const QJsonObject header = root.value(QStringLiteral("header")).toObject();
        const Fields h(header, QStringLiteral("工程信息："));
        project.header.name = h.text(QStringLiteral("name"), false);
        project.header.site = h.text(QStringLiteral("site"), false);
        project.header.designer = h.text(QStringLiteral("designer"), false);
        project.header.checker = h.text(QStringLiteral("checker"), false);
        project.header.approver = h.text(QStringLiteral("approver"), false);
        project.header.date = h.text(QStringLiteral("date"), false);
    }
    project.stamp = top.text(QStringLiteral("stamp"), false);
    content.projectPath = top.text(QStringLiteral("projectPath"), false);

    const QJsonValue piles = root.value(QStringLiteral("piles"));
    if (!piles.isUndefined() && !piles.isNull()) {
        if (!piles.isArray())
            top.fail(QStringLiteral("“piles”应为数组"));
        const QJsonArray array = piles.toArray();
        if (array.size() > MaximumPileCount)
            top.fail(QStringLiteral("桩数为 %1，超过 %2").arg(array.size()).arg(MaximumPileCount));
        for (qsizetype i = 0; i < array.size(); ++i)
            project.append(readPile(array.at(i), int(i), fileSeparator, sep, changed));
    }
    if (project.isEmpty())
        project.stamp.clear();

    const QJsonValue options = root.value(QStringLiteral("optimizationOptions"));
    if (!options.isUndefined() && !options.isNull()) {
        const QString where = QStringLiteral("优化选项表：");
        if (!options.isArray() || options.toArray().size() > MaximumOptionRows)
            refuse(where + QStringLiteral("应为至多 %1 行的数组").arg(MaximumOptionRows));
        for (const QJsonValue& row : options.toArray()) {
            if (!row.isArray() || row.toArray().size() > MaximumOptionColumns)
                refuse(where + QStringLiteral("每行应为至多 %1 个文本").arg(MaximumOptionColumns));
            QStringList cells;
            for (const QJsonValue& cell : row.toArray()) {
                if (!cell.isString() || cell.toString().size() > MaximumTextLength)
                    refuse(where + QStringLiteral("单元格应为文本"));
                cells << withSeparator(cell.toString(), fileSeparator, sep);
            }
            content.optimizationOptions << cells;
        }
    }
    return content;
}

} // namespace

QString ProjectFormatName()
{
    return QStringLiteral("rockpile-project");
}

QString ProjectFileSuffix()
{
    return QStringLiteral("rockpile");
}

QString ProjectFileType()
{
    return QStringLiteral("嵌岩桩工程文件");
}

QByteArray ProjectToJson(const ProjectFileContent& content, const QString& program, QChar sep)
{
    const Project& project = content.project;
    QJsonArray piles;
    for (int i = 0; i < project.pileCount(); ++i)
        piles.append(pileObject(project.pile(i)));
    QJsonArray options;
    for (const QStringList& row : content.optimizationOptions)
        options.append(QJsonArray::fromStringList(row));
    QJsonObject root{{QStringLiteral("format"), ProjectFormatName()},
        {QStringLiteral("version"), ProjectFormatVersion}, {QStringLiteral("program"), program},
        {QStringLiteral("decimalSeparator"), QString(sep)},
        {QStringLiteral("header"), headerObject(project.header)},
        {QStringLiteral("stamp"), project.stamp}, {QStringLiteral("piles"), piles},
        {QStringLiteral("optimizationOptions"), options}};
    if (!content.projectPath.isEmpty())
        root.insert(QStringLiteral("projectPath"), content.projectPath);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ProjectReading ProjectFromJson(const QByteArray& json, QChar sep)
{
    ProjectReading reading;
    try {
        reading.content = readContent(json, sep, reading.changedPiles);
    } catch (const Refusal& refusal) {
        reading.error = refusal.message;
        reading.changedPiles.clear();
    }
    return reading;
}

void WriteProjectFile(
    const QString& path, const ProjectFileContent& content, const QString& program, QChar sep)
{
    report::WriteResultBytes(path, ProjectToJson(content, program, sep));
}

ProjectReading ReadProjectFile(const QString& path, QChar sep)
{
    const QString prefix = QStringLiteral("工程文件") + quoted(QFileInfo(path).fileName())
        + QStringLiteral("无法打开：");
    ProjectReading reading;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.error = prefix + file.errorString();
        return reading;
    }
    if (file.size() > MaximumProjectFileSize) {
        reading.error = prefix
            + QStringLiteral("文件过大（%1 MB，至多 %2 MB）")
                  .arg(file.size() / (1024 * 1024))
                  .arg(MaximumProjectFileSize / (1024 * 1024));
        return reading;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reading.error = prefix + file.errorString();
        return reading;
    }
    reading = ProjectFromJson(bytes, sep);
    if (!reading.error.isEmpty())
        reading.error.prepend(prefix);
    return reading;
}

} // namespace project
