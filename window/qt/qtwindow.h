// The form shown in Qt Widgets: one widget per control, built from the control table, showing
// every property change of the form and passing every user action back to it.
#pragma once

#include "window/controls.h"

#include <QWidget>

#include <string_view>
#include <vector>

class frmVelkora;

namespace velkora {

class QtWindow : public QWidget
{
public:
    explicit QtWindow(frmVelkora &form, QWidget *parent = nullptr);

    // The widget that shows the control of that name (the table's name is its objectName).
    QWidget *widget(std::string_view name) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *build(Control &control);
    void fitCaption(QWidget *widget, const ControlInfo &info);
    void bind(Control &control, QWidget *widget);
    void showProperty(const Control &control, QWidget *widget, Property property);
    void showOnScreen();

    frmVelkora &form;
    struct Binding {
        Control *control;
        QWidget *widget;
    };
    std::vector<Binding> bindings;
};

} // namespace velkora
