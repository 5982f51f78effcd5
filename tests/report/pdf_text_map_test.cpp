// The repair of a PDF's ToUnicode maps: the entries that name a radical (or a control
// code) for a glyph that stands for the report's own character are rewritten, and the
// file stays a valid PDF whose cross-reference table points at every object.

#include "report/pdf_text_map.h"
#include "tests/testmain.h"

#include <QRegularExpression>
#include <QTest>

using namespace report;

namespace {

// A PDF laid out the way Qt writes one: numbered objects, a font whose ToUnicode map is
// an uncompressed stream, a classic cross-reference table.
QByteArray samplePdf(const QByteArray& cmapEntries, const QByteArray& streamDictionary = {})
{
    const QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                            "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
        + cmapEntries + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    QList<QByteArray> objects;
    objects << "<<\n/Type /Catalog\n/Pages 4 0 R\n>>\n";
    objects << "<< /Type /Font\n/Subtype /Type0\n/ToUnicode 3 0 R>>\n";
    objects << "<< /Length " + QByteArray::number(cmap.size()) + streamDictionary + " >>\nstream\n"
            + cmap + "\nendstream\n";
    objects << "<<\n/Type /Pages\n/Kids [ ]\n/Count 0\n>>\n";
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "endobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<<\n/Size 5\n/Root 1 0 R\n>>\nstartxref\n" + QByteArray::number(xref)
        + " \n%%EOF\n";
    return pdf;
}

// What the report drew: 一 and 身, whose glyphs the font also gives to ⼀ and ⾝, and
// the blank, which it also gives to the tab.
char32_t drawn(char32_t c)
{
    switch (c) {
    case 0x2F00:
        return 0x4E00;
    case 0x2FDD:
        return 0x8EAB;
    case 0x0009:
        return 0x0020;
    default:
        return c;
    }
}

// Every object the cross-reference table lists starts where it says, the table itself
// where startxref says, and every stream is as long as its /Length.
void verifyStructure(const QByteArray& pdf)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype xref = pdf.mid(startxref + 9).trimmed().split('\n').first().toLongLong();
    QVERIFY(pdf.mid(xref).startsWith("xref\n0 5\n"));
    const QByteArray table = pdf.mid(xref + 9, 5 * 20);
    for (int i = 1; i < 5; ++i) {
        const qsizetype offset = table.mid(i * 20, 10).toLongLong();
        QVERIFY2(pdf.mid(offset).startsWith(QByteArray::number(i) + " 0 obj\n"),
            qPrintable(QStringLiteral("object %1").arg(i)));
    }
    static const QRegularExpression stream(QStringLiteral("/Length (\\d+) >>\\nstream\\n"));
    const QString text = QString::fromLatin1(pdf);
    const auto match = stream.match(text);
    QVERIFY(match.hasMatch());
    const qsizetype end = match.capturedEnd() + match.captured(1).toLongLong();
    QVERIFY(pdf.mid(end).startsWith("\nendstream"));
    QVERIFY(pdf.endsWith("%%EOF\n"));
}

// The code-to-text pairs of every bfchar section.
QStringList charEntries(const QByteArray& pdf)
{
    static const QRegularExpression pair(QStringLiteral("<([0-9A-F]{4})> <([0-9A-F]{4})>\\n"));
    QStringList pairs;
    const QString text = QString::fromLatin1(pdf);
    const qsizetype from = text.indexOf(QLatin1String("endcodespacerange"));
    for (auto it = pair.globalMatch(text, from); it.hasNext();) {
        const auto m = it.next();
        pairs << m.captured(1) + QLatin1Char('>') + m.captured(2);
    }
    return pairs;
}

} // namespace

class PdfTextMapTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rewritesDoubtfulEntries_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<QStringList>("pairs");
        QTest::newRow("an array range, as Qt writes most glyphs")
            << QByteArray("2 beginbfrange\n<0000> <0000> <0000>\n"
                          "<0001> <0004> [<0009> <2FDD> <6869> <2F00> ]\nendbfrange\n")
            << QStringList{"0000>0000", "0001>0020", "0002>8EAB", "0003>6869", "0004>4E00"};
        QTest::newRow("a run of code points: only the doubtful one changes")
            << QByteArray("1 beginbfrange\n<0005> <0007> <2F00>\nendbfrange\n")
            << QStringList{"0005>4E00", "0006>2F01", "0007>2F02"};
        QTest::newRow("single characters")
            << QByteArray("2 beginbfchar\n<0001> <2FDD>\n<0002> <0041>\nendbfchar\n")
            << QStringList{"0001>8EAB", "0002>0041"};
    }
    void rewritesDoubtfulEntries()
    {
        QFETCH(QByteArray, entries);
        QFETCH(QStringList, pairs);
        const QByteArray repaired = RepairPdfTextMap(samplePdf(entries), drawn);
        QVERIFY(repaired != samplePdf(entries));
        verifyStructure(repaired);
        QCOMPARE(charEntries(repaired), pairs);
        QVERIFY(!repaired.contains("beginbfrange"));
    }

    // What the repair does not understand, or need not touch, it returns byte for byte.
    void leavesOtherFilesAlone_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        const QByteArray sound("1 beginbfchar\n<0001> <2FDD>\nendbfchar\n");
        QTest::newRow("nothing doubtful")
            << samplePdf("2 beginbfchar\n<0001> <8EAB>\n<0002> <0041>\nendbfchar\n");
        QTest::newRow("a compressed map") << samplePdf(sound, " /Filter /FlateDecode");
        QTest::newRow("a map it cannot read")
            << samplePdf("1 beginbfchar\n<0001> <2FDD> <0002>\nendbfchar\n");
        QTest::newRow("no cross-reference table") << samplePdf(sound).replace("startxref", "start");
        QTest::newRow("not a PDF") << QByteArray("/ToUnicode 3 0 R\nstartxref\n12\n");
        QTest::newRow("empty") << QByteArray();
    }
    void leavesOtherFilesAlone()
    {
        QFETCH(QByteArray, pdf);
        QCOMPARE(RepairPdfTextMap(pdf, drawn), pdf);
    }
};

ROCKPILE_TEST(PdfTextMapTest)
#include "pdf_text_map_test.moc"
