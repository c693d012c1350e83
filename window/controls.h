// The form's controls: Qt widgets with the event model and properties the form is written for.
//
// - Writing a TextBox's text raises its Change, like typing does (only when the text changes).
// - Setting an OptionButton's value to true from code raises its Click; setting it to false
//   raises nothing and may leave its group with no option selected. A user's click raises
//   Click every time, also on the option that is already selected.
// - An access key (Alt + the underlined letter) moves the focus to its button and clicks it at
//   once.
// - Colours are set on the palette role the widget is painted with, and the application runs
//   a style that honours them.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace velkora {

class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent);

    void setBackColor(const QColor &colour);
    // Locked: the text can be selected and copied but not edited.
    void setLocked(bool locked);
    // Without a tab stop the Tab key passes the box by; a click still focuses it.
    void setTabStop(bool tabStop);

signals:
    void Change();
};

class OptionButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit OptionButton(const QString &caption, QWidget *parent);

    bool value() const { return isChecked(); }
    void setValue(bool selected);
    void setForeColor(const QColor &colour);

signals:
    void Click();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    // Paints the caption wrapped onto as many lines as the option is high.
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    // The options of one container form one group, and the group is one stop of the Tab key:
    // its selected option, or its first one while none is selected.
    void updateGroupTabStop();
    QRect indicatorRect() const;
    QRect captionRect() const;
};

class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent);

protected:
    bool event(QEvent *event) override;
};

} // namespace velkora
