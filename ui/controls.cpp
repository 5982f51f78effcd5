#include "ui/controls.h"

#include <algorithm>
#include <cmath>

namespace ui {

Control::Control(ActionGuard& guard, Control* parent, QString name)
    : m_guard(guard)
    , m_parent(parent)
    , m_name(std::move(name))
{
    if (m_parent)
        m_parent->m_children.push_back(this);
}

Control::~Control()
{
    if (m_parent)
        std::erase(m_parent->m_children, this);
}

void Control::setText(const QString& text)
{
    if (text == m_text)
        return;
    // An emptied box keeps its buffer for the next text (the run empties and refills
    // the result boxes a million times).
    if (text.isEmpty() && m_text.isDetached())
        m_text.resize(0);
    else
        m_text = text;
    touch();
    fireChange();
}

void Control::setTextInPlace(QStringView text)
{
    if (text == m_text)
        return;
    if (m_text.isDetached() && m_text.capacity() >= text.size()) {
        m_text.resize(text.size());
        std::copy_n(text.utf16(), text.size(), reinterpret_cast<char16_t*>(m_text.data()));
    } else {
        m_text = text.toString();
    }
    touch();
    fireChange();
}

void Control::setTextColor(quint32 argb)
{
    if (argb != m_textColor) {
        m_textColor = argb;
        touch();
    }
}

void Control::setVisible(bool visible)
{
    if (visible != m_visible) {
        m_visible = visible;
        touch();
    }
}

void Control::setEnabled(bool enabled)
{
    if (enabled != m_enabled) {
        m_enabled = enabled;
        touch();
    }
}

void Control::setFontSize(double size)
{
    if (size != m_fontSize) {
        m_fontSize = size;
        touch();
    }
}

void Control::setBold(bool on)
{
    if (on != m_bold) {
        m_bold = on;
        touch();
    }
}

void Control::setItalic(bool on)
{
    if (on != m_italic) {
        m_italic = on;
        touch();
    }
}

void Control::setUnderline(bool on)
{
    if (on != m_underline) {
        m_underline = on;
        touch();
    }
}

void Control::setStrikeOut(bool on)
{
    if (on != m_strikeOut) {
        m_strikeOut = on;
        touch();
    }
}

void Control::setHint(const QString& hint)
{
    if (hint != m_hint) {
        m_hint = hint;
        touch();
    }
}

void Control::setGeometry(const Rect& rect)
{
    if (!(rect == m_geometry)) {
        m_geometry = rect;
        touch();
    }
}

void Control::setAlignment(TextAlign alignment)
{
    if (alignment != m_alignment) {
        m_alignment = alignment;
        touch();
    }
}

bool Control::isReachable() const
{
    for (const Control* c = this; c; c = c->m_parent) {
        if (!c->m_visible || !c->m_enabled)
            return false;
    }
    return true;
}

void Control::fireChange()
{
    if (onChange)
        onChange();
}

bool Control::userAction(const std::function<void()>& action)
{
    if (!isReachable())
        return false;
    m_guard.runUserAction(action);
    return true;
}

void Button::click()
{
    userAction([this] {
        if (onClick)
            onClick();
    });
}

void Edit::commit(const QString& text)
{
    if (m_readOnly)
        return;
    userAction([this, text] { setText(text); });
}

void Edit::setReadOnly(bool readOnly)
{
    if (readOnly != m_readOnly) {
        m_readOnly = readOnly;
        touch();
    }
}

QString ComboBox::text() const
{
    return m_index >= 0 && m_index < m_items.size() ? m_items[m_index] : QString();
}

void ComboBox::setItems(const QStringList& items)
{
    setItemIndex(-1);
    m_items = items;
    touch();
}

void ComboBox::setItemIndex(int index)
{
    if (index < -1 || index >= m_items.size() || index == m_index)
        return;
    m_index = index;
    touch();
    fireChange();
}

void ComboBox::pick(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    userAction([this, index] { setItemIndex(index); });
}

void ComboEdit::setText(const QString& text)
{
    const int index = static_cast<int>(m_items.indexOf(text));
    if (index != m_index) {
        m_index = index;
        touch();
    }
    Control::setText(text);
}

void ComboEdit::setItems(const QStringList& items)
{
    m_items = items;
    m_index = -1;
    touch();
}

void ComboEdit::setItemIndex(int index)
{
    if (index < -1 || index >= m_items.size())
        return;
    if (index != m_index) {
        m_index = index;
        touch();
    }
    if (index >= 0)
        Control::setText(m_items[index]);
}

void ComboEdit::commit(const QString& text)
{
    userAction([this, text] { setText(text); });
}

void ComboEdit::pick(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    userAction([this, index] { setItemIndex(index); });
}

void Memo::addLine(const QString& line)
{
    m_lines.append(line);
    linesChanged();
}

void Memo::addLines(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    m_lines.append(lines);
    linesChanged();
}

void Memo::deleteLine(int index)
{
    if (index < 0 || index >= m_lines.size())
        return;
    m_lines.removeAt(index);
    m_caretLine = std::min(m_caretLine, std::max(lineCount() - 1, 0));
    m_caretColumn
        = std::min<int>(m_caretColumn, static_cast<int>(m_lines.value(m_caretLine).size()));
    linesChanged();
}

void Memo::clearLines()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    m_caretLine = 0;
    m_caretColumn = 0;
    linesChanged();
}

void Memo::moveCaretToLineEnd()
{
    m_caretColumn = static_cast<int>(m_lines.value(m_caretLine).size());
    touch();
}

void Memo::moveCaretToStart()
{
    m_caretLine = 0;
    m_caretColumn = 0;
    touch();
}

void TrackBar::setRange(double minimum, double maximum)
{
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    touch();
    setValue(m_value);
}

void TrackBar::setValue(double value)
{
    if (std::isnan(value))
        return;
    value = std::clamp(value, m_min, m_max);
    if (value == m_value)
        return;
    m_value = value;
    touch();
    fireChange();
}

void TrackBar::slide(double value)
{
    userAction([this, value] { setValue(value); });
}

} // namespace ui
