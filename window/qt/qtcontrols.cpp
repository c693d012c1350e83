#include "window/qt/qtcontrols.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace velkora {

namespace {

    // An access key goes to the form at once (Qt's default presses the button for 100 ms).
    bool forwardAccessKey(const std::function<void()> &pressed, QEvent *event)
    {
        if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        if (pressed)
            pressed();
        return true;
    }

    constexpr int captionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

OptionWidget::OptionWidget(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
    // The form decides which option of a group is selected. A group that is not exclusive
    // keeps Qt from deciding too, and leaves the option a radio button to a screen reader.
    auto *group = parent->findChild<QButtonGroup *>(QString(), Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QButtonGroup(parent);
        group->setExclusive(false);
    }
    group->addButton(this);
}

bool OptionWidget::event(QEvent *event)
{
    return forwardAccessKey(accessKeyPressed, event) || QRadioButton::event(event);
}

void OptionWidget::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    if (arrowPressed)
        arrowPressed(step);
}

QRect OptionWidget::indicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int width = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this);
    const int height = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this);
    return QRect(0, (this->height() - height) / 2, width, height);
}

QRect OptionWidget::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int left = indicatorRect().right() + 1
        + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    return QRect(left, 0, width() - left, height());
}

void OptionWidget::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = indicatorRect();
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, option);

    const QRect caption = captionRect();
    painter.drawItemText(caption, captionFlags, palette(), isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(caption, captionFlags, text()).adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool OptionWidget::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

ButtonWidget::ButtonWidget(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Enter presses the focused button, which then shows itself as the one Enter presses.
    setAutoDefault(true);
}

bool ButtonWidget::event(QEvent *event)
{
    return forwardAccessKey(accessKeyPressed, event) || QPushButton::event(event);
}

} // namespace velkora
