#include "view/binder.h"

#include "ui/ZAV_HBT_PAS_CopyRight.h"
#include "view/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>
#include <exception>

namespace view {

namespace {

int designUnits(double value)
{
    return static_cast<int>(std::lround(value));
}

// Font sizes of the design are device-independent pixels.
QFont fontOf(const ui::Control& control, QFont font)
{
    font.setPixelSize(std::max(1, designUnits(control.fontSize())));
    font.setBold(control.isBold());
    font.setItalic(control.isItalic());
    font.setUnderline(control.isUnderline());
    font.setStrikeOut(control.isStrikeOut());
    return font;
}

// The control's colour for an enabled widget; a disabled one keeps the style's grey.
void setTextColor(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles, quint32 argb)
{
    QPalette palette = widget.palette();
    const QColor color = QColor::fromRgba(argb);
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
    }
    if (palette != widget.palette())
        widget.setPalette(palette);
}

void applyCommon(const ui::Control& control, QWidget& widget, const QFont& baseFont)
{
    const ui::Rect r = control.geometry();
    const QRect place(
        designUnits(r.x), designUnits(r.y), designUnits(r.width), designUnits(r.height));
    if (widget.geometry() != place)
        widget.setGeometry(place);
    widget.setEnabled(control.isEnabled());
    widget.setVisible(control.isVisible());
    if (widget.toolTip() != control.hint())
        widget.setToolTip(control.hint());
    const QFont font = fontOf(control, baseFont);
    if (widget.font() != font)
        widget.setFont(font);
}

void setItems(QComboBox& box, const QStringList& items)
{
    bool same = box.count() == items.size();
    for (int i = 0; same && i < box.count(); ++i)
        same = box.itemText(i) == items[i];
    if (!same) {
        box.clear();
        box.addItems(items);
    }
}

} // namespace

FormBinder::FormBinder(std::function<void(const QString&)> reportError,
    std::function<void()> afterAction, std::function<void()> beforeAction)
    : m_reportError(std::move(reportError))
    , m_afterAction(std::move(afterAction))
    , m_beforeAction(std::move(beforeAction))
    , m_run([this](const std::function<void()>& action) { run(action); })
{
}

void FormBinder::run(const std::function<void()>& action, Cursor cursor)
{
    if (m_detached)
        return;
    if (cursor == Cursor::Wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_depth;
    try {
        if (m_depth == 1 && m_beforeAction)
            m_beforeAction();
        action();
        if (m_depth > 1) {
            // An action started inside another one (a field that loses focus because a
            // refresh hides it or a message box opens commits its text): the outer
            // action refreshes once more when it is done.
            m_changedDuringRefresh = true;
        } else {
            for (int pass = 0; pass < 3; ++pass) {
                m_changedDuringRefresh = false;
                refresh();
                if (m_afterAction)
                    m_afterAction();
                if (!m_changedDuringRefresh)
                    break;
            }
        }
    } catch (const std::exception& error) {
        if (m_reportError)
            m_reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        if (m_reportError)
            m_reportError(QStringLiteral("未知错误，操作未完成"));
    }
    --m_depth;
    if (cursor == Cursor::Wait)
        QApplication::restoreOverrideCursor();
}

FormBinder::~FormBinder() = default;

FormBinder::Binding& FormBinder::bind(const ui::Control& control, QWidget* widget)
{
    widget->setObjectName(control.name());
    m_bindings.push_back(std::make_unique<Binding>());
    Binding& binding = *m_bindings.back();
    binding.control = &control;
    binding.widget = widget;
    return binding;
}

QWidget* FormBinder::build(ui::Control& control, QWidget* parent)
{
    QWidget* widget = makeWidget(control, parent);
    if (!widget)
        return nullptr;
    if (!dynamic_cast<ui::StringGrid*>(&control)) {
        for (ui::Control* child : control.children())
            build(*child, widget);
    }
    return widget;
}

void FormBinder::refresh()
{
    for (const auto& binding : m_bindings) {
        const quint64 revision = binding->control->revision();
        if (revision == binding->seen && !binding->always)
            continue;
        binding->seen = revision;
        binding->apply();
    }
}

QWidget* FormBinder::widgetFor(const ui::Control& control) const
{
    for (const auto& binding : m_bindings) {
        if (binding->control == &control)
            return binding->widget;
    }
    return nullptr;
}

void FormBinder::commitPendingInput()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        return;
    for (QWidget* w = focus; w; w = w->parentWidget()) {
        if (auto* table = dynamic_cast<GridTable*>(w)) {
            table->commitOpenEditor();
            return;
        }
    }
    for (const auto& binding : m_bindings) {
        if (binding->commitField
            && (binding->widget == focus || binding->widget->isAncestorOf(focus))) {
            binding->commitField();
            return;
        }
    }
}

void FormBinder::commit(Binding& binding, const std::function<void()>& action, Cursor cursor)
{
    run(
        [&binding, action] {
            action();
            binding.seen = ~quint64(0);
        },
        cursor);
}

QWidget* FormBinder::makeWidget(ui::Control& control, QWidget* parent)
{
    const QFont appFont = QApplication::font();

    if (dynamic_cast<ui::StringColumn*>(&control))
        return nullptr; // shown by its grid

    if (auto* grid = dynamic_cast<ui::StringGrid*>(&control)) {
        auto* table = new GridTable(*grid, m_run, parent);
        Binding& binding = bind(control, table);
        binding.always = true;
        binding.apply = [grid, table, appFont] {
            applyCommon(*grid, *table, appFont);
            table->sync();
        };
        return table;
    }

    if (auto* link = dynamic_cast<ui::LinkLabel*>(&control)) {
        auto* label = new LinkLabelWidget(parent);
        label->setTextFormat(Qt::PlainText);
        Binding& binding = bind(control, label);
        label->onMouseMove = [this, link] { run([link] { link->mouseMove(); }, Cursor::Keep); };
        label->onMouseLeave = [this, link] { run([link] { link->mouseLeave(); }, Cursor::Keep); };
        label->onClick = [this, link] { m_run([link] { link->click(); }); };
        binding.apply = [link, label, appFont] {
            applyCommon(*link, *label, appFont);
            setTextColor(*label, {QPalette::WindowText}, link->textColor());
            label->setAlignment(AlignmentOf(link->alignment()));
            if (label->text() != link->text())
                label->setText(link->text());
        };
        return label;
    }

    if (auto* button = dynamic_cast<ui::Button*>(&control)) {
        auto* widget = new CornerButton(parent);
        widget->setFocusPolicy(Qt::StrongFocus);
        Binding& binding = bind(control, widget);
        QObject::connect(widget, &QPushButton::clicked, widget,
            [this, button] { m_run([button] { button->click(); }); });
        binding.apply = [button, widget, appFont] {
            applyCommon(*button, *widget, appFont);
            setTextColor(*widget, {QPalette::ButtonText}, button->textColor());
            widget->setCornerRadius(button->cornerRadius());
            widget->setCaption(button->text());
        };
        return widget;
    }

    if (auto* edit = dynamic_cast<ui::Edit*>(&control)) {
        auto* widget = new QLineEdit(parent);
        Binding& binding = bind(control, widget);
        binding.commitField = [this, &binding, edit, widget] {
            if (edit->isReadOnly())
                return;
            const QString text = widget->text();
            commit(binding, [edit, text] { edit->commit(text); });
        };
        QObject::connect(
            widget, &QLineEdit::editingFinished, widget, [&binding] { binding.commitField(); });
        binding.apply = [edit, widget, appFont] {
            const QSignalBlocker blocker(widget);
            applyCommon(*edit, *widget, appFont);
            setTextColor(*widget, {QPalette::Text}, edit->textColor());
            widget->setAlignment(AlignmentOf(edit->alignment()));
            widget->setReadOnly(edit->isReadOnly());
            if (widget->text() != edit->text()) {
                widget->setText(edit->text());
                widget->setCursorPosition(0);
            }
        };
        return widget;
    }

    if (auto* comboEdit = dynamic_cast<ui::ComboEdit*>(&control)) {
        auto* widget = new QComboBox(parent);
        widget->setEditable(true);
        // Typed texts are the user's own: never added to the list, never completed.
        widget->setInsertPolicy(QComboBox::NoInsert);
        widget->setCompleter(nullptr);
        Binding& binding = bind(control, widget);
        // A commit is Enter, leaving the field or a choice from the list; keystrokes
        // are not.
        binding.commitField = [this, &binding, comboEdit, widget] {
            const QString text = widget->lineEdit()->text();
            commit(binding, [comboEdit, text] { comboEdit->commit(text); });
        };
        QObject::connect(widget->lineEdit(), &QLineEdit::editingFinished, widget,
            [&binding] { binding.commitField(); });
        QObject::connect(
            widget, &QComboBox::activated, widget, [this, &binding, comboEdit](int index) {
                commit(binding, [comboEdit, index] { comboEdit->pick(index); });
            });
        binding.apply = [comboEdit, widget, appFont] {
            const QSignalBlocker blocker(widget);
            const QSignalBlocker lineBlocker(widget->lineEdit());
            applyCommon(*comboEdit, *widget, appFont);
            setTextColor(*widget, {QPalette::Text}, comboEdit->textColor());
            setItems(*widget, comboEdit->items());
            if (widget->currentIndex() != comboEdit->itemIndex())
                widget->setCurrentIndex(comboEdit->itemIndex());
            if (widget->lineEdit()->text() != comboEdit->text()) {
                widget->lineEdit()->setText(comboEdit->text());
                widget->lineEdit()->setCursorPosition(0);
            }
        };
        return widget;
    }

    if (auto* combo = dynamic_cast<ui::ComboBox*>(&control)) { // popup boxes too
        auto* widget = new QComboBox(parent);
        Binding& binding = bind(control, widget);
        QObject::connect(widget, &QComboBox::activated, widget, [this, &binding, combo](int index) {
            commit(binding, [combo, index] { combo->pick(index); });
        });
        binding.apply = [combo, widget, appFont] {
            const QSignalBlocker blocker(widget);
            applyCommon(*combo, *widget, appFont);
            setTextColor(*widget, {QPalette::ButtonText, QPalette::Text}, combo->textColor());
            setItems(*widget, combo->items());
            if (widget->currentIndex() != combo->itemIndex())
                widget->setCurrentIndex(combo->itemIndex());
        };
        return widget;
    }

    if (auto* memo = dynamic_cast<ui::Memo*>(&control)) {
        auto* widget = new QPlainTextEdit(parent);
        widget->setReadOnly(true);
        widget->setUndoRedoEnabled(false);
        // The reports are tables: a wrapped line would break every column.
        widget->setLineWrapMode(QPlainTextEdit::NoWrap);
        widget->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        Binding& binding = bind(control, widget);
        binding.apply = [memo, widget, linesSeen = ~quint64(0)]() mutable {
            applyCommon(*memo, *widget, ReportFont());
            setTextColor(*widget, {QPalette::Text}, memo->textColor());
            if (memo->linesRevision() != linesSeen) {
                linesSeen = memo->linesRevision();
                widget->setPlainText(memo->lines().join(QLatin1Char('\n')));
            }
        };
        return widget;
    }

    if (auto* track = dynamic_cast<ui::TrackBar*>(&control)) {
        auto* widget = new QSlider(Qt::Horizontal, parent);
        widget->setTickPosition(QSlider::TicksBelow);
        widget->setTickInterval(2);
        widget->setPageStep(2);
        Binding& binding = bind(control, widget);
        QObject::connect(
            widget, &QSlider::valueChanged, widget, [this, &binding, track](int value) {
                commit(
                    binding, [track, value] { track->slide(value); }, Cursor::Keep);
            });
        binding.apply = [track, widget, appFont] {
            const QSignalBlocker blocker(widget);
            applyCommon(*track, *widget, appFont);
            widget->setRange(designUnits(track->minimum()), designUnits(track->maximum()));
            widget->setValue(designUnits(track->value()));
        };
        return widget;
    }

    if (auto* image = dynamic_cast<ui::Image*>(&control)) {
        const Picture picture = image->name() == QLatin1String("img_logo") ? Picture::LogoStrip
                                                                           : Picture::ContactCode;
        auto* widget = new PictureWidget(picture, parent);
        bind(control, widget).apply
            = [image, widget, appFont] { applyCommon(*image, *widget, appFont); };
        return widget;
    }

    if (auto* group = dynamic_cast<ui::GroupBox*>(&control)) {
        auto* widget = new QGroupBox(parent);
        bind(control, widget).apply = [group, widget, appFont] {
            applyCommon(*group, *widget, appFont);
            setTextColor(*widget, {QPalette::WindowText}, group->textColor());
            if (widget->title() != group->text())
                widget->setTitle(group->text());
        };
        return widget;
    }

    if (auto* label = dynamic_cast<ui::Label*>(&control)) {
        auto* widget = new QLabel(parent);
        widget->setTextFormat(Qt::PlainText);
        bind(control, widget).apply = [label, widget, appFont] {
            applyCommon(*label, *widget, appFont);
            setTextColor(*widget, {QPalette::WindowText}, label->textColor());
            widget->setAlignment(AlignmentOf(label->alignment()));
            if (widget->text() != label->text())
                widget->setText(label->text());
        };
        return widget;
    }

    // Screens (and any other container) are plain, see-through widgets.
    auto* widget = new QWidget(parent);
    bind(control, widget).apply
        = [&control, widget, appFont] { applyCommon(control, *widget, appFont); };
    return widget;
}

} // namespace view
