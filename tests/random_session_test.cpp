// Long random user sessions on the real form: typing anything into whichever box has the focus,
// clicks, Tab, access keys, Enter and Space, with every message box answered. After each action
// the form must still agree with itself and with the calculation core.
#include "calc/door_time.h"
#include "window/application.h"
#include "window/frmvelkora.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QColor red(0xFF, 0x00, 0x00);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor black(0x00, 0x00, 0x00);

// What a user might type, from the everyday to the hostile.
const QStringList typings { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "42", "400", "1067",
    "181", ".", ",", "-", "+", "E", "e", "E+", "E-", "1E400", "1E-400", "1E307", "1E306", "1E300",
    "1.7E308", QString(400, '9'), "abc", "x", " ", "\t", "0x10", "inf", "nan", "-0", "0.01",
    "3", "3.999", "4", "12abc", "1,5", QStringLiteral("\u00e9"), QStringLiteral("\u0661"),
    "99999999999999999999" };

const Qt::Key accessKeys[] = { Qt::Key_A, Qt::Key_L, Qt::Key_S, Qt::Key_T, Qt::Key_C, Qt::Key_E,
    Qt::Key_I, Qt::Key_M };

// Types text key by key; characters beyond ASCII arrive as an input method would send them.
void typeText(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(target, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        if (QApplication::focusWidget())
            target = QApplication::focusWidget();
    }
}

std::string toStd(const QString &text)
{
    return text.toStdString();
}

bool isShownNumber(const QString &text)
{
    try {
        velkora::captionValue(toStd(text));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

class RandomSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void session_data();
    void session();

private:
    void act(QRandomGenerator &random);
    void verifyInvariants(int step);

    frmVelkora *form = nullptr;
    int messageCount = 0;
    int resultsShown = 0;
};

void RandomSessionTest::session_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("actions");
    const int actions = qEnvironmentVariableIntValue("VELKORA_SESSION_ACTIONS") > 0
        ? qEnvironmentVariableIntValue("VELKORA_SESSION_ACTIONS")
        : 10000;
    for (quint32 seed : { 1u, 20261209u, 4242u })
        QTest::addRow("seed %u", seed) << seed << actions;
}

void RandomSessionTest::session()
{
    QFETCH(quint32, seed);
    QFETCH(int, actions);

    frmVelkora window;
    form = &window;
    messageCount = 0;
    resultsShown = 0;
    // Each box is answered with OK at once; the test sees it through the seam.
    window.MsgBox = [this](const QString &, const QString &, QMessageBox::Icon) { ++messageCount; };
    window.Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QRandomGenerator random(seed);
    for (int step = 0; step < actions; ++step) {
        act(random);
        verifyInvariants(step);
        if (QTest::currentTestFailed())
            return;
    }
    qInfo("seed %u: %d actions, %d message boxes answered, results on screen after %d actions", seed,
        actions, messageCount, resultsShown);
    QVERIFY(resultsShown > 0);
}

void RandomSessionTest::act(QRandomGenerator &random)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : form;
    switch (random.bounded(12)) {
    case 0:
    case 1:
    case 2:
        typeText(target, typings[random.bounded(typings.size())]);
        break;
    case 3:
        QTest::keyClick(target, Qt::Key_Tab);
        break;
    case 4:
        QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
        break;
    case 5:
        QTest::keyClick(target, accessKeys[random.bounded(int(std::size(accessKeys)))], Qt::AltModifier);
        break;
    case 6:
        QTest::keyClick(target, random.bounded(2) ? Qt::Key_Return : Qt::Key_Space);
        break;
    case 7:
        QTest::keyClick(target, random.bounded(2) ? Qt::Key_Backspace : Qt::Key_Delete);
        break;
    case 8:
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        break;
    case 9: {
        const QList<velkora::OptionButton *> options = form->findChildren<velkora::OptionButton *>();
        QTest::mouseClick(options[random.bounded(options.size())], Qt::LeftButton);
        break;
    }
    case 10: {
        const QList<velkora::TextBox *> boxes = form->findChildren<velkora::TextBox *>();
        QTest::mouseClick(boxes[random.bounded(boxes.size())], Qt::LeftButton);
        break;
    }
    default:
        QTest::mouseClick(random.bounded(3) ? form->cmdCalculate : form->cmdClear, Qt::LeftButton);
        break;
    }
}

void RandomSessionTest::verifyInvariants(int step)
{
    const QString at = QStringLiteral("after action %1").arg(step);
    const QString close = form->lblMinimum->text();
    const QString nudging = form->lblNudging->text();
    QVERIFY2(QApplication::activeModalWidget() == nullptr, qPrintable(at));

    // Exactly one entry state, shown consistently.
    const bool imperial = form->blnImperial;
    QVERIFY2(form->optImperial->isChecked() == imperial && form->optMetric->isChecked() == !imperial,
        qPrintable(at));
    QCOMPARE(form->optImperial->palette().color(QPalette::WindowText), imperial ? red : black);
    QCOMPARE(form->optMetric->palette().color(QPalette::WindowText), imperial ? black : red);
    for (velkora::TextBox *box : { form->txtWidth, form->txtWeight, form->txtWidthMetric, form->txtWeightMetric }) {
        const bool entry = (box == form->txtWidth || box == form->txtWeight) == imperial;
        QVERIFY2(box->isReadOnly() == !entry, qPrintable(at + " " + box->objectName()));
        QVERIFY2(box->palette().color(QPalette::Base) == (entry ? white : yellow), qPrintable(at));
        QVERIFY2(box->focusPolicy() == (entry ? Qt::StrongFocus : Qt::ClickFocus), qPrintable(at));
    }

    // At most one door type; a red one is the selected one.
    velkora::OptionButton *selected = nullptr;
    int selectedCount = 0;
    for (velkora::OptionButton *door : { form->opt1, form->opt2, form->opt3, form->opt4 }) {
        if (door->isChecked()) {
            selected = door;
            ++selectedCount;
        }
        if (door->palette().color(QPalette::WindowText) == red)
            QVERIFY2(door->isChecked(), qPrintable(at + " " + door->objectName()));
    }
    QVERIFY2(selectedCount <= 1, qPrintable(at));

    // Both results empty, or both numbers computed from the imperial boxes and the door type.
    QVERIFY2(close.isEmpty() == nudging.isEmpty(), qPrintable(at + ": " + close + " / " + nudging));
    for (const QString &text : { close, nudging }) {
        QVERIFY2(text != QLatin1String("-0") && !text.contains(QLatin1String("inf"), Qt::CaseInsensitive)
                && !text.contains(QLatin1String("nan"), Qt::CaseInsensitive) && !text.contains(u','),
            qPrintable(at + ": " + text));
    }
    if (close.isEmpty())
        return;
    ++resultsShown;
    QVERIFY2(isShownNumber(close) && isShownNumber(nudging), qPrintable(at + ": " + close + " / " + nudging));
    QVERIFY2(selected, qPrintable(at));
    const velkora::DoorType types[] = { velkora::DoorType::SideSingleSpeed, velkora::DoorType::SideTwoSpeed,
        velkora::DoorType::CenterSingleSpeed, velkora::DoorType::CenterTwoSpeed };
    const QList<velkora::OptionButton *> doors { form->opt1, form->opt2, form->opt3, form->opt4 };
    const velkora::DoorType type = types[doors.indexOf(selected)];
    const double width = velkora::entryValue(toStd(form->txtWidth->text()));
    const double weight = velkora::entryValue(toStd(form->txtWeight->text()));
    const std::string expectedClose = velkora::displayText(velkora::closeTime(type, width, weight));
    QCOMPARE(toStd(close), expectedClose);
    QCOMPARE(toStd(nudging),
        velkora::displayText(velkora::nudgingTime(velkora::captionValue(expectedClose))));
    QCOMPARE(selected->palette().color(QPalette::WindowText), red);

    // The converted pair is what the last calculation wrote from the entry pair.
    if (imperial) {
        QCOMPARE(toStd(form->txtWidthMetric->text()), velkora::inchesToMillimetres(toStd(form->txtWidth->text())));
        QCOMPARE(toStd(form->txtWeightMetric->text()), velkora::poundsToKilograms(toStd(form->txtWeight->text())));
    } else {
        QCOMPARE(toStd(form->txtWidth->text()), velkora::millimetresToInches(toStd(form->txtWidthMetric->text())));
        QCOMPARE(toStd(form->txtWeight->text()), velkora::kilogramsToPounds(toStd(form->txtWeightMetric->text())));
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velkora::setUpApplication(app);
    RandomSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "random_session_test.moc"
