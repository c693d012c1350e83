#include "window/qt/qtdataplate.h"

#include "window/data_plate.h"
#include "window/frmvelkora.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

#include <algorithm>

namespace velkora {

namespace {

    QString qText(std::string_view text)
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

    // A page narrower than this takes the sheet as blocks of lines (a label printer's strip).
    constexpr double narrowPageInches = 4.0;

} // namespace

QtDataPlate::QtDataPlate(frmVelkora &form, DataPlate &plate, QWidget *parent)
    : QDialog(parent)
    , form(form)
    , plate(plate)
{
    const Language &language = form.textLanguage();
    const auto tr
        = [&language](std::string_view english) { return qText(translate(language, english)); };
    setObjectName(QStringLiteral("dataPlate"));
    setWindowTitle(tr(plateWindowTitle));
    setAccessibleName(tr(plateWindowTitle));

    table = new QTableWidget(0, 8, this);
    table->setObjectName(QStringLiteral("plateRows"));
    table->setAccessibleName(tr(plateWindowTitle));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    // Every column as wide as its heading and cells; the floors room for a range or two.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    table->setColumnWidth(
        0, table->fontMetrics().horizontalAdvance(QStringLiteral("B2–12, 14–20")) + 12);
    QStringList headings;
    for (const std::string &heading : plateSheet(plate, language, "").header)
        headings << qText(heading);
    table->setHorizontalHeaderLabels(headings);
    connect(table, &QTableWidget::cellChanged, this, &QtDataPlate::floorsEdited);

    const auto button = [this, &tr](std::string_view text, const char *name, auto slot) {
        auto *pushButton = new QPushButton(tr(text), this);
        pushButton->setObjectName(QLatin1String(name));
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, slot);
        return pushButton;
    };
    removeButton = button(removeRowCommand, "remove", [this] { removeRow(); });
    upButton = button(moveUpCommand, "moveUp", [this] { moveRow(-1); });
    downButton = button(moveDownCommand, "moveDown", [this] { moveRow(1); });
    auto *rowCommands = new QHBoxLayout;
    for (QPushButton *pushButton : { removeButton, upButton, downButton })
        rowCommands->addWidget(pushButton);
    rowCommands->addStretch();
    auto *outputs = new QHBoxLayout;
    outputs->addWidget(button(printCommand, "print", [this] { printPlate(); }));
    outputs->addWidget(button(copyCommand, "copy", [this] { copy(); }));
    outputs->addWidget(button(saveCommand, "save", [this] { save(); }));
    outputs->addStretch();
    outputs->addWidget(button(closeCommand, "close", [this] { close(); }));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addLayout(rowCommands);
    layout->addLayout(outputs);
    resize(760, 320);
    connect(table, &QTableWidget::currentCellChanged, this, &QtDataPlate::showRowCommands);

    chooseSaveFile = [this, tr] {
        return QFileDialog::getSaveFileName(this, tr(saveCommand),
            tr(plateWindowTitle) + QStringLiteral(".csv"), QStringLiteral("CSV (*.csv)"));
    };
    choosePrinter = [this](QPrinter &printer) {
        QPrintPreviewDialog preview(&printer, this);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *shown) { print(*shown); });
        return preview.exec() == QDialog::Accepted;
    };
    refresh();
}

void QtDataPlate::refresh()
{
    refreshing = true;
    const int current = table->currentRow();
    const PlateSheet sheet = plateSheet(plate, form.textLanguage(), "");
    table->setRowCount(int(plate.rows().size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const std::vector<std::string> &cells = sheet.rows[std::size_t(row)];
        for (int column = 0; column < 8; ++column) {
            // The floors are the user's to edit; a marked row's mark stands beside its number.
            const std::string &text
                = column == 0 ? plate.rows()[std::size_t(row)].floors : cells[std::size_t(column)];
            auto *item = new QTableWidgetItem(qText(text));
            item->setFlags(column == 0 ? item->flags() | Qt::ItemIsEditable
                                       : item->flags() & ~Qt::ItemIsEditable);
            table->setItem(row, column, item);
        }
        const bool marked = plate.differsFromFirst(std::size_t(row));
        auto *number = new QTableWidgetItem(
            QString::number(row + 1) + (marked ? QStringLiteral(" *") : QString()));
        if (marked) {
            number->setToolTip(qText(sheet.note));
            table->item(row, 0)->setData(Qt::AccessibleDescriptionRole, qText(sheet.note));
        }
        table->setVerticalHeaderItem(row, number);
    }
    if (table->rowCount())
        table->setCurrentCell(std::clamp(current, 0, table->rowCount() - 1), 0);
    // The window as wide as the table wants, within the screen.
    const int wanted = table->verticalHeader()->width() + table->horizontalHeader()->length()
        + 2 * table->frameWidth() + layout()->contentsMargins().left()
        + layout()->contentsMargins().right() + 20;
    const QScreen *shownOn = screen();
    if (wanted > width())
        resize(shownOn ? std::min(wanted, shownOn->availableGeometry().width()) : wanted, height());
    showRowCommands();
    refreshing = false;
}

void QtDataPlate::showRowCommands()
{
    const int row = table->currentRow();
    removeButton->setEnabled(row >= 0);
    upButton->setEnabled(row > 0);
    downButton->setEnabled(row >= 0 && row + 1 < table->rowCount());
}

void QtDataPlate::floorsEdited(int row, int column)
{
    if (refreshing || column != 0)
        return;
    QTableWidgetItem *item = table->item(row, 0);
    plate.setFloors(std::size_t(row), item->text().toStdString());
    // The text as kept: one line, its most, no control character.
    const QString kept = qText(plate.rows()[std::size_t(row)].floors);
    if (item->text() != kept) {
        const QSignalBlocker quiet(table);
        item->setText(kept);
    }
}

void QtDataPlate::removeRow()
{
    plate.remove(std::size_t(table->currentRow()));
    refresh();
}

void QtDataPlate::moveRow(int step)
{
    const int row = table->currentRow();
    plate.move(std::size_t(row), step);
    refresh();
    table->setCurrentCell(std::clamp(row + step, 0, std::max(0, table->rowCount() - 1)), 0);
}

void QtDataPlate::message(std::string_view text, const QString &detail)
{
    const Language &language = form.textLanguage();
    std::string shown(translate(language, text));
    if (const std::size_t at = shown.find("{1}"); at != std::string::npos)
        shown.replace(at, 3, detail.toStdString());
    form.MsgBox(
        std::string(translate(language, plateWindowTitle)), shown, MessageIcon::Exclamation);
}

void QtDataPlate::copy()
{
    if (plate.rows().empty())
        return message(emptyPlateMessage);
    QApplication::clipboard()->setText(qText(plateText(plate, form.textLanguage())));
}

void QtDataPlate::save()
{
    if (plate.rows().empty())
        return message(emptyPlateMessage);
    const QString path = chooseSaveFile();
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const std::string csv = plateCsv(plate, form.textLanguage());
    if (!file.open(QIODevice::WriteOnly)
        || file.write(csv.data(), qint64(csv.size())) != qint64(csv.size()) || !file.commit())
        message(saveFailedMessage, file.errorString());
}

void QtDataPlate::printPlate()
{
    if (plate.rows().empty())
        return message(emptyPlateMessage);
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer))
        message(printCancelledMessage);
    else if (printer.printerState() == QPrinter::Error)
        message(printFailedMessage);
}

void QtDataPlate::print(QPrinter &printer) const
{
    const PlateSheet sheet = plateSheet(
        plate, form.textLanguage(), QDate::currentDate().toString(Qt::ISODate).toStdString());
    // A label printer's strip keeps narrow margins; the text is laid out on the page as the
    // printer gives it.
    const bool narrow = printer.pageLayout().fullRect(QPageLayout::Inch).width() < narrowPageInches;
    if (narrow)
        printer.setPageMargins(QMarginsF(3, 3, 3, 3), QPageLayout::Millimeter);
    QTextDocument document;
    document.setPageSize(printer.pageRect(QPrinter::Point).size());
    QFont font = document.defaultFont();
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(12);
    QTextCharFormat plain;
    cursor.insertText(qText(sheet.title), title);
    cursor.insertBlock();
    cursor.insertText(qText(sheet.car), plain);
    cursor.insertBlock();
    if (narrow) {
        const std::vector<std::string> lines = narrowSheet(sheet);
        for (std::size_t line = 2; line < lines.size(); ++line) {
            cursor.insertBlock();
            cursor.insertText(qText(lines[line]), plain);
        }
    } else {
        QTextTableFormat format;
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setHeaderRowCount(1);
        QTextTable *grid = cursor.insertTable(int(sheet.rows.size()) + 1, 8, format);
        QTextCharFormat heading;
        heading.setFontWeight(QFont::Bold);
        for (int column = 0; column < 8; ++column)
            grid->cellAt(0, column).firstCursorPosition().insertText(
                qText(sheet.header[std::size_t(column)]), heading);
        for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
            for (int column = 0; column < 8; ++column)
                grid->cellAt(int(row) + 1, column)
                    .firstCursorPosition()
                    .insertText(qText(sheet.rows[row][std::size_t(column)]), plain);
        }
        cursor.movePosition(QTextCursor::End);
        for (const std::string *line : { &sheet.note, &sheet.basis, &sheet.made }) {
            if (!line->empty()) {
                cursor.insertBlock();
                cursor.insertText(qText(*line), plain);
            }
        }
    }
    document.print(&printer);
}

} // namespace velkora
