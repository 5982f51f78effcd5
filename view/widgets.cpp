#include "view/widgets.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>

namespace view {

CornerButton::CornerButton(QWidget* parent)
    : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover);
}

void CornerButton::setCaption(const QString& text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    // The caption is drawn as it stands; QPushButton's own text would take "&" as a
    // shortcut mark.
    QString plain = text;
    setText(plain.replace(QLatin1Char('&'), QLatin1String("&&")));
    update();
}

void CornerButton::keyPressEvent(QKeyEvent* event)
{
    // Return and Enter press a focused button as Space does, as on Windows; with Ctrl
    // they are the window's own shortcut and never reach here.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CornerButton::setCornerRadius(double radius)
{
    if (radius != m_radius) {
        m_radius = radius;
        update();
    }
}

void CornerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = std::min({m_radius, box.width() / 2, box.height() / 2});

    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    if (!isEnabled()) {
        fill.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
        fill.setColorAt(1, QColor(0xE6, 0xE6, 0xE6));
    } else if (isDown()) {
        fill.setColorAt(0, QColor(0xC8, 0xD8, 0xEA));
        fill.setColorAt(1, QColor(0xE2, 0xEC, 0xF6));
    } else if (underMouse()) {
        fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        fill.setColorAt(1, QColor(0xDD, 0xEB, 0xF8));
    } else {
        fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        fill.setColorAt(1, QColor(0xE1, 0xE1, 0xE1));
    }
    const QColor border = hasFocus() ? QColor(0x30, 0x7F, 0xD8)
        : isEnabled()                ? QColor(0x8A, 0x8A, 0x8A)
                                     : QColor(0xB8, 0xB8, 0xB8);
    painter.setPen(QPen(border, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, radius, radius);

    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    QString caption = m_caption;
    // A narrow upright button ("更新" in the About window) stands its caption on end.
    if (height() > width() * 3 / 2 && caption.size() > 1 && !caption.contains(QLatin1Char('\n'))) {
        QStringList characters;
        for (const QChar c : std::as_const(m_caption))
            characters << QString(c);
        caption = characters.join(QLatin1Char('\n'));
    }
    painter.drawText(rect(), Qt::AlignCenter, caption);
}

namespace {

// The program's logo, 263 x 135 design units, drawn into `target`.
void PaintLogo(QPainter& painter, const QRectF& target)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / 263, target.height() / 135);
    painter.setPen(Qt::NoPen);
    // Rock mass with its bedding lines.
    painter.setBrush(QColor(0x9C, 0x6B, 0x43));
    painter.drawRoundedRect(QRectF(4, 88, 255, 43), 8, 8);
    painter.setPen(QPen(QColor(0x6E, 0x47, 0x29), 3));
    painter.drawLine(QPointF(14, 104), QPointF(110, 100));
    painter.drawLine(QPointF(150, 112), QPointF(248, 108));
    painter.drawLine(QPointF(30, 122), QPointF(120, 120));
    painter.setPen(Qt::NoPen);
    // Deck and two piers, each on a pile socketed into the rock.
    painter.setBrush(QColor(0x1E, 0x4E, 0x9C));
    painter.drawRoundedRect(QRectF(10, 14, 243, 16), 4, 4);
    for (double x : {66.0, 176.0}) {
        painter.setBrush(QColor(0x7A, 0x86, 0x94));
        painter.drawRect(QRectF(x, 30, 22, 36));
        painter.setBrush(QColor(0x4A, 0x55, 0x62));
        painter.drawRect(QRectF(x - 10, 64, 42, 8));
        painter.setBrush(QColor(0xC8, 0x2B, 0x2B));
        painter.drawRect(QRectF(x + 3, 72, 16, 44));
    }
    painter.restore();
}

} // namespace

PictureWidget::PictureWidget(Picture picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
}

void PictureWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    if (m_picture == Picture::LogoStrip) {
        QRadialGradient glow(area.center(), std::max(area.width(), area.height()) / 2);
        glow.setColorAt(0, QColor::fromRgba(0xFFF5BDBD));
        glow.setColorAt(1, Qt::white);
        painter.fillRect(area, glow);
        // The logo is a 263 x 135 picture shown at a quarter of its size.
        const QSizeF size(263 * 0.25, 135 * 0.25);
        PaintLogo(
            painter, QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size));
        return;
    }
    // The contact picture: the logo on a white card.
    painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    const double width = area.width() - 12;
    PaintLogo(painter,
        QRectF(
            area.left() + 6, area.center().y() - width * 135 / 263 / 2, width, width * 135 / 263));
}

QIcon ProgramIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(0xFF00BFFF));
    painter.drawRoundedRect(QRectF(0, 0, 64, 64), 10, 10);
    PaintLogo(painter, QRectF(4, 16, 56, 56.0 * 135 / 263));
    painter.end();
    return QIcon(pixmap);
}

LinkLabelWidget::LinkLabelWidget(QWidget* parent)
    : QLabel(parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabelWidget::enterEvent(QEnterEvent*)
{
    if (onMouseMove)
        onMouseMove();
}

void LinkLabelWidget::mouseMoveEvent(QMouseEvent*)
{
    if (onMouseMove)
        onMouseMove();
}

void LinkLabelWidget::leaveEvent(QEvent*)
{
    if (onMouseLeave)
        onMouseLeave();
}

void LinkLabelWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())
        && onClick)
        onClick();
}

QFont ReportFont()
{
    QStringList families;
    for (const char* family : {"SimHei", "Noto Sans Mono CJK SC", "WenQuanYi Micro Hei Mono"}) {
        if (QFontDatabase::hasFamily(QLatin1String(family)))
            families << QLatin1String(family);
    }
    families << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
#ifdef Q_OS_WIN
    // Windows' default font engine rounds every advance to whole pixels, so at odd sizes a
    // Latin glyph is more than half a Chinese one and the report columns drift apart.
    // Unhinted, Qt lays the text out with the font's own fractional advances.
    font.setHintingPreference(QFont::PreferNoHinting);
#endif
    return font;
}

Qt::Alignment AlignmentOf(ui::TextAlign align)
{
    switch (align) {
    case ui::TextAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ui::TextAlign::Trailing:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ui::TextAlign::Leading:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void PaintVerticalGradient(QWidget& widget, std::initializer_list<std::pair<double, quint32>> stops)
{
    QPainter painter(&widget);
    QLinearGradient gradient(0, 0, 0, widget.height());
    for (const auto& [at, argb] : stops)
        gradient.setColorAt(at, QColor::fromRgba(argb));
    painter.fillRect(widget.rect(), gradient);
}

} // namespace view
