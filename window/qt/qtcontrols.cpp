#include "window/qt/qtcontrols.h"

#include "window/control_table.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QPainter>
#include <QStyleOptionFrame>
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

    // The layout is in pixels at 96 dots per inch, as the window's.
    QFont sized(QFont font, double points)
    {
        font.setPixelSize(pointsToPixels(points, 96));
        return font;
    }

    MeasureText measureWith(const QFont &font)
    {
        return [font](std::string_view text, double points) {
            return QFontMetrics(sized(font, points)).horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
        };
    }

    constexpr int captionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

void fitCaption(QWidget *widget, const QString &caption, double points, const QRect &room)
{
    const QFont font = widget->font();
    const FittedCaption fit = fitCaption(caption.toStdString(), points, room.width(), room.height(), measureWith(font),
        [font](double size) { return QFontMetrics(sized(font, size)).lineSpacing(); });
    if (fit.points != points)
        widget->setFont(sized(font, fit.points));
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setWordWrap(fit.lines > 1);
}

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

ResultWidget::ResultWidget(double points, QWidget *parent)
    : QLabel(parent)
    , tablePoints(points)
    , fit { {}, points, false }
{
}

int ResultWidget::textWidth() const
{
    // With a frame a label indents its text by half an "x" on each side.
    return contentsRect().width() - fontMetrics().horizontalAdvance(QLatin1Char('x'));
}

void ResultWidget::showCaption(const QString &caption)
{
    setText(caption);
    fit = fitResult(caption.toStdString(), tablePoints, textWidth(), measureWith(font()));
    setToolTip(shortened() ? caption : QString());
    update();
}

bool ResultWidget::shortened() const
{
    return fit.points != tablePoints || fit.text != text().toStdString();
}

void ResultWidget::paintEvent(QPaintEvent *event)
{
    if (!shortened()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(sized(font(), fit.points));
    painter.setPen(palette().color(QPalette::WindowText));
    const int indent = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    painter.drawText(contentsRect().adjusted(indent, 0, -indent, 0), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromStdString(fit.text));
}

EntryWidget::EntryWidget(double points, QWidget *parent)
    : QLineEdit(parent)
    , tablePoints(points)
{
    // What the user types is shown at the table's size, and scrolls with the caret.
    connect(this, &QLineEdit::textEdited, this, [this] {
        cut = false;
        setPoints(tablePoints);
    });
}

int EntryWidget::textWidth() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    // Two pixels of margin on each side and one for the caret.
    return contents.width() - textMargins().left() - textMargins().right() - 5;
}

void EntryWidget::setPoints(double points)
{
    if (font().pixelSize() != pointsToPixels(points, 96))
        setFont(sized(font(), points));
}

void EntryWidget::showWrittenText(const QString &text)
{
    setPoints(tablePoints);
    const FittedText fit = fitEntry(text.toStdString(), tablePoints, textWidth(), measureWith(font()));
    setPoints(fit.points);
    setText(text);
    cut = fit.cut;
    if (cut)
        setCursorPosition(0);
    update();
}

void EntryWidget::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!cut || hasFocus())
        return;
    // The sign that more follows: an ellipsis over the right end of the box.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QString more(QChar(0x2026));
    const int width = fontMetrics().horizontalAdvance(more) + 4;
    const QRect mark(contents.right() - width + 1, contents.top(), width, contents.height());
    QPainter painter(this);
    painter.fillRect(mark, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(mark, Qt::AlignCenter, more);
}

} // namespace velkora
