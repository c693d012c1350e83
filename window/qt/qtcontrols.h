// Qt widgets for the form's buttons, where Qt's own behaviour differs from what the form is
// written for. Each passes the user's action on and leaves every decision to the form.
#pragma once

#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace velkora {

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

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void nextCheckState() override { }
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect indicatorRect() const;
    QRect captionRect() const;
};

class ButtonWidget : public QPushButton
{
public:
    ButtonWidget(const QString &caption, QWidget *parent);

    std::function<void()> accessKeyPressed;

protected:
    bool event(QEvent *event) override;
};

} // namespace velkora
