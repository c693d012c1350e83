// The data plate's window in Qt Widgets: its rows in a table whose floors the user edits, the
// commands that remove and reorder them, and the three ways out (print with a preview, copy as
// tab-separated text, save as CSV). What goes out is written by window/data_plate.h.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QPrinter;
class QTableWidget;
class QPushButton;
class frmVelkora;

namespace velkora {

class DataPlate;

class QtDataPlate : public QDialog
{
public:
    QtDataPlate(frmVelkora &form, DataPlate &plate, QWidget *parent);

    // Shows the plate's rows as they stand now.
    void refresh();

    // Where the plate is saved: the file the user chooses, empty when they cancel.
    std::function<QString()> chooseSaveFile;
    // The printer the plate goes to, as the user sets it up with a preview: false when they
    // cancel. By default the preview dialog; it calls print() for the page it shows.
    std::function<bool(QPrinter &printer)> choosePrinter;

    void copy();
    void save();
    void printPlate();
    // Paints the sheet on a printer's pages: a table on a wide page, blocks of lines on a
    // narrow strip.
    void print(QPrinter &printer) const;

private:
    // Remove, Move up and Move down offered where they can act on the current row.
    void showRowCommands();
    void floorsEdited(int row, int column);
    void removeRow();
    void moveRow(int step);
    void message(std::string_view text, const QString &detail = {});

    frmVelkora &form;
    DataPlate &plate;
    QTableWidget *table;
    QPushButton *removeButton;
    QPushButton *upButton;
    QPushButton *downButton;
    bool refreshing = false;
};

} // namespace velkora
