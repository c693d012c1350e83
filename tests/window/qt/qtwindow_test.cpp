// The Qt window driven as a user drives it: typed keys, access keys, Tab, Enter and clicks. What
// is checked here is what only the Qt window can get wrong: keys reaching the form, focus and
// Tab order on the real widgets, painted colours, fit, accessibility and the message box. The
// form's rules themselves are tested at the form.
#include "calc/door_time.h"
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/qt/qtapplication.h"
#include "window/qt/qtcontrols.h"
#include "window/qt/qtwindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const QColor red(0xFF, 0x00, 0x00);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor white(0xFF, 0xFF, 0xFF);

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("(none)");
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void alt(Qt::Key key)
{
    press(key, Qt::AltModifier);
}

void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

} // namespace

class QtWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void builtWidgets();
    void startUp();
    void keysReachTheForm_data();
    void keysReachTheForm();
    void metricByKeys();
    void enterOnFocusedClearClears();
    void messageBox_data();
    void messageBox();
    void messageBoxesLeaveNoMemoryBehind();
    void tabOrder_data();
    void tabOrder();
    void accessKeysAreNotTyped();
    void arrowKeysChooseInTheGroup();
    void lockedBoxIgnoresTyping();
    void mouseClicksOnOptions();
    void coloursArePainted();
    void everythingFits_data();
    void everythingFits();
    void inEachLanguage_data();
    void inEachLanguage();
    void hugeNumbersArePaintedWhole_data();
    void hugeNumbersArePaintedWhole();
    void accessibility();

private:
    template <typename T = QWidget>
    T *widget(const char *name) const
    {
        return qobject_cast<T *>(window->widget(name));
    }
    QString text(const char *name) const
    {
        if (auto *box = widget<QLineEdit>(name))
            return box->text();
        return widget<QLabel>(name)->text();
    }
    QStringList results() const { return { text("lblMinimum"), text("lblNudging") }; }
    void calculate(const QString &width, const QString &weight, Qt::Key doorKey);
    // The window again, its form in a language.
    void openIn(const velkora::Language &language);

    std::unique_ptr<frmVelkora> form;
    std::unique_ptr<velkora::QtWindow> window;
    QStringList titles;
};

void QtWindowTest::init()
{
    openIn(velkora::english());
}

void QtWindowTest::openIn(const velkora::Language &language)
{
    titles.clear();
    window.reset();
    form = std::make_unique<frmVelkora>(language);
    window = std::make_unique<velkora::QtWindow>(*form);
    form->MsgBox = [this](const std::string &title, const std::string &, velkora::MessageIcon) {
        titles << QString::fromStdString(title);
    };
    form->Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void QtWindowTest::cleanup()
{
    window.reset();
    form.reset();
}

void QtWindowTest::calculate(const QString &width, const QString &weight, Qt::Key doorKey)
{
    type(width);
    press(Qt::Key_Tab);
    type(weight);
    if (doorKey != Qt::Key_unknown)
        alt(doorKey);
    press(Qt::Key_Return);
}

void QtWindowTest::builtWidgets()
{
    frmVelkora builtForm;
    velkora::QtWindow built(builtForm);
    QCOMPARE(built.objectName(), QStringLiteral("frmVelkora"));
    QCOMPARE(built.windowTitle(), QStringLiteral(" Velkora                  www.velkora.example"));
    QCOMPARE(built.size(), QSize(610, 317));
    QCOMPARE(built.findChildren<QWidget *>(QString(), Qt::FindChildrenRecursively).size() >= 23, true);
    QCOMPARE(built.widget("opt3")->parentWidget(), built.widget("Frame1"));
    QCOMPARE(built.widget("opt3")->geometry(), QRect(16, 96, 117, 33));
    QCOMPARE(built.widget("lblNudging")->geometry(), QRect(499, 268, 67, 33));
    QCOMPARE(built.widget("txtWeight")->toolTip(),
        QStringLiteral(" The sum of the hoistway and the car door weights as well as all parts "
                       "rigidly connected thereto in pounds "));
    QCOMPARE(qobject_cast<QAbstractButton *>(built.widget("opt4"))->text(), QStringLiteral("C&enter Opening Two Speed"));
    for (const char *name : { "opt1", "optImperial", "optMetric" })
        QVERIFY(!qobject_cast<QAbstractButton *>(built.widget(name))->isChecked());
    QCOMPARE(built.widget("txtWidthMetric")->palette().color(QPalette::Base), yellow);
}

void QtWindowTest::startUp()
{
    QCOMPARE(focusName(), QStringLiteral("txtWidth"));
    QVERIFY(qobject_cast<QAbstractButton *>(widget("optImperial"))->isChecked());
    QVERIFY(widget<QLineEdit>("txtWidthMetric")->isReadOnly());
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(qAbs(window->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window->geometry().center().y() - screen.center().y()) <= 1);
}

void QtWindowTest::keysReachTheForm_data()
{
    QTest::addColumn<Qt::Key>("doorKey");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Alt+S side single") << Qt::Key_S << "opt1" << QStringList { "2.98", "4.97" };
    QTest::newRow("Alt+E center two") << Qt::Key_E << "opt4" << QStringList { "1.18", "1.97" };
}

void QtWindowTest::keysReachTheForm()
{
    QFETCH(Qt::Key, doorKey);
    QFETCH(QString, option);
    QFETCH(QStringList, shown);

    calculate(QStringLiteral("42"), QStringLiteral("400"), doorKey);
    QVERIFY(titles.isEmpty());
    QCOMPARE(text("txtWidthMetric"), QStringLiteral("1066.8"));
    QCOMPARE(text("txtWeightMetric"), QStringLiteral("181.437"));
    QCOMPARE(results(), shown);
    QVERIFY(qobject_cast<QAbstractButton *>(window->widget(option.toStdString()))->isChecked());
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));

    // Space on a focused command presses it; the window also shows what the form emptied.
    alt(Qt::Key_T);
    QCOMPARE(results(), QStringList({ "", "" }));
    QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));
    press(Qt::Key_Space);
    QCOMPARE(results(), QStringList({ "2.36", "3.93" }));
}

void QtWindowTest::metricByKeys()
{
    alt(Qt::Key_M);
    QCOMPARE(focusName(), QStringLiteral("txtWidthMetric"));
    calculate(QStringLiteral("1067"), QStringLiteral("181"), Qt::Key_S);
    QCOMPARE(text("txtWidth"), QStringLiteral("42.008"));
    QCOMPARE(text("txtWeight"), QStringLiteral("399.037"));
    QCOMPARE(results(), QStringList({ "2.98", "4.97" }));
    // A typed edit keeps the caret where the user typed.
    QTest::mouseClick(widget("txtWidthMetric"), Qt::LeftButton);
    widget<QLineEdit>("txtWidthMetric")->setCursorPosition(2);
    type(QStringLiteral("5"));
    QCOMPARE(text("txtWidthMetric"), QStringLiteral("10567"));
    QCOMPARE(widget<QLineEdit>("txtWidthMetric")->cursorPosition(), 3);
    QCOMPARE(results(), QStringList({ "", "" }));
}

void QtWindowTest::enterOnFocusedClearClears()
{
    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));
    press(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(text("txtWidth"), QString());
    QCOMPARE(text("txtWeightMetric"), QString());
    QVERIFY(!qobject_cast<QAbstractButton *>(widget("opt1"))->isChecked());
    QCOMPARE(widget("opt1")->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void QtWindowTest::messageBox_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<Qt::Key>("doorKey");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no door type") << "42" << Qt::Key_unknown << "Door Type" << "Please select a door type."
                                  << int(QMessageBox::Warning) << "txtWeight";
    QTest::newRow("numbers only") << "abc" << Qt::Key_S << "Numbers Only"
                                  << "Please enter a number in both fields." << int(QMessageBox::Warning)
                                  << "txtWidth";
    QTest::newRow("beyond range") << "1E400" << Qt::Key_S << "What'd you do?"
                                  << "An error has occurred...please continue working." << int(QMessageBox::NoIcon)
                                  << "cmdCalculate";
}

void QtWindowTest::messageBox()
{
    QFETCH(QString, width);
    QFETCH(Qt::Key, doorKey);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(QString, focus);

    // The window's own message box, answered with Enter as a user would.
    window = std::make_unique<velkora::QtWindow>(*(form = std::make_unique<frmVelkora>()));
    form->Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QString seenTitle, seenText;
    int seenIcon = -1;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = int(box->icon());
        modal = box->isModal();
        QTest::keyClick(box, Qt::Key_Return);
    });
    calculate(width, QStringLiteral("400"), doorKey);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenText, text);
    QCOMPARE(seenIcon, icon);
    QVERIFY(modal);
    // The widget that has the focus when the window is active again.
    QCOMPARE(window->focusWidget()->objectName(), focus);
}

void QtWindowTest::messageBoxesLeaveNoMemoryBehind()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer holds freed memory back: resident memory says nothing here");
#endif
    window = std::make_unique<velkora::QtWindow>(*(form = std::make_unique<frmVelkora>()));
    form->Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto residentKiB = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').first().toLong();
        }
        return 0L;
    };
    // Calculate with no door type: the "Door Type" box, answered as soon as it is painted.
    auto boxes = [this](int count) {
        for (int i = 0; i < count; ++i) {
            QTimer::singleShot(5, [] {
                if (QWidget *box = QApplication::activeModalWidget())
                    QTest::keyClick(box, Qt::Key_Return);
            });
            form->cmdCalculate.click();
        }
    };
    boxes(20);
    const long before = residentKiB();
    boxes(150);
    const long after = residentKiB();
    qInfo("resident memory %ld KiB -> %ld KiB over 150 message boxes", before, after);
    QVERIFY2(after - before < 512, qPrintable(QString::number(after - before) + " KiB more"));
}

void QtWindowTest::tabOrder_data()
{
    QTest::addColumn<Qt::Key>("unitKey");
    QTest::addColumn<Qt::Key>("doorKey");
    QTest::addColumn<QStringList>("stops");
    QTest::newRow("imperial, no door type")
        << Qt::Key_I << Qt::Key_unknown
        << QStringList { "txtWidth", "txtWeight", "cmdCalculate", "cmdClear", "opt1", "optImperial", "txtWidth" };
    QTest::newRow("metric, center two speed")
        << Qt::Key_M << Qt::Key_E
        << QStringList { "txtWidthMetric", "txtWeightMetric", "cmdCalculate", "cmdClear", "opt4", "optMetric",
               "txtWidthMetric" };
}

void QtWindowTest::tabOrder()
{
    QFETCH(Qt::Key, unitKey);
    QFETCH(Qt::Key, doorKey);
    QFETCH(QStringList, stops);

    if (doorKey != Qt::Key_unknown)
        alt(doorKey);
    alt(unitKey);
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

void QtWindowTest::accessKeysAreNotTyped()
{
    type(QStringLiteral("42"));
    for (Qt::Key key : { Qt::Key_S, Qt::Key_T, Qt::Key_C, Qt::Key_E, Qt::Key_M, Qt::Key_I }) {
        alt(key);
        QCOMPARE(text("txtWidth"), QStringLiteral("42"));
    }
    QCOMPARE(focusName(), QStringLiteral("txtWidth"));
    alt(Qt::Key_A);
    QCOMPARE(titles, QStringList { "Numbers Only" });
    alt(Qt::Key_L);
    QCOMPARE(focusName(), QStringLiteral("cmdClear"));
    QCOMPARE(text("txtWidth"), QString());
}

void QtWindowTest::arrowKeysChooseInTheGroup()
{
    alt(Qt::Key_E);
    widget("opt4")->setFocus();
    press(Qt::Key_Down);
    QVERIFY(qobject_cast<QAbstractButton *>(widget("opt1"))->isChecked());
    QVERIFY(!qobject_cast<QAbstractButton *>(widget("opt4"))->isChecked());
    QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));
}

void QtWindowTest::lockedBoxIgnoresTyping()
{
    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);
    QTest::mouseClick(widget("txtWeightMetric"), Qt::LeftButton);
    QCOMPARE(focusName(), QStringLiteral("txtWeightMetric"));
    type(QStringLiteral("9"));
    press(Qt::Key_Backspace);
    QCOMPARE(text("txtWeightMetric"), QStringLiteral("181.437"));
    QCOMPARE(text("lblMinimum"), QStringLiteral("2.98"));
    // Still selectable for copying.
    widget<QLineEdit>("txtWeightMetric")->selectAll();
    QCOMPARE(widget<QLineEdit>("txtWeightMetric")->selectedText(), QStringLiteral("181.437"));
}

void QtWindowTest::mouseClicksOnOptions()
{
    // A click anywhere on the option's two lines, also on the second line of its caption.
    QTest::mouseClick(widget("opt3"), Qt::LeftButton, {}, QPoint(60, 26));
    QVERIFY(qobject_cast<QAbstractButton *>(widget("opt3"))->isChecked());
    QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));

    QTest::mouseClick(widget("optMetric"), Qt::LeftButton);
    QVERIFY(qobject_cast<QAbstractButton *>(widget("optMetric"))->isChecked());
    QVERIFY(!qobject_cast<QAbstractButton *>(widget("optImperial"))->isChecked());
    QVERIFY(qobject_cast<QAbstractButton *>(widget("opt3"))->isChecked());
    QCOMPARE(focusName(), QStringLiteral("txtWidthMetric"));

    // Clicking the selected option again keeps it selected.
    QTest::mouseClick(widget("optMetric"), Qt::LeftButton);
    QVERIFY(qobject_cast<QAbstractButton *>(widget("optMetric"))->isChecked());
}

void QtWindowTest::coloursArePainted()
{
    alt(Qt::Key_S);
    const QImage image = window->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    auto pixel = [&](const char *name, QPoint p) {
        return image.pixelColor(widget(name)->mapTo(window.get(), p) * ratio);
    };
    QCOMPARE(pixel("txtWidthMetric", QPoint(90, 30)), yellow);
    QCOMPARE(pixel("txtWeightMetric", QPoint(90, 30)), yellow);
    QCOMPARE(pixel("txtWidth", QPoint(90, 30)), white);

    auto hasRed = [&](const char *name) {
        const QWidget *w = widget(name);
        const QRect area(w->mapTo(window.get(), QPoint(0, 0)) * ratio, w->size() * ratio);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() < 80 && c.blue() < 80)
                    return true;
        return false;
    };
    QVERIFY(hasRed("opt1"));
    QVERIFY(hasRed("optImperial"));
    QVERIFY(!hasRed("opt2"));
    QVERIFY(!hasRed("optMetric"));
}

void QtWindowTest::everythingFits_data()
{
    QTest::addColumn<int>("language");
    for (std::size_t i = 0; i < velkora::languages().size(); ++i)
        QTest::newRow(velkora::languages()[i].code.data()) << int(i);
}

void QtWindowTest::everythingFits()
{
    QFETCH(int, language);
    openIn(velkora::languages()[std::size_t(language)]);
    QCOMPARE(QFontInfo(widget("lblMinimumnudge")->font()).family(), QStringLiteral("Liberation Sans"));

    // Every caption whole within its control, on one line or wrapped, at a legible size.
    const int smallest = velkora::pointsToPixels(velkora::smallestLegiblePoints, 96);
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QString shown = label->text().isEmpty() ? QStringLiteral("-0.07") : label->text();
        const QRect painted = label->fontMetrics().boundingRect(label->contentsRect(),
            int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), shown);
        QVERIFY2(label->contentsRect().contains(painted), qPrintable(label->objectName() + ": " + shown));
        QVERIFY2(label->font().pixelSize() >= smallest, qPrintable(label->objectName()));
    }
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) <= button->width() - 8,
            qPrintable(button->objectName()));
    }
    // The widest values the boxes show in everyday use, and the cue of an empty box.
    for (QLineEdit *box : window->findChildren<QLineEdit *>()) {
        for (const QString &text : { QStringLiteral("181.437"), box->placeholderText() })
            QVERIFY2(box->fontMetrics().horizontalAdvance(text) <= box->width() - 8, qPrintable(box->objectName()));
    }
    // Door type captions wrap onto at most two lines that fit the option's height.
    for (auto *option : window->findChildren<velkora::OptionWidget *>()) {
        const QRect room = option->captionRect();
        const QRect lines = option->fontMetrics().boundingRect(QRect(0, 0, room.width(), 1000),
            Qt::TextWordWrap | Qt::TextShowMnemonic, option->text());
        QVERIFY2(lines.height() <= room.height() && lines.width() <= room.width(), qPrintable(option->objectName()));
        QVERIFY2(option->font().pixelSize() >= smallest, qPrintable(option->objectName()));
    }
}

void QtWindowTest::inEachLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("calculate");
    QTest::addColumn<QString>("title");
    QTest::newRow("French") << "fr" << "CALCULER" << "Nombres seulement";
    QTest::newRow("Spanish") << "es" << "CALCULAR" << "Solo números";
}

void QtWindowTest::inEachLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, calculate);
    QFETCH(QString, title);
    const std::vector<std::string> preferred { code.toStdString() + "_CA.UTF-8" };
    const velkora::Language &language = velkora::chooseLanguage(preferred);
    QCOMPARE(QString::fromUtf8(language.code.data(), language.code.size()), code);
    window.reset();
    form = std::make_unique<frmVelkora>(language);
    window = std::make_unique<velkora::QtWindow>(*form);
    form->Form_Load();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    // The language's texts on the widgets, where a screen reader finds them too.
    QCOMPARE(QAccessible::queryAccessibleInterface(widget("cmdCalculate"))->text(QAccessible::Name), calculate);
    for (velkora::Control *control : form->controls()) {
        const velkora::ControlInfo &info = control->info;
        QWidget *shown = widget(info.name.data());
        if (auto *button = qobject_cast<QAbstractButton *>(shown))
            QCOMPARE(button->text(), QString::fromUtf8(info.caption.data(), info.caption.size()));
        QCOMPARE(shown->toolTip(), QString::fromUtf8(info.tooltip.data(), info.tooltip.size()));
    }
    QCOMPARE(widget<QLineEdit>("txtWidth")->placeholderText(), QStringLiteral("0.0"));
    QCOMPARE(widget<QLineEdit>("txtWidthMetric")->placeholderText(), QString());

    // Its access keys: the second door type, then Calculate with no numbers, answered in the
    // language's own message box.
    const auto key = [&](const char *name) {
        return Qt::Key(Qt::Key_A + velkora::accessKey(velkora::controlInfo(name, language).caption) - 'A');
    };
    alt(key("opt2"));
    QVERIFY(qobject_cast<QAbstractButton *>(widget("opt2"))->isChecked());
    QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));
    QString seenTitle, seenText;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenTitle = box->windowTitle();
            seenText = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    alt(key("cmdCalculate"));
    const std::string_view numbersOnly = velkora::translate(language, "Please enter a number in both fields.");
    QCOMPARE(seenText, QString::fromUtf8(numbersOnly.data(), qsizetype(numbersOnly.size())));
    QCOMPARE(seenTitle, title);
    // The window's focus, as it is when the window is active again: NumOnly's empty inch box.
    QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("txtWidth"));
}

void QtWindowTest::hugeNumbersArePaintedWhole_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("everyday door") << false << "42" << "400" << false;
    QTest::newRow("1E15 in") << false << "1E15" << "400" << true;
    QTest::newRow("123456789 in") << false << "123456789" << "400" << true;
    QTest::newRow("1E308 mm") << true << "1E308" << "400" << true;
    QTest::newRow("huge weight") << false << "1E150" << "9E299" << true;
}

void QtWindowTest::hugeNumbersArePaintedWhole()
{
    QFETCH(bool, metric);
    QFETCH(QString, width);
    QFETCH(QString, weight);
    QFETCH(bool, shortened);

    if (metric)
        alt(Qt::Key_M);
    calculate(width, weight, Qt::Key_S);
    QVERIFY(titles.isEmpty());
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);

    bool anyShortened = false;
    for (const char *name : { "lblMinimum", "lblNudging" }) {
        auto *result = dynamic_cast<velkora::ResultWidget *>(widget(name));
        const QString full = result->text();
        const QString shown = QString::fromStdString(result->fitted().text);
        QVERIFY(!full.isEmpty());
        // What is painted fits the display, at the size it is painted at.
        QFont font = result->font();
        font.setPixelSize(velkora::pointsToPixels(result->fitted().points, 96));
        QVERIFY2(QFontMetrics(font).horizontalAdvance(shown) <= result->textWidth(), qPrintable(shown));
        QVERIFY(result->fitted().points >= velkora::smallestLegiblePoints);
        // It is the number, or a shorter form of the same number, or the does-not-fit mark.
        if (shown != full && shown != QLatin1String("###")) {
            anyShortened = true;
            const double value = velkora::captionValue(full.toStdString()).value();
            const double near = velkora::captionValue(shown.toStdString()).value();
            const qsizetype digits = shown.indexOf(u'E') - (shown.startsWith(u'-') ? 1 : 0) - (shown.contains(u'.') ? 1 : 0);
            QVERIFY2(std::fabs(near - value) <= std::fabs(value) * 5 * std::pow(10.0, -double(digits)), qPrintable(shown + " " + full));
        }
        // The whole number is still there for a screen reader and as the tooltip.
        QCOMPARE(QAccessible::queryAccessibleInterface(result)->text(QAccessible::Name), full);
        QCOMPARE(result->toolTip(), shown != full || result->fitted().points != 18 ? full : QString());
    }
    QCOMPARE(anyShortened, shortened);

    // A converted box shows its whole text, or its start with the sign that more follows.
    const auto written = metric ? std::vector<const char *> { "txtWidth", "txtWeight" }
                                : std::vector<const char *> { "txtWidthMetric", "txtWeightMetric" };
    for (const char *name : written) {
        auto *box = dynamic_cast<velkora::EntryWidget *>(widget(name));
        if (!box->isCut()) {
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= box->textWidth(), name);
            continue;
        }
        QCOMPARE(box->cursorPosition(), 0);
        QCOMPARE(box->font().pixelSize(), velkora::pointsToPixels(velkora::smallestLegiblePoints, 96));
        // The ellipsis is painted at the right end of the box.
        const QRect box_(box->mapTo(window.get(), QPoint(0, 0)), box->size());
        int dark = 0;
        for (int x = box_.right() - 14; x < box_.right() - 2; ++x)
            for (int y = box_.top() + 4; y < box_.bottom() - 4; ++y)
                dark += qGray(image.pixel(x, y)) < 100;
        QVERIFY2(dark > 0, name);
    }
}

void QtWindowTest::accessibility()
{
    auto iface = [this](const char *name) { return QAccessible::queryAccessibleInterface(widget(name)); };

    const QList<QPair<const char *, QString>> boxes { { "txtWidth", "Entrance width in inches" },
        { "txtWeight", "Door weight in pounds" }, { "txtWidthMetric", "Entrance width in millimetres" },
        { "txtWeightMetric", "Door weight in kilograms" } };
    for (const auto &[box, boxName] : boxes) {
        QCOMPARE(iface(box)->role(), QAccessible::EditableText);
        QCOMPARE(iface(box)->text(QAccessible::Name), boxName);
        QCOMPARE(iface(box)->text(QAccessible::Description), widget(box)->toolTip());
        QCOMPARE(bool(iface(box)->state().readOnly), QByteArray(box).endsWith("Metric"));
    }

    QCOMPARE(iface("cmdCalculate")->text(QAccessible::Name), QStringLiteral("CALCULATE"));
    QCOMPARE(iface("cmdCalculate")->text(QAccessible::Description), QStringLiteral(" Calculate door times "));
    QCOMPARE(iface("opt4")->text(QAccessible::Name), QStringLiteral("Center Opening Two Speed"));
    QCOMPARE(iface("optMetric")->text(QAccessible::Description), QStringLiteral(" Click for Metric Units "));
    QCOMPARE(iface("Frame1")->text(QAccessible::Name), QStringLiteral("DOOR TYPE"));
    QCOMPARE(iface("Frame1")->role(), QAccessible::Grouping);
    QCOMPARE(iface("opt1")->role(), QAccessible::RadioButton);

    calculate(QStringLiteral("42"), QStringLiteral("400"), Qt::Key_S);

    // Both what a result is and the value it shows.
    QCOMPARE(iface("lblMinimum")->text(QAccessible::Name), QStringLiteral("2.98"));
    QCOMPARE(iface("lblMinimum")->text(QAccessible::Description), QStringLiteral("Minimum door close time in seconds"));
    QCOMPARE(iface("lblNudging")->text(QAccessible::Name), QStringLiteral("4.97"));
    QCOMPARE(iface("lblNudging")->text(QAccessible::Description), QStringLiteral("Minimum nudging close time in seconds"));
    const auto labelledBy = iface("lblMinimum")->relations(QAccessible::Label);
    QCOMPARE(labelledBy.size(), 1);
    QCOMPARE(labelledBy[0].first->text(QAccessible::Name), QStringLiteral("Minimum Door Close Time in Seconds:"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velkora::setUpApplication(app);
    QtWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qtwindow_test.moc"
