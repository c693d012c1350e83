// The main window driven as a user drives it: typed keys, access keys, Tab, Enter and clicks.
#include "window/application.h"
#include "window/frmvelkora.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QTest>

namespace {

struct Message {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

const QColor red(0xFF, 0x00, 0x00);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor black(0x00, 0x00, 0x00);

QWidget *focused()
{
    return QApplication::focusWidget();
}

QString focusName()
{
    return focused() ? focused()->objectName() : QStringLiteral("(none)");
}

void type(const QString &text)
{
    QTest::keyClicks(focused(), text);
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), key, modifiers);
}

void alt(Qt::Key key)
{
    press(key, Qt::AltModifier);
}

const QStringList noResults { QString(), QString() };

QColor foreColour(const QWidget *option)
{
    return option->palette().color(QPalette::WindowText);
}

QColor backColour(const QWidget *box)
{
    return box->palette().color(QPalette::Base);
}

} // namespace

class FormTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void builtControls();
    void startUp();
    void roadOfOneCalculation_data();
    void roadOfOneCalculation();
    void metricRoad();
    void negativeTimesAreShown();
    void messageBoxes_data();
    void messageBoxes();
    void switchingStates();
    void chosenStateAgainReapplies();
    void tabOrder_data();
    void tabOrder();
    void accessKeys_data();
    void accessKeys();
    void doorTypeChange();
    void anyEditEmptiesResults_data();
    void anyEditEmptiesResults();
    void lockedBoxIgnoresTyping();
    void clearAfterMetricCalculation();
    void clearOnEmptyForm();
    void mouseClicksOnOptions();
    void coloursArePainted();
    void everythingFits();
    void accessibility();

private:
    // Types width and weight into the current entry pair, picks a door type by its access key
    // (none for Qt::Key_unknown) and presses Enter.
    void calculate(const QString &width, const QString &weight, Qt::Key doorKey);
    void verifyEntryState(bool imperial);
    // All four boxes and both results empty, no door type selected, every door type in black.
    void verifyEmptyForm();
    QStringList results() const { return { form->lblMinimum->text(), form->lblNudging->text() }; }

    frmVelkora *form = nullptr;
    QList<Message> messages;
};

void FormTest::init()
{
    messages.clear();
    form = new frmVelkora;
    form->MsgBox = [this](const QString &title, const QString &text, QMessageBox::Icon icon) {
        messages.append({ title, text, icon });
    };
    form->Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void FormTest::cleanup()
{
    delete form;
    form = nullptr;
}

void FormTest::calculate(const QString &width, const QString &weight, Qt::Key doorKey)
{
    type(width);
    press(Qt::Key_Tab);
    type(weight);
    if (doorKey != Qt::Key_unknown)
        alt(doorKey);
    press(Qt::Key_Return);
}

void FormTest::verifyEntryState(bool imperial)
{
    QCOMPARE(form->blnImperial, imperial);
    QCOMPARE(form->optImperial->isChecked(), imperial);
    QCOMPARE(form->optMetric->isChecked(), !imperial);
    QCOMPARE(foreColour(form->optImperial), imperial ? red : black);
    QCOMPARE(foreColour(form->optMetric), imperial ? black : red);
    for (auto *box : { form->txtWidth, form->txtWeight }) {
        QCOMPARE(backColour(box), imperial ? white : yellow);
        QCOMPARE(box->isReadOnly(), !imperial);
        QCOMPARE(box->focusPolicy(), imperial ? Qt::StrongFocus : Qt::ClickFocus);
    }
    for (auto *box : { form->txtWidthMetric, form->txtWeightMetric }) {
        QCOMPARE(backColour(box), imperial ? yellow : white);
        QCOMPARE(box->isReadOnly(), imperial);
        QCOMPARE(box->focusPolicy(), imperial ? Qt::ClickFocus : Qt::StrongFocus);
    }
}

void FormTest::verifyEmptyForm()
{
    for (auto *box : { form->txtWidth, form->txtWeight, form->txtWidthMetric, form->txtWeightMetric })
        QVERIFY(box->text().isEmpty());
    QCOMPARE(results(), noResults);
    for (auto *option : { form->opt1, form->opt2, form->opt3, form->opt4 }) {
        QVERIFY(!option->isChecked());
        QCOMPARE(foreColour(option), black);
    }
}

void FormTest::builtControls()
{
    frmVelkora built;
    QCOMPARE(built.objectName(), QStringLiteral("frmVelkora"));
    QCOMPARE(built.windowTitle(), QStringLiteral(" Velkora                  www.velkora.example"));
    QCOMPARE(built.size(), QSize(610, 317));
    QCOMPARE(built.blnImperial, false);
    const char *names[] = { "txtWidth", "txtWeight", "txtWidthMetric", "txtWeightMetric",
        "cmdCalculate", "cmdClear", "Frame1", "opt1", "opt2", "opt3", "opt4", "optImperial",
        "optMetric", "lblDwidth", "lblDweight", "Label1", "Label2", "Label3", "Label4",
        "lblMinimumtime", "lblMinimum", "lblMinimumnudge", "lblNudging" };
    for (const char *name : names)
        QVERIFY2(built.findChild<QWidget *>(QLatin1String(name)), name);
    for (auto *option : built.findChildren<velkora::OptionButton *>())
        QVERIFY(!option->isChecked());
    QCOMPARE(backColour(built.txtWidthMetric), yellow);
    QCOMPARE(backColour(built.txtWeightMetric), yellow);
    QCOMPARE(built.opt3->parentWidget(), built.Frame1);
    QCOMPARE(built.opt3->geometry(), QRect(16, 96, 117, 33));
    QCOMPARE(built.lblNudging->geometry(), QRect(499, 268, 67, 33));
    QCOMPARE(built.txtWeight->toolTip(),
        QStringLiteral(" The sum of the hoistway and the car door weights as well as all parts "
                       "rigidly connected thereto in pounds "));
}

void FormTest::startUp()
{
    verifyEntryState(true);
    QCOMPARE(focusName(), QStringLiteral("txtWidth"));
    verifyEmptyForm();
    const QRect screen = form->screen()->availableGeometry();
    QVERIFY(qAbs(form->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(form->geometry().center().y() - screen.center().y()) <= 1);
}

void FormTest::roadOfOneCalculation_data()
{
    QTest::addColumn<Qt::Key>("doorKey");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("close");
    QTest::addColumn<QString>("nudging");
    QTest::newRow("side single, 42 in, 400 lb") << Qt::Key_S << "opt1" << "2.98" << "4.97";
    QTest::newRow("side two, 42 in, 400 lb") << Qt::Key_T << "opt2" << "2.36" << "3.93";
    QTest::newRow("center single, 42 in, 400 lb") << Qt::Key_C << "opt3" << "1.49" << "2.48";
    QTest::newRow("center two, 42 in, 400 lb") << Qt::Key_E << "opt4" << "1.18" << "1.97";
}

void FormTest::roadOfOneCalculation()
{
    QFETCH(Qt::Key, doorKey);
    QFETCH(QString, option);
    QFETCH(QString, close);
    QFETCH(QString, nudging);

    calculate(QStringLiteral("42"), QStringLiteral("400"), doorKey);

    QVERIFY(messages.isEmpty());
    QCOMPARE(form->txtWidth->text(), QStringLiteral("42"));
    QCOMPARE(form->txtWeight->text(), QStringLiteral("400"));
    QCOMPARE(form->txtWidthMetric->text(), QStringLiteral("1066.8"));
    QCOMPARE(form->txtWeightMetric->text(), QStringLiteral("181.437"));
    QCOMPARE(results(), QStringList({ close, nudging }));
    for (auto *door : { form->opt1, form->opt2, form->opt3, form->opt4 })
        QCOMPARE(foreColour(door), door->objectName() == option ? red : black);
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));

    // A second run rewrites the same texts and shows the same times.
    alt(Qt::Key_A);
    QCOMPARE(results(), QStringList({ close, nudging }));
    QCOMPARE(form->txtWeightMetric->text(), QStringLiteral("181.437"));
}

void FormTest::metricRoad()
{
    alt(Qt::Key_M);
    calculate(QStringLiteral("1067"), QStringLiteral("181"), Qt::Key_S);

    QVERIFY(messages.isEmpty());
    QCOMPARE(form->txtWidth->text(), QStringLiteral("42.008"));
    QCOMPARE(form->txtWeight->text(), QStringLiteral("399.037"));
    QCOMPARE(form->txtWidthMetric->text(), QStringLiteral("1067"));
    QCOMPARE(form->txtWeightMetric->text(), QStringLiteral("181"));
    QCOMPARE(results(), QStringList({ "2.98", "4.97" }));
    QCOMPARE(foreColour(form->opt1), red);
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));
}

void FormTest::negativeTimesAreShown()
{
    calculate(QStringLiteral("3"), QStringLiteral("100"), Qt::Key_S);
    QCOMPARE(results(), QStringList({ "-0.04", "-0.07" }));

    // Just under 4 inches the close time rounds to a negative zero: it shows as 0.
    press(Qt::Key_L, Qt::AltModifier);
    alt(Qt::Key_I);
    calculate(QStringLiteral("3.999"), QStringLiteral("1"), Qt::Key_T);
    QCOMPARE(results(), QStringList({ "0", "0" }));
}

void FormTest::messageBoxes_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<Qt::Key>("doorKey");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    // The four boxes after the command: inches, pounds, millimetres, kilograms.
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("focus");

    const QString doorType = QStringLiteral("Door Type");
    const QString pickDoor = QStringLiteral("Please select a door type.");
    const QString numbersOnly = QStringLiteral("Numbers Only");
    const QString enterNumbers = QStringLiteral("Please enter a number in both fields.");
    const QString whatd = QStringLiteral("What'd you do?");
    const QString anError = QStringLiteral("An error has occurred...please continue working.");
    const int warning = QMessageBox::Warning;
    const int none = QMessageBox::NoIcon;

    QTest::newRow("no door type, empty boxes")
        << false << "" << "" << Qt::Key_unknown << doorType << pickDoor << warning
        << QStringList { "", "", "0", "0" } << "txtWeight";
    QTest::newRow("width abc") << false << "abc" << "400" << Qt::Key_S << numbersOnly
                               << enterNumbers << warning << QStringList { "", "400", "0", "181.437" }
                               << "txtWidth";
    QTest::newRow("weight empty") << false << "42" << "" << Qt::Key_S << numbersOnly << enterNumbers
                                  << warning << QStringList { "42", "", "1066.8", "0" } << "txtWeight";
    QTest::newRow("width -5") << false << "-5" << "400" << Qt::Key_S << numbersOnly << enterNumbers
                              << warning << QStringList { "-5", "400", "-127", "181.437" }
                              << "cmdCalculate";
    QTest::newRow("width 0, weight 0") << false << "0" << "0" << Qt::Key_E << numbersOnly
                                       << enterNumbers << warning << QStringList { "", "0", "0", "0" }
                                       << "txtWidth";
    QTest::newRow("metric, weight empty") << true << "1067" << "" << Qt::Key_C << numbersOnly
                                          << enterNumbers << warning
                                          << QStringList { "42.008", "0", "1067", "" }
                                          << "txtWeightMetric";
    QTest::newRow("metric, width 0.01 mm") << true << "0.01" << "181" << Qt::Key_T << numbersOnly
                                           << enterNumbers << warning
                                           << QStringList { "0", "399.037", "0.01", "181" }
                                           << "cmdCalculate";
    QTest::newRow("weight beyond range") << false << "42" << "1E400" << Qt::Key_S << whatd << anError
                                         << none << QStringList { "42", "1E400", "1066.8", "" }
                                         << "cmdCalculate";
    QTest::newRow("width overflows in millimetres")
        << false << "1E307" << "400" << Qt::Key_S << whatd << anError << none
        << QStringList { "1E307", "400", "", "" } << "cmdCalculate";
    QTest::newRow("metric, pounds overflow")
        << true << "1E308" << "1.7E308" << Qt::Key_S << whatd << anError << none
        << QStringList { "3.93700787401575E+306", "", "1E308", "1.7E308" } << "cmdCalculate";
    QTest::newRow("nudging time overflows, close time does not")
        << false << "7E306" << "19000000" << Qt::Key_S << whatd << anError << none
        << QStringList { "7E306", "19000000", "1.778E+308", "8618255.03" } << "cmdCalculate";
    QTest::newRow("close time overflows")
        << false << "1E306" << "1E300" << Qt::Key_S << whatd << anError << none
        << QStringList { "1E306", "1E300", "2.54E+307", "4.5359237E+299" } << "cmdCalculate";
}

void FormTest::messageBoxes()
{
    QFETCH(bool, metric);
    QFETCH(QString, width);
    QFETCH(QString, weight);
    QFETCH(Qt::Key, doorKey);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(QStringList, boxes);
    QFETCH(QString, focus);

    if (metric)
        alt(Qt::Key_M);
    calculate(width, weight, doorKey);

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, title);
    QCOMPARE(messages[0].text, text);
    QCOMPARE(int(messages[0].icon), icon);
    const QStringList shown { form->txtWidth->text(), form->txtWeight->text(),
        form->txtWidthMetric->text(), form->txtWeightMetric->text() };
    QCOMPARE(shown, boxes);
    QCOMPARE(results(), noResults);
    QCOMPARE(focusName(), focus);
}

void FormTest::switchingStates()
{
    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);
    QCOMPARE(form->lblMinimum->text(), QStringLiteral("2.98"));

    alt(Qt::Key_M);
    verifyEntryState(false);
    QCOMPARE(form->txtWidthMetric->text(), QStringLiteral("1066.8"));
    QCOMPARE(form->txtWeightMetric->text(), QStringLiteral("181.437"));
    QCOMPARE(results(), noResults);
    QCOMPARE(focusName(), QStringLiteral("txtWidthMetric"));
    QVERIFY(form->opt1->isChecked());

    press(Qt::Key_Return);
    QCOMPARE(results(), QStringList({ "2.98", "4.97" }));
    QCOMPARE(form->txtWidth->text(), QStringLiteral("42"));
    QCOMPARE(form->txtWeight->text(), QStringLiteral("400"));

    // Back in imperial entry the boxes keep what the metric calculation wrote.
    alt(Qt::Key_M);
    form->txtWidthMetric->selectAll();
    type(QStringLiteral("1000"));
    press(Qt::Key_Return);
    alt(Qt::Key_I);
    verifyEntryState(true);
    QCOMPARE(form->txtWidth->text(), QStringLiteral("39.37"));
    QCOMPARE(form->txtWeight->text(), QStringLiteral("400"));
    QVERIFY(form->lblMinimum->text().isEmpty());
    QCOMPARE(focusName(), QStringLiteral("txtWidth"));
    QVERIFY(form->opt1->isChecked());
}

void FormTest::chosenStateAgainReapplies()
{
    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);
    QCOMPARE(form->lblNudging->text(), QStringLiteral("4.97"));
    alt(Qt::Key_I);
    verifyEntryState(true);
    QCOMPARE(results(), noResults);
    QCOMPARE(focusName(), QStringLiteral("txtWidth"));
}

void FormTest::tabOrder_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<Qt::Key>("doorKey");
    QTest::addColumn<QStringList>("stops");
    QTest::newRow("imperial, no door type")
        << false << Qt::Key_unknown
        << QStringList { "txtWidth", "txtWeight", "cmdCalculate", "cmdClear", "opt1", "optImperial", "txtWidth" };
    QTest::newRow("metric, no door type")
        << true << Qt::Key_unknown
        << QStringList { "txtWidthMetric", "txtWeightMetric", "cmdCalculate", "cmdClear", "opt1", "optMetric",
               "txtWidthMetric" };
    QTest::newRow("imperial, center two speed")
        << false << Qt::Key_E
        << QStringList { "txtWidth", "txtWeight", "cmdCalculate", "cmdClear", "opt4", "optImperial", "txtWidth" };
}

void FormTest::tabOrder()
{
    QFETCH(bool, metric);
    QFETCH(Qt::Key, doorKey);
    QFETCH(QStringList, stops);

    if (doorKey != Qt::Key_unknown)
        alt(doorKey);
    alt(metric ? Qt::Key_M : Qt::Key_I);
    QStringList visited { focusName() };
    for (qsizetype i = 1; i < stops.size(); ++i) {
        press(Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, stops);

    QStringList backwards { focusName() };
    for (qsizetype i = 1; i < stops.size(); ++i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        backwards.prepend(focusName());
    }
    QCOMPARE(backwards, stops);
}

void FormTest::accessKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("focus");
    QTest::newRow("Alt+S side single") << Qt::Key_S << "opt1" << "cmdCalculate";
    QTest::newRow("Alt+T side two") << Qt::Key_T << "opt2" << "cmdCalculate";
    QTest::newRow("Alt+C center single") << Qt::Key_C << "opt3" << "cmdCalculate";
    QTest::newRow("Alt+E center two") << Qt::Key_E << "opt4" << "cmdCalculate";
    QTest::newRow("Alt+M metric") << Qt::Key_M << "optMetric" << "txtWidthMetric";
    QTest::newRow("Alt+I imperial") << Qt::Key_I << "optImperial" << "txtWidth";
    QTest::newRow("Alt+A calculate") << Qt::Key_A << "" << "cmdCalculate";
    QTest::newRow("Alt+L clear") << Qt::Key_L << "" << "cmdClear";
}

void FormTest::accessKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, chosen);
    QFETCH(QString, focus);

    type(QStringLiteral("42"));
    alt(key);
    if (!chosen.isEmpty()) {
        auto *option = form->findChild<velkora::OptionButton *>(chosen);
        QVERIFY(option->isChecked());
        QCOMPARE(foreColour(option), red);
    }
    QCOMPARE(focusName(), focus);
    // The letter itself never reaches the box that had the focus.
    const QString width = key == Qt::Key_L ? QString() : QStringLiteral("42");
    QCOMPARE(form->txtWidth->text(), width);
    if (key == Qt::Key_A)
        QCOMPARE(messages.size(), 1);
    else
        QVERIFY(messages.isEmpty());
}

void FormTest::doorTypeChange()
{
    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);
    QCOMPARE(form->lblMinimum->text(), QStringLiteral("2.98"));
    alt(Qt::Key_T);
    QVERIFY(form->opt2->isChecked());
    QVERIFY(!form->opt1->isChecked());
    QCOMPARE(foreColour(form->opt2), red);
    QCOMPARE(foreColour(form->opt1), black);
    QCOMPARE(results(), noResults);
    QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));
    QVERIFY(form->optImperial->isChecked());

    // Space on the focused command calculates with the new door type.
    press(Qt::Key_Space);
    QCOMPARE(results(), QStringList({ "2.36", "3.93" }));
}

void FormTest::anyEditEmptiesResults_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("box");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("digit in inches") << false << "txtWidth" << Qt::Key_5;
    QTest::newRow("backspace in pounds") << false << "txtWeight" << Qt::Key_Backspace;
    QTest::newRow("letter in millimetres") << true << "txtWidthMetric" << Qt::Key_X;
    QTest::newRow("delete in kilograms") << true << "txtWeightMetric" << Qt::Key_Delete;
}

void FormTest::anyEditEmptiesResults()
{
    QFETCH(bool, metric);
    QFETCH(QString, box);
    QFETCH(Qt::Key, key);

    if (metric)
        alt(Qt::Key_M);
    calculate(metric ? QStringLiteral("1067") : QStringLiteral("42"),
        metric ? QStringLiteral("181") : QStringLiteral("400"), Qt::Key_C);
    QCOMPARE(form->lblMinimum->text(), QStringLiteral("1.49"));

    auto *target = form->findChild<velkora::TextBox *>(box);
    QTest::mouseClick(target, Qt::LeftButton);
    target->setCursorPosition(1);
    const QString text = target->text();
    press(key);
    QVERIFY(target->text() != text);
    QCOMPARE(results(), noResults);
    QVERIFY(form->opt3->isChecked());
    QCOMPARE(form->blnImperial, !metric);
}

void FormTest::lockedBoxIgnoresTyping()
{
    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);
    QTest::mouseClick(form->txtWeightMetric, Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("txtWeightMetric"));
    type(QStringLiteral("9"));
    press(Qt::Key_Backspace);
    QCOMPARE(form->txtWeightMetric->text(), QStringLiteral("181.437"));
    QCOMPARE(form->lblMinimum->text(), QStringLiteral("2.98"));
    // Still selectable for copying.
    form->txtWeightMetric->selectAll();
    QCOMPARE(form->txtWeightMetric->selectedText(), QStringLiteral("181.437"));
}

void FormTest::clearAfterMetricCalculation()
{
    alt(Qt::Key_M);
    calculate(QStringLiteral("1067"), QStringLiteral("181"), Qt::Key_E);
    QCOMPARE(form->lblMinimum->text(), QStringLiteral("1.18"));

    alt(Qt::Key_L);
    verifyEmptyForm();
    verifyEntryState(false);
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));

    // With no door type left, Calculate asks for one.
    alt(Qt::Key_A);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QStringLiteral("Door Type"));
}

void FormTest::clearOnEmptyForm()
{
    QTest::mouseClick(form->cmdClear, Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));
    verifyEntryState(true);
    verifyEmptyForm();
    QVERIFY(messages.isEmpty());
}

void FormTest::mouseClicksOnOptions()
{
    // A click anywhere on the option's two lines, also on the second line of its caption.
    QTest::mouseClick(form->opt3, Qt::LeftButton, {}, QPoint(60, 26));
    QVERIFY(form->opt3->isChecked());
    QCOMPARE(foreColour(form->opt3), red);
    QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));

    QTest::mouseClick(form->optMetric, Qt::LeftButton);
    verifyEntryState(false);
    QVERIFY(form->opt3->isChecked());
    QTest::mouseClick(form->opt1, Qt::LeftButton);
    QVERIFY(form->optMetric->isChecked());
    QVERIFY(!form->opt3->isChecked());
}

void FormTest::coloursArePainted()
{
    alt(Qt::Key_S);
    const QImage image = form->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    auto pixel = [&](const QWidget *w, QPoint p) {
        return image.pixelColor((w->mapTo(form, p) * ratio));
    };
    QCOMPARE(pixel(form->txtWidthMetric, QPoint(90, 30)), yellow);
    QCOMPARE(pixel(form->txtWeightMetric, QPoint(90, 30)), yellow);
    QCOMPARE(pixel(form->txtWidth, QPoint(90, 30)), white);

    auto hasRed = [&](const QWidget *w) {
        const QRect area(w->mapTo(form, QPoint(0, 0)) * ratio, w->size() * ratio);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() < 80 && c.blue() < 80)
                    return true;
        return false;
    };
    QVERIFY(hasRed(form->opt1));
    QVERIFY(hasRed(form->optImperial));
    QVERIFY(!hasRed(form->opt2));
    QVERIFY(!hasRed(form->optMetric));
}

void FormTest::everythingFits()
{
    QCOMPARE(QFontInfo(form->lblMinimumnudge->font()).family(), QStringLiteral("Liberation Sans"));

    for (QLabel *label : form->findChildren<QLabel *>()) {
        const QString text = label->text().isEmpty() ? QStringLiteral("-0.07") : label->text();
        QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width(),
            qPrintable(label->objectName()));
    }
    // The widest values the boxes show in everyday use.
    for (velkora::TextBox *box : form->findChildren<velkora::TextBox *>()) {
        box->setText(QStringLiteral("1066.8"));
        box->setText(QStringLiteral("181.437"));
        QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= box->width() - 8,
            qPrintable(box->objectName()));
    }
    // Door type captions wrap onto at most two lines that fit the option's height.
    for (velkora::OptionButton *option : form->findChildren<velkora::OptionButton *>()) {
        const QRect lines = option->fontMetrics().boundingRect(QRect(0, 0, option->width() - 20, 1000),
            Qt::TextWordWrap | Qt::TextShowMnemonic, option->text());
        QVERIFY2(lines.height() <= option->height(), qPrintable(option->objectName()));
    }
    QCOMPARE(form->opt1->text(), QStringLiteral("&Side Opening Single Speed"));
}

void FormTest::accessibility()
{
    auto name = [](QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
    auto description = [](QObject *o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Description);
    };

    const QList<QPair<velkora::TextBox *, QString>> boxes { { form->txtWidth, "Entrance width in inches" },
        { form->txtWeight, "Door weight in pounds" }, { form->txtWidthMetric, "Entrance width in millimetres" },
        { form->txtWeightMetric, "Door weight in kilograms" } };
    for (const auto &[box, boxName] : boxes) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(box);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QCOMPARE(iface->text(QAccessible::Name), boxName);
        QCOMPARE(iface->text(QAccessible::Description), box->toolTip());
        QCOMPARE(bool(iface->state().readOnly), box == form->txtWidthMetric || box == form->txtWeightMetric);
    }

    QCOMPARE(name(form->cmdCalculate), QStringLiteral("CALCULATE"));
    QCOMPARE(description(form->cmdCalculate), QStringLiteral(" Calculate door times "));
    QCOMPARE(name(form->cmdClear), QStringLiteral("CLEAR"));
    QCOMPARE(name(form->opt4), QStringLiteral("Center Opening Two Speed"));
    QCOMPARE(name(form->optMetric), QStringLiteral("Metric"));
    QCOMPARE(description(form->optMetric), QStringLiteral(" Click for Metric Units "));
    QCOMPARE(name(form->Frame1), QStringLiteral("DOOR TYPE"));
    QCOMPARE(QAccessible::queryAccessibleInterface(form->Frame1)->role(), QAccessible::Grouping);
    QCOMPARE(QAccessible::queryAccessibleInterface(form->opt1)->role(), QAccessible::RadioButton);

    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);

    // Both what a result is and the value it shows.
    const QList<QPair<QLabel *, QStringList>> results {
        { form->lblMinimum, { "2.98", "Minimum door close time in seconds" } },
        { form->lblNudging, { "4.97", "Minimum nudging close time in seconds" } } };
    for (const auto &[label, texts] : results) {
        QCOMPARE(name(label), texts[0]);
        QCOMPARE(description(label), texts[1]);
    }
    const auto labelledBy = QAccessible::queryAccessibleInterface(form->lblMinimum)->relations(QAccessible::Label);
    QCOMPARE(labelledBy.size(), 1);
    QCOMPARE(labelledBy[0].first->text(QAccessible::Name), QStringLiteral("Minimum Door Close Time in Seconds:"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velkora::setUpApplication(app);
    FormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "frmvelkora_test.moc"
