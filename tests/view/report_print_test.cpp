// The reports on paper and in PDF, through the memo's context menu and Ctrl+P, read back
// with poppler's tools as any other program would read them.

#include "tests/filesizelimit.h"
#include "tests/testmain.h"
#include "tests/ui/results_panel.h"
#include "tests/view/screen.h"
#include "view/desktopplatform.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTranslator>

using namespace results_testing;

namespace {

const QString BookPdf = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_文本.pdf");
const QString TablePdf = QStringLiteral("嵌岩桩计算书(依据TB10093-2017)_表格.pdf");

// Three piles calculated, the results screen on display.
void threePiles(Screen& s)
{
    AddPile(s.f, DefaultPile(), 3);
    AddPile(s.f, DrivenPile(), 4);
    AddPile(s.f, EllipticalPile(), 5);
    OpenResults(s.f);
    s.window.refresh();
}

QPlainTextEdit* memoOnDisplay(Screen& s)
{
    const bool book = s.f->cbt_PageBook.text() == QLatin1String("1");
    return s.widget<QPlainTextEdit>(book ? s.f->meo_jisuanjieguo_Doc : s.f->meo_jisuanjieguo_Xls);
}

QMenu* openMemoMenu(QPlainTextEdit* memo)
{
    QContextMenuEvent event(
        QContextMenuEvent::Mouse, QPoint(30, 30), memo->viewport()->mapToGlobal(QPoint(30, 30)));
    QApplication::sendEvent(memo->viewport(), &event);
    // The menu just opened; a closed one may wait for its deletion.
    QMenu* open = nullptr;
    for (QMenu* menu : memo->findChildren<QMenu*>()) {
        if (menu->isVisible())
            open = menu;
    }
    return open;
}

QStringList itemTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}

void triggerMenuItem(QPlainTextEdit* memo, const QString& text)
{
    QMenu* menu = openMemoMenu(memo);
    QVERIFY(menu);
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            action->trigger();
    }
    menu->close();
}

// A poppler tool's standard output; fails the test when it cannot run.
QString popplerOutput(const QString& tool, const QStringList& arguments)
{
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        QTest::qFail(qPrintable(tool + QStringLiteral(" is missing: bash scripts/install-deps.sh")),
            __FILE__, __LINE__);
        return {};
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The install script provides poppler's tools on Linux; a Windows machine has none, and
// there the written pages are left unread.
bool PdfReadable()
{
#ifdef Q_OS_WIN
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
#else
    return true;
#endif
}

int pageCount(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(popplerOutput(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

// pdftotext counts a Chinese character as one column where the report counts two, so
// the blanks between words differ in number; the words, their order and their lines
// are what must come back.
QString words(const QString& line)
{
    static const QRegularExpression blanks(QStringLiteral(" +"));
    return QString(line).replace(blanks, QStringLiteral(" ")).trimmed();
}

struct ExtractedPage {
    QStringList lines;
    QString footer;
};

// `pdftotext -layout`, page by page: the body lines and the footer line under them.
QList<ExtractedPage> extractedPages(const QString& pdf)
{
    QList<ExtractedPage> pages;
    const QString text = popplerOutput(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    QStringList chunks = text.split(QLatin1Char('\f'));
    if (!chunks.isEmpty() && chunks.last().trimmed().isEmpty())
        chunks.removeLast();
    for (const QString& chunk : chunks) {
        QStringList lines = chunk.split(QLatin1Char('\n'));
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        ExtractedPage page;
        if (!lines.isEmpty())
            page.footer = words(lines.takeLast());
        // The gap above the footer comes out as empty lines.
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        for (const QString& line : std::as_const(lines))
            page.lines << words(line);
        pages << page;
    }
    return pages;
}

QStringList wordsOf(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << words(line);
    return out;
}

} // namespace

class ReportPrintTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        // The translations one test installed do not leak into the next.
        for (QTranslator* translator : qApp->findChildren<QTranslator*>())
            delete translator;
    }

    void memoMenuItemsInOrder()
    {
        Screen s;
        threePiles(s);
        for (int page = 1; page <= 2; ++page) {
            QMenu* menu = openMemoMenu(memoOnDisplay(s));
            QVERIFY(menu);
            QCOMPARE(itemTexts(menu),
                QStringList({QStringLiteral("复制"), QStringLiteral("全选"),
                    QStringLiteral("打印…"), QStringLiteral("导出PDF")}));
            QVERIFY(!menu->actions().first()->isEnabled()); // nothing selected to copy
            menu->close();
            s.click(s.f->cbt_PageBook);
        }
        // "全选" then "复制": the memo's own copy of the whole report.
        triggerMenuItem(memoOnDisplay(s), QStringLiteral("全选"));
        triggerMenuItem(memoOnDisplay(s), QStringLiteral("复制"));
        QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n')),
            s.f->meo_jisuanjieguo_Doc.lines());
    }

    // "导出PDF": the memo's lines on A4, one page per pile's section for the book, the
    // fonts embedded, the footer on every page.
    void exportedPdfHoldsTheReport_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("pages");
        QTest::newRow("book") << false << BookPdf << 3;
        QTest::newRow("table") << true << TablePdf << 1;
    }
    void exportedPdfHoldsTheReport()
    {
        QFETCH(bool, table);
        QFETCH(QString, fileName);
        QFETCH(int, pages);
        Screen s;
        threePiles(s);
        if (table)
            s.click(s.f->cbt_PageBook);
        triggerMenuItem(memoOnDisplay(s), QStringLiteral("导出PDF"));
        const QString path = s.f.platform.documents.filePath(fileName);
        QVERIFY(QFile::exists(path));
        QCOMPARE(s.f->cbt_Save.hint(), QStringLiteral("已保存：") + QDir::toNativeSeparators(path));
        QCOMPARE(s.window.widgetFor(s.f->cbt_Save)->toolTip(), s.f->cbt_Save.hint());
        QCOMPARE(s.f->UnsavedReports, 3);
        if (!PdfReadable())
            QSKIP("no poppler tools here to read the PDF back");

        QCOMPARE(pageCount(path), pages);
        const QString info = popplerOutput(QStringLiteral("pdfinfo"), {path});
        static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
        const auto m = size.match(info);
        const double width = m.captured(1).toDouble();
        const double height = m.captured(2).toDouble();
        QCOMPARE(qRound(std::min(width, height)), 595); // A4: 210 x 297 mm
        QCOMPARE(qRound(std::max(width, height)), 842);
        QCOMPARE(width > height, table);
        // Every font is embedded.
        const QStringList fonts
            = popplerOutput(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n')).mid(2);
        QVERIFY(!fonts.filter(QRegularExpression(QStringLiteral("\\S"))).isEmpty());
        for (const QString& font : fonts) {
            if (!font.trimmed().isEmpty())
                QVERIFY2(font.contains(QRegularExpression(QStringLiteral("\\syes\\s"))),
                    qPrintable(font));
        }

        const QList<ExtractedPage> extracted = extractedPages(path);
        QCOMPARE(extracted.size(), pages);
        QStringList body;
        for (int p = 0; p < extracted.size(); ++p) {
            QCOMPARE(extracted[p].footer,
                words(fileName.chopped(4)
                    + QStringLiteral(" 第 %1 页 / 共 %2 页").arg(p + 1).arg(pages)));
            body << extracted[p].lines;
            // Each of the book's pages begins with a pile's section.
            if (!table)
                QCOMPARE(extracted[p].lines.value(0), words(s.f->meo_jisuanjieguo_Doc.lines()[0]));
        }
        const ui::Memo& memo = table ? s.f->meo_jisuanjieguo_Xls : s.f->meo_jisuanjieguo_Doc;
        QCOMPARE(body, wordsOf(memo.lines()));
    }

    // A second export that cannot be written leaves the first PDF whole.
    void failedExportKeepsTheEarlierFile()
    {
#ifdef Q_OS_UNIX
        Screen s;
        threePiles(s);
        QPlainTextEdit* memo = memoOnDisplay(s);
        triggerMenuItem(memo, QStringLiteral("导出PDF"));
        const QString path = s.f.platform.documents.filePath(BookPdf);
        const QByteArray earlier = ReadFileBytes(path);
        QVERIFY(!earlier.isEmpty());
        s.click(s.f->cbt_Exit);
        AddPile(s.f, RectangularPile(), 6);
        OpenResults(s.f);
        s.window.refresh();
        {
            FileSizeLimit limit(earlier.size() + 100);
            triggerMenuItem(memoOnDisplay(s), QStringLiteral("导出PDF"));
        }
        const QStringList errors = s.f.platform.takeErrors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(BookPdf), qPrintable(errors.first()));
        QCOMPARE(ReadFileBytes(path), earlier);
        QCOMPARE(QDir(s.f.platform.documents.path()).entryList(QDir::Files), QStringList{BookPdf});
#else
        QSKIP("needs a file size limit");
#endif
    }

    // Ctrl+P: the print dialog (here a stand-in) gets A4 in the report's direction; what
    // is printed is the same pages as the PDF.
    void ctrlPPrintsTheReportOnDisplay()
    {
        Screen s;
        threePiles(s);
        s.click(s.f->cbt_PageBook); // the table
        QVERIFY(s.activate());
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("printed.pdf"));
        QList<QPageLayout> asked;
        s.window.choosePrinter = [&](QPrinter& printer) {
            asked << printer.pageLayout();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            return true;
        };
        QTest::keyClick(&s.window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().pageSize().id(), QPageSize::A4);
        QCOMPARE(asked.first().orientation(), QPageLayout::Landscape);
        QVERIFY(QFile::exists(file));
        if (PdfReadable()) {
            QCOMPARE(pageCount(file), 1);
            QCOMPARE(
                extractedPages(file).value(0).lines, wordsOf(s.f->meo_jisuanjieguo_Xls.lines()));
        }

        // Cancelled: nothing printed.
        QFile::remove(file);
        s.window.choosePrinter = [&](QPrinter&) { return false; };
        triggerMenuItem(memoOnDisplay(s), QStringLiteral("打印…"));
        QVERIFY(!QFile::exists(file));
    }

    // An empty report is not printed: no dialog, no file.
    void emptyReportPrintsNothing()
    {
        Screen s;
        AddPile(s.f, DefaultPile(), 3);
        OpenResults(s.f);
        s.f->cbt_sanchu.click();
        s.window.refresh();
        int asked = 0;
        s.window.choosePrinter = [&asked](QPrinter&) { return ++asked, false; };
        s.window.printReport();
        QTest::keyClick(&s.window, Qt::Key_P, Qt::ControlModifier);
        s.window.exportReportPdf();
        QCOMPARE(asked, 0);
        QVERIFY(QDir(s.f.platform.documents.path()).entryList(QDir::Files).isEmpty());
        // Ctrl+P away from the results screen does nothing either.
        s.click(s.f->cbt_Exit);
        QTest::keyClick(&s.window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(asked, 0);
    }

    // Qt's own texts in the user's language: the message box says "确定".
    void dialogsSpeakTheUsersLanguage()
    {
        QVERIFY2(view::InstallQtTranslations(QLocale(QLocale::Chinese, QLocale::China)),
            "Qt's translations are missing: bash scripts/install-deps.sh");
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    }
};

ROCKPILE_TEST(ReportPrintTest)
#include "report_print_test.moc"
