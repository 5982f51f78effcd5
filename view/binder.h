#pragma once

// Builds one widget for every control of a form, placed at its design coordinates,
// and keeps the widgets showing what the controls hold. Each widget forwards the
// user's action on it to its control's user action through run(), which runs it
// under the wait cursor and then refreshes. refresh() looks at every control's
// revision counter and touches only the widgets whose control changed; programmatic
// widget updates run under QSignalBlocker so that they never come back as user
// actions.

#include "ui/controls.h"
#include "view/gridtable.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace view {

class FormBinder {
public:
    // `reportError` shows what no form guard caught (only an exhausted memory can get
    // that far); `afterAction` runs after every forwarded action, refreshed.
    // `beforeAction` runs before every forwarded action that is not nested in another.
    FormBinder(std::function<void(const QString&)> reportError,
        std::function<void()> afterAction = {}, std::function<void()> beforeAction = {});
    ~FormBinder();
    FormBinder(const FormBinder&) = delete;
    FormBinder& operator=(const FormBinder&) = delete;

    // Creates the widget of `control` (and of its children) inside `parent`.
    QWidget* build(ui::Control& control, QWidget* parent);
    void refresh();
    // Runs one forwarded user action, then brings the widgets up to the form. The run
    // itself does not yield to the event loop; the wait cursor shows it is busy (not for
    // the pointer gliding over a link or a slider, where it would only flicker).
    enum class Cursor { Wait, Keep };
    void run(const std::function<void()>& action, Cursor cursor = Cursor::Wait);
    QWidget* widgetFor(const ui::Control& control) const;
    // The window is going: from now on the widgets' signals (a field that loses the
    // focus as the window hides) reach nothing.
    void detach() { m_detached = true; }
    // A keyboard command about to act on the form: the text typed into the focused field
    // or the open cell editor is committed first, as if the user had left it.
    void commitPendingInput();

private:
    struct Binding {
        const ui::Control* control = nullptr;
        QWidget* widget = nullptr;
        quint64 seen = ~quint64(0);
        bool always = false; // grids: their columns count their own revisions
        std::function<void()> apply;
        // Edits and combo edits: commits what the widget holds now.
        std::function<void()> commitField;
    };
    Binding& bind(const ui::Control& control, QWidget* widget);
    QWidget* makeWidget(ui::Control& control, QWidget* parent);
    // Forwards a text commit; the widget shows the control's text afterwards even when
    // the control refused it (a commit on an unreachable field changes nothing).
    void commit(
        Binding& binding, const std::function<void()>& action, Cursor cursor = Cursor::Wait);

    std::function<void(const QString&)> m_reportError;
    std::function<void()> m_afterAction;
    std::function<void()> m_beforeAction;
    ActionRunner m_run;
    int m_depth = 0;
    bool m_detached = false;
    bool m_changedDuringRefresh = false;
    std::vector<std::unique_ptr<Binding>> m_bindings;
};

} // namespace view
