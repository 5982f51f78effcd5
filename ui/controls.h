#pragma once

// The headless controls of the program's forms. They hold exactly the state a widget
// would show and honour the event contract the handlers rely on:
//  - a change event fires synchronously inside the setter that changed the value, for
//    a program change as for a user's, and only when the value really changes, so
//    handlers cascade (the optimization run and the pick-up drive the input panel this
//    way);
//  - program setters (setText, setItemIndex, ...) are separate from user actions
//    (click, commit, pick, ...); a user action does nothing unless the control, its
//    group box and its screen are visible and enabled, and it runs inside the form's
//    guard, which turns the silent abort into nothing and any other error into the
//    platform's error report.
// The widget view reads these controls and forwards the user's actions to them.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace ui {

inline constexpr quint32 ColorBlack = 0xFF000000;
inline constexpr quint32 ColorRed = 0xFFFF0000;
inline constexpr quint32 ColorBlue = 0xFF0000FF;
inline constexpr quint32 ColorGreen = 0xFF008000;
inline constexpr quint32 ColorBlueViolet = 0xFF8A2BE2;

// Implemented by each form: runs one user action inside the error guard.
class ActionGuard {
public:
    virtual ~ActionGuard() = default;
    virtual void runUserAction(const std::function<void()>& action) = 0;
};

enum class TextAlign { Leading, Center, Trailing };

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

class Control {
public:
    Control(ActionGuard& guard, Control* parent, QString name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return m_name; }
    Control* parentControl() const { return m_parent; }
    const std::vector<Control*>& children() const { return m_children; }

    virtual QString text() const { return m_text; }
    // The text as stored, without a copy; what text() returns for every control that
    // does not override it (labels, buttons, edits, combo edits).
    const QString& storedText() const { return m_text; }
    virtual void setText(const QString& text);

    quint32 textColor() const { return m_textColor; }
    void setTextColor(quint32 argb);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double size);
    bool isBold() const { return m_bold; }
    void setBold(bool on);
    bool isItalic() const { return m_italic; }
    void setItalic(bool on);
    bool isUnderline() const { return m_underline; }
    void setUnderline(bool on);
    bool isStrikeOut() const { return m_strikeOut; }
    void setStrikeOut(bool on);
    const QString& hint() const { return m_hint; }
    void setHint(const QString& hint);
    Rect geometry() const { return m_geometry; }
    void setGeometry(const Rect& rect);
    TextAlign alignment() const { return m_alignment; }
    void setAlignment(TextAlign alignment);

    // True when a user could reach the control: it, its group box and its screen are
    // visible and enabled.
    bool isReachable() const;

    // Grows with every change a viewer may want to show.
    quint64 revision() const { return m_revision; }

    // The control's change event (text, item or value, as the kind defines it).
    std::function<void()> onChange;

protected:
    void touch() { ++m_revision; }
    // setText for a text given as a view, copied into the control's own buffer.
    void setTextInPlace(QStringView text);
    void fireChange();
    // Runs a user action in the form's guard if the control is reachable.
    bool userAction(const std::function<void()>& action);

private:
    ActionGuard& m_guard;
    Control* m_parent;
    std::vector<Control*> m_children;
    QString m_name;
    QString m_text;
    QString m_hint;
    quint32 m_textColor = ColorBlack;
    double m_fontSize = 12;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    Rect m_geometry;
    TextAlign m_alignment = TextAlign::Leading;
    quint64 m_revision = 0;
};

// A stacked full-window screen (scaled layout).
class Layer : public Control {
public:
    using Control::Control;
};

class GroupBox : public Control {
public:
    using Control::Control;
};

class Label : public Control {
public:
    using Control::Control;
};

class Image : public Control {
public:
    using Control::Control;
};

class Button : public Control {
public:
    using Control::Control;
    void click();
    std::function<void()> onClick;
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius) { m_cornerRadius = radius; }

private:
    double m_cornerRadius = 0;
};

class Edit : public Control {
public:
    using Control::Control;
    using Control::setText;
    // The same program setter for a text that exists only as a view, such as a number
    // just written into a buffer: no string is made for it.
    void setText(QStringView text) { setTextInPlace(text); }
    // The user types a text and presses Enter (or leaves the field).
    void commit(const QString& text);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

private:
    bool m_readOnly = false;
};

// Fixed list; the change event fires when the selected index changes.
class ComboBox : public Control {
public:
    using Control::Control;
    QString text() const override;
    const QStringList& items() const { return m_items; }
    int itemIndex() const { return m_index; }
    // Clears the list (the selection becomes -1) and fills it again.
    void setItems(const QStringList& items);
    void setItemIndex(int index);
    void pick(int index);

private:
    QStringList m_items;
    int m_index = -1;
};

// Free text with a drop-down list of suggestions; the change event fires when a new
// text is committed or set. The selected index follows the text.
class ComboEdit : public Control {
public:
    using Control::Control;
    void setText(const QString& text) override;
    const QStringList& items() const { return m_items; }
    int itemIndex() const { return m_index; }
    // Replaces the suggestions; the text stays, no item is selected.
    void setItems(const QStringList& items);
    void setItemIndex(int index);
    void commit(const QString& text);
    void pick(int index);

private:
    QStringList m_items;
    int m_index = -1;
};

// Shows the chosen item; a click opens the list.
class PopupBox : public ComboBox {
public:
    using ComboBox::ComboBox;
};

class Memo : public Control {
public:
    using Control::Control;
    QString text() const override { return m_lines.join(QLatin1Char('\n')); }
    const QStringList& lines() const { return m_lines; }
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    void addLine(const QString& line);
    void addLines(const QStringList& lines);
    void deleteLine(int index);
    void clearLines();
    // Caret moves: to the end of its current line, and to the start of the text.
    void moveCaretToLineEnd();
    void moveCaretToStart();
    int caretLine() const { return m_caretLine; }
    int caretColumn() const { return m_caretColumn; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Grows only when the lines change (the caret moves do not count).
    quint64 linesRevision() const { return m_linesRevision; }

private:
    void linesChanged()
    {
        ++m_linesRevision;
        touch();
    }

    QStringList m_lines;
    quint64 m_linesRevision = 0;
    int m_caretLine = 0;
    int m_caretColumn = 0;
    bool m_readOnly = false;
};

class TrackBar : public Control {
public:
    using Control::Control;
    double value() const { return m_value; }
    double minimum() const { return m_min; }
    double maximum() const { return m_max; }
    void setRange(double minimum, double maximum);
    // Clamped to the range; the change event fires when the value changes.
    void setValue(double value);
    void slide(double value);

private:
    double m_min = 0;
    double m_max = 10;
    double m_value = 0;
};

} // namespace ui
