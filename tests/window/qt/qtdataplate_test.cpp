// The data plate in the Qt window, as a user reaches it: the form's context menu by keyboard and
// by mouse, Ctrl+D, the plate's table edited by keys, and each way out (copy, save, print) read
// back from where it went: the clipboard, the CSV file through Python's csv module, the printed
// page's text.
#include "window/data_plate.h"
#include "window/frmvelkora.h"
#include "window/qt/qtapplication.h"
#include "window/qt/qtdataplate.h"
#include "window/qt/qtwindow.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Runs what is to be done with a popup menu or a modal box once it is shown.
void whenShown(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(50, [act] {
        QWidget *shown = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                           : QApplication::activeModalWidget();
        QVERIFY(shown);
        act(shown);
    });
}

const QStringList headings = { "Floors", "Door type", "Width (in)", "Width (mm)", "Weight (lb)",
    "Weight (kg)", "Close time (s)", "Nudging time (s)" };

} // namespace

class QtDataPlateTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void reachedByMenuAndKeys_data();
    void reachedByMenuAndKeys();
    void threeRowsCopiedSavedAndPrinted();
    void hostileFloorsPasted();
    void outputsThatCannotBeMadeSaySo_data();
    void outputsThatCannotBeMadeSaySo();
    void aboutBox();

private:
    void calculate(const QString &width, const QString &weight);
    // A right click on the form beside its controls: the menu opens as the button goes down.
    void rightClick() const
    {
        QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, QPoint(20, 300));
    }
    // Chooses a command of the context menu that the trigger opens, by keys or by a click.
    void chooseFromMenu(const std::function<void()> &open, const QString &command, bool byMouse);
    QTableWidget *table() const
    {
        return window->plateWindow()->findChild<QTableWidget *>("plateRows");
    }
    void click(const char *button) const
    {
        QTest::mouseClick(window->plateWindow()->findChild<QPushButton *>(button), Qt::LeftButton);
    }

    std::unique_ptr<frmVelkora> form;
    std::unique_ptr<velkora::QtWindow> window;
    QStringList shown;
    QTemporaryDir folder;
};

void QtDataPlateTest::init()
{
    shown.clear();
    form = std::make_unique<frmVelkora>();
    window = std::make_unique<velkora::QtWindow>(*form);
    form->MsgBox = [this](const std::string &title, const std::string &text, velkora::MessageIcon) {
        shown << QString::fromStdString(title + ": " + text);
    };
    form->Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void QtDataPlateTest::cleanup()
{
    window.reset();
    form.reset();
}

void QtDataPlateTest::calculate(const QString &width, const QString &weight)
{
    form->txtWidth.SetFocus();
    press(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), width);
    press(Qt::Key_Tab);
    press(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), weight);
    press(Qt::Key_S, Qt::AltModifier);
    press(Qt::Key_Return);
}

void QtDataPlateTest::chooseFromMenu(
    const std::function<void()> &open, const QString &command, bool byMouse)
{
    bool chosen = false;
    whenShown([&](QWidget *popup) {
        auto *menu = qobject_cast<QMenu *>(popup);
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("formMenu"));
        for (QAction *action : menu->actions()) {
            if (action->text() != command)
                continue;
            chosen = true;
            if (byMouse) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            } else {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        }
        if (!chosen)
            menu->close();
    });
    open();
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY2(chosen, qPrintable(command));
}

void QtDataPlateTest::reachedByMenuAndKeys_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Shift+F10 in the inch box, keys") << 0;
    QTest::newRow("Shift+F10 on CALCULATE, keys") << 1;
    QTest::newRow("a right click on the form, a click") << 2;
}

void QtDataPlateTest::reachedByMenuAndKeys()
{
    QFETCH(int, how);
    calculate("42", "400");
    const auto open = [this, how] {
        // Through the window system, as a keyboard and a mouse give them.
        if (how == 0) {
            form->txtWidth.SetFocus();
            QTest::keyClick(window->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        } else if (how == 1) {
            form->cmdCalculate.SetFocus();
            QTest::keyClick(window->windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        } else {
            rightClick();
        }
    };
    chooseFromMenu(open, "Add to data plate", how == 2);
    chooseFromMenu(open, "Data plate…", how == 2);
    QVERIFY(window->plateWindow() && window->plateWindow()->isVisible());
    QCOMPARE(table()->rowCount(), 1);
    QCOMPARE(table()->item(0, 6)->text(), QStringLiteral("2.98"));
    // The form keeps its rows while it runs; Ctrl+D brings the plate back.
    window->plateWindow()->close();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    press(Qt::Key_D, Qt::ControlModifier);
    QTRY_VERIFY(window->plateWindow()->isVisible());
    QVERIFY(shown.isEmpty());
}

void QtDataPlateTest::threeRowsCopiedSavedAndPrinted()
{
    calculate("42", "400");
    window->addToPlate();
    calculate("42", "900");
    window->addToPlate();
    calculate("48", "400");
    window->addToPlate();
    press(Qt::Key_D, Qt::ControlModifier);
    QTRY_VERIFY(window->plateWindow() && window->plateWindow()->isActiveWindow());
    // The second row's floors typed into its cell, the third row marked: another width.
    table()->setCurrentCell(1, 0);
    QTest::keyClick(table(), Qt::Key_F2);
    QTest::keyClicks(QApplication::focusWidget(), "1");
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
        QStringLiteral("–"), Qt::NoModifier);
    QTest::keyClicks(QApplication::focusWidget(), "12");
    press(Qt::Key_Return);
    // (The table takes an edit once its editor has closed.)
    QTRY_COMPARE(table()->item(1, 0)->text(), QStringLiteral("1–12"));
    QCOMPARE(table()->verticalHeaderItem(2)->text(), QStringLiteral("3 *"));
    // What a screen reader reads from the table.
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(table());
    QVERIFY(reader && reader->tableInterface());
    QCOMPARE(reader->tableInterface()->rowCount(), 3);
    QCOMPARE(
        reader->tableInterface()->cellAt(1, 7)->text(QAccessible::Name), QStringLiteral("7.45"));

    const QStringList rows = { "\tSide Opening Single Speed\t42\t1066.8\t400\t181.437\t2.98\t4.97",
        "1–12\tSide Opening Single Speed\t42\t1066.8\t900\t408.233\t4.47\t7.45",
        "\tSide Opening Single Speed\t48\t1219.2\t400\t181.437\t3.45\t5.75" };
    click("copy");
    QCOMPARE(
        QApplication::clipboard()->text(), headings.join('\t') + '\n' + rows.join('\n') + '\n');

    const QString csv = folder.filePath("plate.csv");
    window->plateWindow()->chooseSaveFile = [csv] { return csv; };
    click("save");
    QProcess python;
    python.start("python3",
        { "-c",
            "import csv, json, sys; print(json.dumps(list(csv.reader(open(sys.argv[1], "
            "newline='', encoding='utf-8')))))",
            csv });
    QVERIFY(python.waitForFinished());
    const QJsonArray read = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    QCOMPARE(read.size(), 4);
    QCOMPARE(read[0].toArray().first().toString(), QStringLiteral("Floors"));
    for (int row = 0; row < 3; ++row)
        QCOMPARE(read[row + 1].toArray().toVariantList(), QVariant(rows[row].split('\t')).toList());

    // A letter page and a label printer's strip: every number on the printed page.
    for (const QPageSize &page :
        { QPageSize(QPageSize::Letter), QPageSize(QSizeF(2.3, 6), QPageSize::Inch) }) {
        const QString pdf = folder.filePath("plate.pdf");
        window->plateWindow()->choosePrinter = [this, pdf, page](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageSize(page);
            window->plateWindow()->print(printer);
            return true;
        };
        click("print");
        QProcess text;
        text.start("pdftotext", { "-layout", pdf, "-" });
        QVERIFY(text.waitForFinished());
        // (Words as read, whatever lines the page broke them into.)
        const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const char *number :
            { "2.98", "4.97", "4.47", "7.45", "3.45", "5.75", "408.233", "1219.2", "1–12" })
            QVERIFY2(printed.contains(number), qPrintable(number + (" not in:\n" + printed)));
        QVERIFY(printed.contains("Door Data Plate: Minimum Closing Times"));
        QVERIFY(printed.contains("7 ft-lbf"));
    }
    QVERIFY(shown.isEmpty());
}

void QtDataPlateTest::hostileFloorsPasted()
{
    calculate("42", "400");
    window->addToPlate();
    window->openPlate();
    QTRY_VERIFY(window->plateWindow()->isActiveWindow());
    const QString hostile = "=HYPERLINK(\"http://x.example\",\"go\")\x1b\t\r\n" + QString(300, 'x');
    QApplication::clipboard()->setText(hostile);
    table()->setCurrentCell(0, 0);
    QTest::keyClick(table(), Qt::Key_F2);
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_Return);
    QTRY_VERIFY(!table()->item(0, 0)->text().isEmpty());
    const QString kept = table()->item(0, 0)->text();
    QCOMPARE(kept.size(), 40);
    QVERIFY(kept.startsWith("=HYPERLINK(\"http://x.example\",\"go\")xxxx"));
    const QString csv = folder.filePath("hostile.csv");
    window->plateWindow()->chooseSaveFile = [csv] { return csv; };
    click("save");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().split('\n').value(1).startsWith(
        "\"'=HYPERLINK(\"\"http://x.example\"\",\"\"go\"\")xxxx"));
}

void QtDataPlateTest::outputsThatCannotBeMadeSaySo_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<QString>("said");
    QTest::newRow("copy an empty plate")
        << "copy" << false
        << "Data Plate: The data plate has no rows yet: calculate, then choose Add "
           "to data plate.";
    QTest::newRow("save into a missing folder")
        << "save" << true << "Data Plate: The CSV file could not be saved: ";
    QTest::newRow("cancel the print")
        << "print" << true << "Data Plate: Printing was cancelled: nothing was printed.";
}

void QtDataPlateTest::outputsThatCannotBeMadeSaySo()
{
    QFETCH(QString, button);
    QFETCH(bool, rows);
    QFETCH(QString, said);
    calculate("42", "400");
    if (rows)
        window->addToPlate();
    window->openPlate();
    window->plateWindow()->chooseSaveFile = [this] { return folder.filePath("missing/plate.csv"); };
    window->plateWindow()->choosePrinter = [](QPrinter &) { return false; };
    click(button.toLatin1());
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(said), qPrintable(shown[0]));
    QCOMPARE(table()->rowCount(), rows ? 1 : 0);
}

void QtDataPlateTest::aboutBox()
{
    QString said;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&said] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            said = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    closer.start(20);
    chooseFromMenu([this] { rightClick(); }, "About Velkora", false);
    QTRY_VERIFY(!said.isEmpty());
    QVERIFY2(said.contains("7 ft-lbf") && said.contains("2.6 percent")
            && said.contains("All rights reserved"),
        qPrintable(said));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velkora::setUpApplication(app);
    QtDataPlateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qtdataplate_test.moc"
