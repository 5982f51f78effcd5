#pragma once

// A platform that records what the form asks of the machine instead of asking it:
// messages, error reports, opened addresses and permission requests; a fixed clock, a
// chosen locale and a temporary documents folder. Tests build the form with it.

#include "ui/ZAV_PAS_DWOR1.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

struct RecordingPlatform {
    QStringList messages;
    QStringList errors;
    QStringList openedUrls;
    QList<QStringList> permissionRequests;
    // What the permission service answers; empty means "Granted for every name".
    std::optional<QList<ui::PermissionStatus>> permissionAnswer;
    bool askRationaleFirst = false;
    QDateTime clock{QDate(2026, 12, 10), QTime(9, 5, 3)};
    QTemporaryDir documents;
    QString documentsOverride; // used instead of the temporary folder when set
    bool noDocumentsFolder = false;

    // The error reports so far, which the test thereby expects; any report left unread
    // when the fixture ends fails the test.
    QStringList takeErrors() { return std::exchange(errors, {}); }

    ui::Platform make(const QLocale& locale = QLocale(QLocale::Chinese, QLocale::China))
    {
        ui::Platform p;
        p.locale = locale;
        p.now = [this] { return clock; };
        p.documentsFolder = [this] {
            if (noDocumentsFolder)
                return QString();
            return documentsOverride.isEmpty() ? documents.path() : documentsOverride;
        };
        p.showMessage = [this](const QString& text, std::function<void()> onClose) {
            messages << text;
            if (onClose)
                onClose();
        };
        p.showError = [this](const QString& text) { errors << text; };
        p.openUrl = [this](const QString& url) { openedUrls << url; };
        p.requestPermissions
            = [this](const QStringList& names, ui::PermissionResultHandler onResult,
                  ui::RationaleHandler onRationale) {
                  permissionRequests << names;
                  auto answer = [this, names, onResult] {
                      if (onResult)
                          onResult(names,
                              permissionAnswer.value_or(QList<ui::PermissionStatus>(
                                  names.size(), ui::PermissionStatus::Granted)));
                  };
                  if (askRationaleFirst && onRationale)
                      onRationale(names, answer);
                  else
                      answer();
              };
        return p;
    }
};

// A form on a recording platform; zh_CN locale unless told otherwise.
struct FormFixture {
    RecordingPlatform platform;
    std::unique_ptr<ui::TZAV_FRM_DWOR1> form;

    explicit FormFixture(const QLocale& locale = QLocale(QLocale::Chinese, QLocale::China))
        : form(std::make_unique<ui::TZAV_FRM_DWOR1>(platform.make(locale)))
    {
    }
    FormFixture(const FormFixture&) = delete;
    FormFixture& operator=(const FormFixture&) = delete;
    // An error report is the program telling the user that something went wrong; a
    // test that did not ask for one (through takeErrors) has found a fault.
    ~FormFixture()
    {
        if (!platform.errors.isEmpty() && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(QStringLiteral("unexpected error report: ")
                             + platform.errors.join(QStringLiteral(" | "))),
                __FILE__, __LINE__);
    }
    ui::TZAV_FRM_DWOR1& operator*() { return *form; }
    ui::TZAV_FRM_DWOR1* operator->() { return form.get(); }
};
