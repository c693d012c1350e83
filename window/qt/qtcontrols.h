// Qt widgets for the form's buttons, where Qt's own behaviour differs from what the form is
// written for. Each passes the user's action on and leaves every decision to the form.
#pragma once

#include "window/fit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace velkora {

// Sets a caption too long for its control smaller, and lets it wrap where the control is tall
// enough (window/fit.h). `room` is where the control paints its caption.
void fitCaption(QWidget *widget, const QString &caption, double points, const QRect &room);

// An option button that shows the form's value and never changes it by itself: a click only
// reports the click. Its caption wraps onto as many lines as the option is high, and the
// whole option is clickable.
class OptionWidget : public QRadioButton
{
public:
    OptionWidget(const QString &caption, QWidget *parent);

    // Alt with the underlined letter.
    std::function<void()> accessKeyPressed;
    // An arrow key: 1 for the next option of the group, -1 for the previous one.
    std::function<void(int step)> arrowPressed;

    // Where the caption is painted, beside the round indicator.
    QRect captionRect() const;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void nextCheckState() override { }
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect indicatorRect() const;
};

class ButtonWidget : public QPushButton
{
public:
    ButtonWidget(const QString &caption, QWidget *parent);

    std::function<void()> accessKeyPressed;

protected:
    bool event(QEvent *event) override;
};

// A result display: the whole number at the table's size where it fits, else at a smaller size,
// in a shorter exponent form or as "###" (window/fit.h). text() and the accessible name keep
// the whole number; the tooltip shows it where the picture is shorter.
class ResultWidget : public QLabel
{
public:
    ResultWidget(double points, QWidget *parent);

    void showCaption(const QString &caption);
    // What is painted.
    const FittedText &fitted() const { return fit; }
    // The room the text has, in pixels.
    int textWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool shortened() const;

    double tablePoints;
    FittedText fit;
};

// An entry box. A text the program writes that is too wide takes a smaller size, or shows its
// start with a sign at the right that more follows; what the user types behaves as in any
// edit box, at the table's size.
class EntryWidget : public QLineEdit
{
public:
    EntryWidget(double points, QWidget *parent);

    void showWrittenText(const QString &text);
    bool isCut() const { return cut; }
    // The room the text has, in pixels.
    int textWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setPoints(double points);

    double tablePoints;
    bool cut = false;
};

} // namespace velkora
