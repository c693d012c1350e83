// The form shown in Qt Widgets: one widget per control, built from the control table, showing
// every property change of the form and passing every user action back to it.
#pragma once

#include "window/controls.h"
#include "window/data_plate.h"

#include <QWidget>

#include <string_view>
#include <vector>

class QMenu;
class frmVelkora;

namespace velkora {

class QtDataPlate;

class QtWindow : public QWidget
{
public:
    explicit QtWindow(frmVelkora &form, QWidget *parent = nullptr);

    // The widget that shows the control of that name (the table's name is its objectName).
    QWidget *widget(std::string_view name) const;

    // The commands of the form's context menu (right-click, Shift+F10, the Menu key), also in
    // an entry box's own menu; Ctrl+D opens the plate.
    void addToPlate();
    void openPlate();
    void about();
    // The plate's window, once it has been opened.
    QtDataPlate *plateWindow() const { return plateView; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *build(Control &control);
    void fitCaption(QWidget *widget, const ControlInfo &info);
    void bind(Control &control, QWidget *widget);
    void showProperty(const Control &control, QWidget *widget, Property property);
    void showOnScreen();
    void addPlateCommands(QMenu *menu, bool byKeyboard);

    frmVelkora &form;
    struct Binding {
        Control *control;
        QWidget *widget;
    };
    std::vector<Binding> bindings;
    DataPlate plate;
    QtDataPlate *plateView = nullptr;
};

} // namespace velkora
