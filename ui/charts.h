#pragma once

// The program's charts, headless: what each shows is read from the main form and laid
// out by ui/chart_layout.h; the view's chart window paints the layout and forwards the
// pointer and the user's choices to ChartPanel, as the main window does for the form.
//  - the pile on the input panel: [P] against hr from 0 to 4 d (or b), with the step of
//    the shallow socket at 0.5 m, and the current hr marked;
//  - the optimization grid on display: [P] of every row against hr, d|a or R, one colour
//    a section type, the filter band as two lines; a click selects the row in the grid;
//  - a project: N/[P] of every pile that has a design load as a bar, the 100 % line, the
//    piles that fail in red; and the pile chart's design load N and required socket.

#include "project/project.h"
#include "ui/ZAV_PAS_DWOR1.h"
#include "ui/chart_layout.h"

#include <QByteArray>

#include <functional>
#include <optional>

namespace ui {

enum class ChartKind { Pile, Optimization };
// The x axis of the optimization chart.
enum class ChartAxis { Embedment, FirstDimension, Strength };

ChartData PileChartData(const TZAV_FRM_DWOR1& form);
// `bandLow`/`bandHigh`: the filter band's bounds as the options table holds them; 0 or
// less (or no number) draws no line.
ChartData OptimizationChartData(const StringGrid& grid, ChartAxis axis,
    std::optional<double> bandLow, std::optional<double> bandHigh, QChar decimalSeparator);

// N/[P] of the piles with a design load, one bar each (green where the pile carries
// N, red where it does not), the 100 % line; the piles without N are named in the title.
ChartData ProjectChartData(const project::Project& project, QChar decimalSeparator);
// The pile chart of a pile with a design load: N as a line, and the required socket,
// where the pile has one, marked on the curve (the axis reaching it).
void AddDesignLoad(ChartData& pileChart, const project::Pile& pile, QChar decimalSeparator);

// The values of a column of a grid's rows as numbers (not a number where the cell holds
// none), each distinct text read once.
void ColumnValues(
    const StringGrid& grid, int column, std::vector<double>& out, QChar decimalSeparator);

class ChartPanel {
public:
    explicit ChartPanel(TZAV_FRM_DWOR1& form);

    // 视图 ▸ 图表 (F6), "图表" in a result grid's menu: the chart of the screen on display.
    void Open();
    void Close() { m_open = false; }
    bool isOpen() const { return m_open; }
    ChartKind kind() const { return m_kind; }
    void pickKind(ChartKind kind);
    ChartAxis axis() const { return m_axis; }
    QChar decimalSeparator() const { return m_form.decimalSeparator(); }
    void pickAxis(ChartAxis axis);
    // The optimization chart's grid: the filtered list when it is shown, else the full one.
    const StringGrid& gridOnDisplay() const;

    void resize(QSizeF size);
    // Measures the chart's texts; the view sets its font's metrics.
    ChartTextWidth textWidth;
    // Brings the chart up to the form when what it shows has changed; true when it did.
    bool refresh();
    const ChartData& data() const { return m_data; }
    const ChartLayout& layout() const { return m_layout; }
    // Grows whenever the layout or the read-out changes.
    quint64 revision() const { return m_revision; }

    // The pointer over the chart: the read-out of the nearest point, or none.
    void hover(QPointF at);
    void leave();
    const std::optional<ChartHit>& hovered() const { return m_hovered; }
    QString readout() const;
    // A click on a point of the optimization chart selects its row in the grid (as the
    // user's click on that row would).
    void click(QPointF at);

    // The file name an export proposes, in the documents folder.
    QString exportPath(const QString& suffix) const;
    // Writes the bytes `render` makes to `path`; a file that cannot be written is
    // reported like a failed save and leaves an earlier file whole.
    void Export(const QString& path, const std::function<QByteArray()>& render);

private:
    quint64 sourceKey() const;
    void layOut();

    TZAV_FRM_DWOR1& m_form;
    bool m_open = false;
    ChartKind m_kind = ChartKind::Pile;
    ChartAxis m_axis = ChartAxis::Embedment;
    QSizeF m_size{640, 420};
    std::optional<quint64> m_key;
    ChartData m_data;
    ChartLayout m_layout;
    std::optional<ChartHit> m_hovered;
    quint64 m_revision = 0;
};

} // namespace ui
