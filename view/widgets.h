#pragma once

// The few widgets the program draws itself: the rounded corner button, the pictures
// (logo strip, contact picture, window icon), the link label that reports hover and
// click, and the report font.

#include "ui/controls.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace view {

// A push button with rounded corners. Its colour is the palette's ButtonText, so a
// disabled button greys out like any other widget.
class CornerButton : public QPushButton {
public:
    explicit CornerButton(QWidget* parent = nullptr);
    void setCaption(const QString& text);
    const QString& caption() const { return m_caption; }
    void setCornerRadius(double radius);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_caption;
    double m_radius = 0;
};

enum class Picture { LogoStrip, ContactCode };

// An image control: draws its picture, scaled as the program's design says.
class PictureWidget : public QWidget {
public:
    PictureWidget(Picture picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
};
QIcon ProgramIcon();

// A label that takes the mouse: the pointer moving over it, leaving it, clicking it.
class LinkLabelWidget : public QLabel {
public:
    explicit LinkLabelWidget(QWidget* parent = nullptr);
    std::function<void()> onMouseMove;
    std::function<void()> onMouseLeave;
    std::function<void()> onClick;

protected:
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The reports are laid out in display columns, a Chinese character counting two: they
// line up only in a font whose Chinese characters are exactly twice as wide as its
// Latin ones.
QFont ReportFont();

// Leading, centred or trailing, vertically centred.
Qt::Alignment AlignmentOf(ui::TextAlign align);

// The window backgrounds: a vertical gradient through the given stops.
void PaintVerticalGradient(
    QWidget& widget, std::initializer_list<std::pair<double, quint32>> stops);

} // namespace view
