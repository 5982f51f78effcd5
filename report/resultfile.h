#pragma once

// Saving a result file: where it goes, how its text is encoded, and the write itself.
// Shared by the report writer and the optimization list writer. A save either replaces
// the earlier file completely or leaves it whole (QSaveFile); a failure throws
// core::FileError with a message for the standard error report.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

namespace report {

// The four result files of the documents folder; every save replaces the file of its name.
enum class ResultFile { Book, Table, OptimizationList, FilteredList };
QString ResultFileName(ResultFile file);
// A report's PDF lies beside its text file, under the same name with ".pdf".
QString ResultPdfFileName(ResultFile file);
// The title of an optimization list, which also names its file.
QString OptimizationListTitle(ResultFile file);

// The documents folder, the platform's separator and the file name. An empty folder is
// an error: a result file never goes into the root of a drive or file system. The folder
// is created when it does not exist yet; throws core::FileError when that fails.
QString ResultFilePath(const QString& documentsFolder, const QString& fileName);

// Streams text into a result file in the system's legacy code page (GBK, code page 936,
// on Linux; the active ANSI code page on Windows), "?" for what the code page cannot
// hold, no byte-order mark unless asked for and the code page is UTF-8.
//
// The constructor throws core::FileError when the file cannot be created, write() when
// the bytes cannot be written (disk full), commit() when the earlier file cannot be
// replaced. Until commit() has returned, the earlier file stays as it was; a writer
// destroyed without commit() leaves it untouched. Text is encoded into a reusable
// buffer and written in large blocks, so many small writes cost little.
class ResultFileWriter {
public:
    explicit ResultFileWriter(const QString& path, bool byteOrderMarkIfUtf8 = false);
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    void write(QStringView text);
    // Bytes already in the file's encoding (EncodeResultText).
    void writeEncoded(QByteArrayView bytes);
    // Replaces the earlier file; throws core::FileError if anything failed.
    void commit();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// The bytes of a text in the result-file encoding.
QByteArray EncodeResultText(QStringView text);

// A file written byte for byte (a report's PDF), whole or not at all, with the same
// messages as a failed text save.
void WriteResultBytes(const QString& path, const QByteArray& bytes);

// A report as the memo holds it: the lines joined by CR LF, nothing after the last one,
// with the byte-order mark rule of the report files.
void WriteReportFile(const QString& path, const QStringList& lines);

} // namespace report
