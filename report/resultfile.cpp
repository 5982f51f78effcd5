#include "report/resultfile.h"

#include "core/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <atomic>
#include <optional>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace report {

namespace {

QString quoted(const QString& path)
{
    return QStringLiteral("“") + QDir::toNativeSeparators(path) + QStringLiteral("”");
}

[[noreturn]] void fail(const QString& path, const QString& reason, const QString& systemText)
{
    QString message = QStringLiteral("文件%1未能保存：%2").arg(quoted(path), reason);
    if (!systemText.isEmpty())
        message += QStringLiteral("（%1）").arg(systemText);
    throw core::FileError(message + QStringLiteral("。原有文件保持不变。"));
}

#ifdef Q_OS_WIN

// The active ANSI code page through the system's own conversion, with the code page's
// default character for what it cannot hold. The system's best fit is turned off: it
// would write a character the text does not hold (a soft hyphen as "-", "À" as "A",
// "∞" as "8" in some code pages), which in a calculation book is a wrong text, not a
// replacement. A character beyond the BMP is one default character, as on Linux, also
// when its pair is split between two calls; only code page 65001 (UTF-8) can hold it,
// and there it is written whole.
class LegacyEncoder {
public:
    LegacyEncoder()
        : m_codePage(GetACP())
    {
        CPINFO info;
        if (GetCPInfo(m_codePage, &info)) {
            m_maxCharBytes = qsizetype(info.MaxCharSize);
            m_defaultChar = char(info.DefaultChar[0]);
        }
    }
    qsizetype maxBytes(qsizetype units) const { return (units + 1) * m_maxCharBytes; }

    // Writes at most maxBytes(text.size()) bytes.
    char* encode(QStringView text, char* out)
    {
        if (m_codePage == CP_UTF8)
            return encodeUtf8(text, out);
        const char16_t* p = text.utf16();
        const char16_t* const end = p + text.size();
        while (p < end) {
            const char16_t* run = p;
            while (p < end && !QChar::isSurrogate(*p))
                ++p;
            if (p > run) {
                out = convert(run, p - run, out);
                m_afterHigh = false;
            }
            if (p < end) {
                const bool high = QChar::isHighSurrogate(*p++);
                if (high || !m_afterHigh)
                    *out++ = m_defaultChar;
                m_afterHigh = high;
            }
        }
        return out;
    }

    // The end of the text: a high surrogate still waiting for its pair is written alone.
    char* finish(char* out)
    {
        if (!m_pendingHigh)
            return out;
        const char16_t unit = m_pendingHigh;
        m_pendingHigh = 0;
        return convert(&unit, 1, out, 0);
    }

private:
    char* convert(
        const char16_t* units, qsizetype count, char* out, UINT flags = WC_NO_BEST_FIT_CHARS)
    {
        const int written
            = WideCharToMultiByte(m_codePage, flags, reinterpret_cast<const wchar_t*>(units),
                int(count), out, int(count * m_maxCharBytes), nullptr, nullptr);
        if (written > 0)
            return out + written;
        // Not expected for an installed code page; a unit each keeps the columns.
        return std::fill_n(out, count, m_defaultChar);
    }

    // A high surrogate at the end of one call waits for its low half in the next.
    char* encodeUtf8(QStringView text, char* out)
    {
        if (text.isEmpty())
            return out;
        if (m_pendingHigh) {
            const char16_t pair[2] = {m_pendingHigh, text.front().unicode()};
            const bool joined = QChar::isLowSurrogate(pair[1]);
            out = convert(pair, joined ? 2 : 1, out, 0);
            m_pendingHigh = 0;
            if (joined)
                text = text.sliced(1);
        }
        if (!text.isEmpty() && QChar::isHighSurrogate(text.back().unicode())) {
            m_pendingHigh = text.back().unicode();
            text.chop(1);
        }
        return text.isEmpty() ? out : convert(text.utf16(), text.size(), out, 0);
    }

    UINT m_codePage;
    qsizetype m_maxCharBytes = 4;
    char m_defaultChar = '?';
    bool m_afterHigh = false;
    char16_t m_pendingHigh = 0;
};

bool codePageIsUtf8()
{
    return GetACP() == CP_UTF8;
}

#else

// GBK through a table of the bytes of every UTF-16 unit, each entry asked of the
// converter once per run: GBK has no shift states, so a unit's bytes never depend on
// its neighbours, and a list of a million rows costs one table look-up per unit.
// An entry holds up to two bytes, their count in bits 16 to 23 and a mark in bit 24;
// 0 is "not asked yet".
constexpr quint32 EntryKnown = 1u << 24;
std::array<std::atomic<quint32>, 65536> gbkTable;

quint32 askConverter(char16_t unit)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    const QChar c(unit);
    const QByteArray bytes = encoder.encode(QStringView(&c, 1));
    quint32 entry = EntryKnown;
    // Characters without a glyph of their own (soft hyphen, zero-width and direction
    // marks, variation selectors) come back empty from the converter, which drops them;
    // they have no code in GBK either, so they become "?" like any other, and the file
    // still holds a character wherever the memo does.
    if (!encoder.isValid() || bytes.isEmpty() || bytes.size() > 2) {
        entry |= quint32('?') | 1u << 16;
    } else {
        for (qsizetype i = 0; i < bytes.size(); ++i)
            entry |= quint32(quint8(bytes[i])) << (8 * i);
        entry |= quint32(bytes.size()) << 16;
    }
    gbkTable[unit].store(entry, std::memory_order_relaxed);
    return entry;
}

class LegacyEncoder {
public:
    static constexpr qsizetype maxBytes(qsizetype units) { return 2 * units; }

    // Writes at most maxBytes(text.size()) bytes. Code points outside the BMP are not
    // in GBK: a surrogate pair becomes one "?", as the converter gives it, also when
    // the pair is split between two calls; a lone surrogate is one "?" too.
    char* encode(QStringView text, char* out)
    {
        const char16_t* p = text.utf16();
        const char16_t* const end = p + text.size();
        bool afterHigh = m_afterHigh;
        while (p < end) {
            const char16_t unit = *p++;
            if (unit < 0x80) {
                *out++ = char(unit);
                afterHigh = false;
                continue;
            }
            if (QChar::isSurrogate(unit)) {
                const bool high = QChar::isHighSurrogate(unit);
                if (high || !afterHigh)
                    *out++ = '?';
                afterHigh = high;
                continue;
            }
            afterHigh = false;
            quint32 entry = gbkTable[unit].load(std::memory_order_relaxed);
            if (entry == 0)
                entry = askConverter(unit);
            out[0] = char(entry & 0xFF);
            out[1] = char((entry >> 8) & 0xFF);
            out += (entry >> 16) & 0xFF;
        }
        m_afterHigh = afterHigh;
        return out;
    }
    // Nothing waits: every unit is written when it comes.
    static char* finish(char* out) { return out; }

private:
    bool m_afterHigh = false;
};

bool codePageIsUtf8()
{
    return false;
}

#endif

constexpr qsizetype BufferBytes = 1 << 20;

} // namespace

QString ResultFilePath(const QString& documentsFolder, const QString& fileName)
{
    if (documentsFolder.trimmed().isEmpty()) {
        throw core::FileError(QStringLiteral("找不到文档文件夹，文件“%1”未能保存。").arg(fileName));
    }
    const QString folder = QDir::cleanPath(documentsFolder);
    if (!QDir().mkpath(folder)) {
        throw core::FileError(QStringLiteral("无法建立文档文件夹%1，文件“%2”未能保存。")
                                  .arg(quoted(folder), fileName));
    }
    const QString separator = folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
    return QDir::toNativeSeparators(folder + separator + fileName);
}

struct ResultFileWriter::Impl {
    explicit Impl(const QString& path)
        : file(path)
    {
    }

    void flush()
    {
        if (used == 0)
            return;
        const bool complete = file.write(buffer.data(), used) == used;
        used = 0;
        if (!complete)
            writeFailed();
    }

    [[noreturn]] void writeFailed()
    {
        // A short write leaves no error of its own: the disk is full or the file too big.
        const QString reason
            = file.error() == QFileDevice::NoError ? QString() : file.errorString();
        file.cancelWriting();
        fail(file.fileName(), QStringLiteral("写入失败，磁盘可能已满"), reason);
    }

    QSaveFile file;
    LegacyEncoder encoder;
    std::vector<char> buffer = std::vector<char>(BufferBytes);
    qsizetype used = 0;
    bool finished = false;
};

ResultFileWriter::ResultFileWriter(const QString& path, bool byteOrderMarkIfUtf8)
    : m(std::make_unique<Impl>(path))
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        fail(path, QStringLiteral("无法建立文件夹%1").arg(quoted(folder)), QString());
    // Unbuffered: every block goes straight to the file, so a short write (disk full)
    // shows at once. A buffered save file flushes its last bytes on commit and does not
    // look at the outcome, which could replace the earlier file with a cut one.
    if (!m->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(path, QStringLiteral("无法建立文件"), m->file.errorString());
    if (byteOrderMarkIfUtf8 && codePageIsUtf8()) {
        const char bom[] = {char(0xEF), char(0xBB), char(0xBF)};
        std::copy(bom, bom + 3, m->buffer.data());
        m->used = 3;
    }
}

// Without commit() QSaveFile throws its temporary file away: the earlier file stays.
ResultFileWriter::~ResultFileWriter() = default;

void ResultFileWriter::write(QStringView text)
{
    if (m->finished)
        fail(m->file.fileName(), QStringLiteral("文件已经写完"), QString());
    const qsizetype unitBytes = m->encoder.maxBytes(1);
    while (!text.isEmpty()) {
        if (qsizetype(m->buffer.size()) - m->used < unitBytes)
            m->flush();
        const qsizetype room = qsizetype(m->buffer.size()) - m->used;
        // As many units as surely fit, at least one.
        qsizetype take = std::min(text.size(), room / unitBytes);
        while (take > 1 && m->encoder.maxBytes(take) > room)
            take /= 2;
        char* const start = m->buffer.data() + m->used;
        m->used += m->encoder.encode(text.first(take), start) - start;
        text = text.sliced(take);
    }
}

void ResultFileWriter::writeEncoded(QByteArrayView bytes)
{
    if (m->finished)
        fail(m->file.fileName(), QStringLiteral("文件已经写完"), QString());
    const qsizetype capacity = qsizetype(m->buffer.size());
    if (m->used + bytes.size() > capacity)
        m->flush();
    if (bytes.size() >= capacity) {
        if (m->file.write(bytes.data(), bytes.size()) != bytes.size())
            m->writeFailed();
        return;
    }
    std::copy(bytes.begin(), bytes.end(), m->buffer.data() + m->used);
    m->used += bytes.size();
}

void ResultFileWriter::commit()
{
    if (m->finished)
        return;
    if (qsizetype(m->buffer.size()) - m->used < m->encoder.maxBytes(1))
        m->flush();
    m->used = m->encoder.finish(m->buffer.data() + m->used) - m->buffer.data();
    m->flush();
    m->finished = true;
    if (!m->file.commit())
        fail(m->file.fileName(), QStringLiteral("无法写入或替换文件"), m->file.errorString());
}

QByteArray EncodeResultText(QStringView text)
{
    LegacyEncoder encoder;
    QByteArray bytes(encoder.maxBytes(text.size()), Qt::Uninitialized);
    char* const end = encoder.finish(encoder.encode(text, bytes.data()));
    bytes.truncate(end - bytes.constData());
    return bytes;
}

void WriteResultBytes(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        fail(path, QStringLiteral("无法建立文件夹%1").arg(quoted(folder)), QString());
    QSaveFile file(path);
    // Unbuffered, for the reason given in ResultFileWriter.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(path, QStringLiteral("无法建立文件"), file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason
            = file.error() == QFileDevice::NoError ? QString() : file.errorString();
        file.cancelWriting();
        fail(path, QStringLiteral("写入失败，磁盘可能已满"), reason);
    }
    if (!file.commit())
        fail(path, QStringLiteral("无法写入或替换文件"), file.errorString());
}

void WriteReportFile(const QString& path, const QStringList& lines)
{
    ResultFileWriter writer(path, true);
    const QString lineBreak = QStringLiteral("\r\n");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            writer.write(lineBreak);
        writer.write(lines[i]);
    }
    writer.commit();
}

QString OptimizationListTitle(ResultFile file)
{
    return file == ResultFile::FilteredList ? QStringLiteral("嵌岩桩优化计算筛选结果")
                                            : QStringLiteral("嵌岩桩优化计算原始结果");
}

QString ResultFileName(ResultFile file)
{
    switch (file) {
    case ResultFile::Book:
        return QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.txt");
    case ResultFile::Table:
        return QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_表格.txt");
    case ResultFile::OptimizationList:
    case ResultFile::FilteredList:
        break;
    }
    return OptimizationListTitle(file) + QStringLiteral("(依据TB10093-2017)_表格.txt");
}

QString ResultPdfFileName(ResultFile file)
{
    return ResultFileName(file).chopped(4) + QStringLiteral(".pdf");
}

} // namespace report
