#pragma once

// Saving a result file: where it goes, how its text is encoded, and the write itself.
// Shared by the report writer and the optimization list writer. A save either replaces
// the earlier file completely or leaves it whole (QSaveFile); a failure throws
// core::FileError with a message for the standard error report.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>

namespace report {

// The documents folder, the platform's separator and the file name. An empty folder is
// an error: a result file never goes into the root of a drive or file system.
QString ResultFilePath(const QString& documentsFolder, const QString& fileName);

// Streams text into a result file in the system's legacy code page (GBK, code page 936,
// on Linux; the active ANSI code page on Windows), "?" for what the code page cannot
// hold, no byte-order mark unless asked for and the code page is UTF-8.
class ResultFileWriter {
public:
    explicit ResultFileWriter(const QString& path, bool byteOrderMarkIfUtf8 = false);
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    void write(QStringView text);
    // Replaces the earlier file; throws core::FileError if anything failed.
    void commit();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// The bytes of a text in the result-file encoding.
QByteArray EncodeResultText(QStringView text);

} // namespace report
