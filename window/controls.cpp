#include "window/controls.h"

#include <QButtonGroup>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace velkora {

namespace {

    // An access key clicks its button at once (Qt's default presses it for 100 ms first) and
    // puts the focus on it first, so that the button's handler may move the focus on.
    bool clickForAccessKey(QAbstractButton *button, QEvent *event)
    {
        if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
        return true;
    }

    constexpr int captionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

TextBox::TextBox(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::setBackColor(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
}

void TextBox::setLocked(bool locked)
{
    setReadOnly(locked);
}

void TextBox::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

OptionButton::OptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
    // Qt's own grouping of radio buttons by parent also reaches into child containers, so
    // that the unit options would unselect the door type: each container gets an explicit
    // group instead.
    auto *group = parent->findChild<QButtonGroup *>(QString(), Qt::FindDirectChildrenOnly);
    if (!group)
        group = new QButtonGroup(parent);
    group->addButton(this);
    connect(this, &QAbstractButton::clicked, this, &OptionButton::Click);
    connect(this, &QAbstractButton::toggled, this, &OptionButton::updateGroupTabStop);
    updateGroupTabStop();
}

void OptionButton::setValue(bool selected)
{
    if (selected == isChecked())
        return;
    if (selected) {
        setChecked(true);
        emit Click();
        return;
    }
    // An exclusive group refuses to uncheck its checked option; lift that for a moment.
    group()->setExclusive(false);
    setChecked(false);
    group()->setExclusive(true);
}

void OptionButton::setForeColor(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    colours.setColor(QPalette::ButtonText, colour);
    setPalette(colours);
}

bool OptionButton::event(QEvent *event)
{
    return clickForAccessKey(this, event) || QRadioButton::event(event);
}

void OptionButton::focusInEvent(QFocusEvent *event)
{
    QRadioButton::focusInEvent(event);
    updateGroupTabStop();
}

void OptionButton::updateGroupTabStop()
{
    const QList<QAbstractButton *> options = group()->buttons();
    QAbstractButton *stop = group()->checkedButton();
    if (!stop)
        stop = options.first();
    for (QAbstractButton *option : options)
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

QRect OptionButton::indicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int width = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this);
    const int height = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this);
    return QRect(0, (this->height() - height) / 2, width, height);
}

QRect OptionButton::captionRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int left = indicatorRect().right() + 1
        + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    return QRect(left, 0, width() - left, height());
}

void OptionButton::paintEvent(QPaintEvent *)
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

bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Enter on the focused button presses it, as Space does.
    setAutoDefault(true);
}

bool CommandButton::event(QEvent *event)
{
    return clickForAccessKey(this, event) || QPushButton::event(event);
}

} // namespace velkora
