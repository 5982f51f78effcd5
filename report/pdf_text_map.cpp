#include "report/pdf_text_map.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace report {

namespace {

struct Edit {
    qsizetype start = 0;
    qsizetype length = 0;
    QByteArray text;
};

std::optional<quint32> hexValue(QByteArrayView hex)
{
    bool ok = false;
    const quint32 value = QByteArray(hex.data(), hex.size()).toUInt(&ok, 16);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

QByteArray hex4(quint32 value)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(4, '0');
}

// The character codes of a ToUnicode map and the UTF-16 texts they stand for (as hex).
using CodeMap = std::map<quint32, QByteArray>;

// Reads the bfchar and bfrange sections of a CMap; nullopt for anything unexpected.
std::optional<CodeMap> readCodeMap(const QByteArray& cmap)
{
    static const QRegularExpression token(
        QStringLiteral("<([0-9A-Fa-f]*)>|\\[|\\]|(begin|end)bf(char|range)"));
    CodeMap codes;
    enum class Section { None, Char, Range } section = Section::None;
    std::vector<QByteArray> pending; // hex texts of the current entry
    bool inArray = false;
    std::vector<QByteArray> array;
    const QString text = QString::fromLatin1(cmap);
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString word = match.captured(0);
        if (!match.captured(2).isEmpty()) {
            const bool begin = match.captured(2) == QLatin1String("begin");
            if (begin == (section != Section::None) || !pending.empty() || inArray)
                return std::nullopt;
            section = !begin                                 ? Section::None
                : match.captured(3) == QLatin1String("char") ? Section::Char
                                                             : Section::Range;
            continue;
        }
        if (section == Section::None)
            continue;
        if (word == QLatin1String("[")) {
            if (section != Section::Range || pending.size() != 2 || inArray)
                return std::nullopt;
            inArray = true;
            array.clear();
            continue;
        }
        if (word == QLatin1String("]")) {
            if (!inArray)
                return std::nullopt;
            const auto low = hexValue(pending[0]);
            const auto high = hexValue(pending[1]);
            if (!low || !high || *high < *low || quint64(*high - *low) + 1 != array.size())
                return std::nullopt;
            for (quint32 code = *low; code <= *high; ++code)
                codes[code] = array[code - *low];
            inArray = false;
            pending.clear();
            continue;
        }
        const QByteArray hex = match.captured(1).toLatin1();
        if (inArray) {
            array.push_back(hex);
            continue;
        }
        pending.push_back(hex);
        if (section == Section::Char && pending.size() == 2) {
            const auto code = hexValue(pending[0]);
            if (!code)
                return std::nullopt;
            codes[*code] = pending[1];
            pending.clear();
        } else if (section == Section::Range && pending.size() == 3) {
            const auto low = hexValue(pending[0]);
            const auto high = hexValue(pending[1]);
            const auto first = hexValue(pending[2]);
            // A run of consecutive code points; only single UTF-16 units count up simply.
            if (!low || !high || !first || *high < *low || pending[2].size() != 4
                || *first + (*high - *low) > 0xFFFF)
                return std::nullopt;
            for (quint32 code = *low; code <= *high; ++code)
                codes[code] = hex4(*first + (code - *low));
            pending.clear();
        }
    }
    if (section != Section::None || !pending.empty() || inArray)
        return std::nullopt;
    return codes;
}

// The map rewritten: its head and tail as they were, its entries as bfchar lines.
std::optional<QByteArray> repairedCodeMap(
    const QByteArray& cmap, const std::function<char32_t(char32_t)>& drawn)
{
    static const QRegularExpression firstSection(QStringLiteral("\\d+\\s+beginbf(char|range)"));
    static const QRegularExpression lastSection(QStringLiteral("endbf(char|range)"));
    const QString text = QString::fromLatin1(cmap);
    const auto first = firstSection.match(text);
    if (!first.hasMatch())
        return std::nullopt;
    qsizetype tail = -1;
    for (auto it = lastSection.globalMatch(text); it.hasNext();)
        tail = it.next().capturedEnd();
    auto codes = readCodeMap(cmap);
    if (!codes || tail < 0)
        return std::nullopt;

    bool changed = false;
    for (auto& [code, unicode] : *codes) {
        if (unicode.size() != 4)
            continue;
        const auto value = hexValue(unicode);
        if (!value)
            continue;
        const char32_t replacement = drawn(*value);
        if (replacement != *value && replacement <= 0xFFFF
            && !(replacement >= 0xD800 && replacement <= 0xDFFF)) {
            unicode = hex4(replacement);
            changed = true;
        }
    }
    if (!changed)
        return std::nullopt;

    QByteArray entries;
    // A CMap section holds at most 100 entries.
    auto it = codes->cbegin();
    while (it != codes->cend()) {
        QByteArray section;
        int n = 0;
        for (; it != codes->cend() && n < 100; ++it, ++n)
            section += '<' + hex4(it->first) + "> <" + it->second + ">\n";
        entries += QByteArray::number(n) + " beginbfchar\n" + section + "endbfchar\n";
    }
    return cmap.left(first.capturedStart()) + entries + cmap.mid(tail);
}

} // namespace

QByteArray RepairPdfTextMap(const QByteArray& pdf, const std::function<char32_t(char32_t)>& drawn)
{
    // The cross-reference table: "xref", "0 n", then n entries of 20 bytes.
    const qsizetype startxrefAt = pdf.lastIndexOf("startxref");
    if (startxrefAt < 0)
        return pdf;
    static const QRegularExpression number(QStringLiteral("startxref\\s+(\\d+)"));
    const auto xrefMatch = number.match(QString::fromLatin1(pdf.mid(startxrefAt, 40)));
    if (!xrefMatch.hasMatch())
        return pdf;
    const qsizetype xrefAt = xrefMatch.captured(1).toLongLong();
    static const QRegularExpression head(QStringLiteral("^xref\\s+0\\s+(\\d+)\\s*\\n"));
    const auto headMatch = head.match(QString::fromLatin1(pdf.mid(xrefAt, 40)));
    if (xrefAt <= 0 || xrefAt >= startxrefAt || !headMatch.hasMatch())
        return pdf;
    const int objects = headMatch.captured(1).toInt();
    const qsizetype entriesAt = xrefAt + headMatch.capturedLength();
    if (entriesAt + qsizetype(objects) * 20 > startxrefAt)
        return pdf;
    std::vector<qsizetype> offsets(size_t(objects), -1);
    for (int i = 0; i < objects; ++i) {
        const QByteArray entry = pdf.mid(entriesAt + qsizetype(i) * 20, 20);
        if (entry.size() != 20 || (entry[17] != 'n' && entry[17] != 'f'))
            return pdf;
        if (entry[17] == 'n')
            offsets[size_t(i)] = entry.left(10).toLongLong();
    }

    std::set<int> maps;
    static const QRegularExpression reference(QStringLiteral("/ToUnicode\\s+(\\d+)\\s+0\\s+R"));
    const QString latin = QString::fromLatin1(pdf);
    for (auto it = reference.globalMatch(latin); it.hasNext();)
        maps.insert(it.next().captured(1).toInt());

    std::vector<Edit> edits;
    static const QRegularExpression length(QStringLiteral("/Length\\s+(\\d+)(\\s+\\d+\\s+R)?"));
    for (const int object : maps) {
        if (object <= 0 || object >= objects || offsets[size_t(object)] < 0)
            continue;
        const qsizetype at = offsets[size_t(object)];
        const QByteArray opening = QByteArray::number(object) + " 0 obj";
        if (pdf.mid(at, opening.size()) != opening)
            continue;
        const qsizetype streamWord = pdf.indexOf("stream", at);
        if (streamWord < 0)
            continue;
        const QString dictionary = latin.mid(at, streamWord - at);
        const auto lengthMatch = length.match(dictionary);
        // A compressed or indirectly measured stream is left as Qt wrote it.
        if (!lengthMatch.hasMatch() || !lengthMatch.captured(2).isEmpty()
            || dictionary.contains(QLatin1String("/Filter")))
            continue;
        qsizetype dataAt = streamWord + 6;
        if (pdf.mid(dataAt, 2) == "\r\n")
            dataAt += 2;
        else if (pdf.mid(dataAt, 1) == "\n")
            dataAt += 1;
        else
            continue;
        const qsizetype dataLength = lengthMatch.captured(1).toLongLong();
        if (dataAt + dataLength > pdf.size()
            || !pdf.mid(dataAt + dataLength, 20).trimmed().startsWith("endstream"))
            continue;
        const auto repaired = repairedCodeMap(pdf.mid(dataAt, dataLength), drawn);
        if (!repaired)
            continue;
        edits.push_back({at + lengthMatch.capturedStart(1), lengthMatch.capturedLength(1),
            QByteArray::number(repaired->size())});
        edits.push_back({dataAt, dataLength, *repaired});
    }
    if (edits.empty())
        return pdf;
    std::sort(
        edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.start < b.start; });

    // Every byte after an edit moves by what the edits before it added.
    const auto moved = [&edits](qsizetype offset) {
        qsizetype shift = 0;
        for (const Edit& edit : edits) {
            if (edit.start < offset)
                shift += edit.text.size() - edit.length;
        }
        return offset + shift;
    };
    QByteArray out;
    out.reserve(pdf.size() + 4096);
    qsizetype copied = 0;
    for (const Edit& edit : edits) {
        out += pdf.mid(copied, edit.start - copied);
        out += edit.text;
        copied = edit.start + edit.length;
    }
    out += pdf.mid(copied, entriesAt - copied);
    for (int i = 0; i < objects; ++i) {
        QByteArray entry = pdf.mid(entriesAt + qsizetype(i) * 20, 20);
        if (offsets[size_t(i)] >= 0)
            entry.replace(
                0, 10, QByteArray::number(moved(offsets[size_t(i)])).rightJustified(10, '0'));
        out += entry;
    }
    const qsizetype afterEntries = entriesAt + qsizetype(objects) * 20;
    out += pdf.mid(afterEntries, startxrefAt - afterEntries);
    out += "startxref\n" + QByteArray::number(moved(xrefAt)) + "\n%%EOF\n";
    return out;
}

} // namespace report
