#pragma once

// A form on a quiet platform with the options of a run of about a million cases: all
// four section types in steps of 100 mm, embedment 1.0 to 3.0 times the reference
// dimension in steps of 0.1, strengths 10 to 67 MPa, both processes, rock codes 1-3.

#include "optimization/ranges.h"
#include "ui/ZAV_PAS_DWOR1.h"

#include <QTemporaryDir>

#include <memory>

struct OptimizationBenchForm {
    QTemporaryDir documents;
    std::unique_ptr<ui::TZAV_FRM_DWOR1> form;
    QStringList errors;

    OptimizationBenchForm()
    {
        ui::Platform platform;
        platform.locale = QLocale(QLocale::Chinese, QLocale::China);
        const QString folder = documents.path();
        platform.documentsFolder = [folder] { return folder; };
        platform.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(9, 5, 3)); };
        platform.showError = [this](const QString& text) { errors << text; };
        form = std::make_unique<ui::TZAV_FRM_DWOR1>(platform);
        form->cbt_YouHua.click();
        const char* ranges[10][3] = {
            {"1", "4", "1"},
            {"1000", "2000", "100"},
            {"500", "1500", "100"},
            {"2000", "3000", "100"},
            {"1000", "2000", "100"},
            {"1000", "2000", "100"},
            {"1.0d", "3.0d", "0.1d"},
            {"10.00", "67.00", "1.00"},
            {"1", "2", "1"},
            {"1", "3", "1"},
        };
        for (int row = 0; row < 10; ++row) {
            for (int col = 0; col < 3; ++col)
                form->Grid1_Youhuaxuanxiang.editCell(
                    col + 1, row, QString::fromLatin1(ranges[row][col]));
        }
    }

    // The ranges as the run reads them from the options table.
    optimization::OptimizationRanges ranges() const
    {
        return optimization::ReadOptimizationRanges(
            [this](int column, int row) { return form->Grid1_Youhuaxuanxiang.cell(column, row); },
            form->decimalSeparator())
            .ranges;
    }
    core::PrecisionMode precision() const
    {
        return static_cast<core::PrecisionMode>(form->popbox_jingdu.itemIndex());
    }

    // Runs the optimization; returns the number of rows.
    int run()
    {
        form->cbt_YHcompute.setEnabled(true);
        form->cbt_YHcompute.click();
        return form->Grid2_Youhuajieguo.rowCount();
    }
};
