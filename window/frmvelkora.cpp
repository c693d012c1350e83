#include "window/frmvelkora.h"

#include "calc/door_time.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

#include <exception>

using namespace velkora;

namespace {

// Colours as the form uses them.
const QColor red(0xFF, 0x00, 0x00);
const QColor yellow(0xFF, 0xFF, 0x00);
const QColor white(0xFF, 0xFF, 0xFF);
const QColor black(0x00, 0x00, 0x00);

const QString windowCaption = QStringLiteral(" Velkora                  www.velkora.example");

// Positions and sizes are laid out in twips: 15 twips make one pixel at 96 dots per inch.
constexpr int pixels(int twips)
{
    return (twips + 7) / 15;
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

// The application's "MS Sans Serif" (or its metric-compatible substitute) at the pixel size a
// point size has at 96 dots per inch.
QFont sansSerif(int pixelSize, bool bold)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

constexpr int points18 = 24;
constexpr int points12 = 16;
constexpr int points9_75 = 13;
constexpr int points8 = 11;

std::string toStd(const QString &text)
{
    return text.toStdString();
}

QString toQt(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

frmVelkora::frmVelkora(QWidget *parent)
    : QWidget(parent)
    , txtWidth(new TextBox(this))
    , txtWeight(new TextBox(this))
    , txtWidthMetric(new TextBox(this))
    , txtWeightMetric(new TextBox(this))
    , cmdCalculate(new CommandButton(QStringLiteral("C&ALCULATE"), this))
    , cmdClear(new CommandButton(QStringLiteral("C&LEAR"), this))
    , Frame1(new QGroupBox(QStringLiteral("DOOR TYPE"), this))
    , opt1(new OptionButton(QStringLiteral("&Side Opening Single Speed"), Frame1))
    , opt2(new OptionButton(QStringLiteral("Side Opening &Two Speed"), Frame1))
    , opt3(new OptionButton(QStringLiteral("&Center Opening Single Speed"), Frame1))
    , opt4(new OptionButton(QStringLiteral("C&enter Opening Two Speed"), Frame1))
    , optImperial(new OptionButton(QStringLiteral("&Imperial"), this))
    , optMetric(new OptionButton(QStringLiteral("&Metric"), this))
    , lblDwidth(new QLabel(QStringLiteral("Entrance Width:"), this))
    , lblDweight(new QLabel(QStringLiteral("Door Weight:"), this))
    , Label1(new QLabel(QStringLiteral("IN"), this))
    , Label2(new QLabel(QStringLiteral("LB"), this))
    , Label3(new QLabel(QStringLiteral("MM"), this))
    , Label4(new QLabel(QStringLiteral("KG"), this))
    , lblMinimumtime(new QLabel(QStringLiteral("Minimum Door Close Time in Seconds:"), this))
    , lblMinimum(new QLabel(this))
    , lblMinimumnudge(new QLabel(QStringLiteral("Minimum Nudging Close Time in Seconds:"), this))
    , lblNudging(new QLabel(this))
{
    MsgBox = [this](const QString &title, const QString &text, QMessageBox::Icon icon) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, this);
        box.exec();
    };
    buildControls();
    connectHandlers();
}

void frmVelkora::buildControls()
{
    setObjectName(QStringLiteral("frmVelkora"));
    setWindowTitle(windowCaption);
    setFont(sansSerif(points8, false));
    setFixedSize(pixels(9150), pixels(4755));

    // A screen reader reads each box by its accessible name and the tooltip as its description.
    struct EntryBox {
        TextBox *box;
        const char *name;
        int left, top;
        const char *tooltip;
        const char *accessibleName;
    };
    const EntryBox entryBoxes[] = {
        { txtWidth, "txtWidth", 4800, 720, " Full entrance width in inches ", "Entrance width in inches" },
        { txtWeight, "txtWeight", 4800, 1440,
            " The sum of the hoistway and the car door weights as well as all parts rigidly "
            "connected thereto in pounds ",
            "Door weight in pounds" },
        { txtWidthMetric, "txtWidthMetric", 6900, 720, " Full entrance width in millimeters ",
            "Entrance width in millimetres" },
        { txtWeightMetric, "txtWeightMetric", 6900, 1440,
            " The sum of the hoistway and the car door weights as well as all parts rigidly "
            "connected thereto in kilograms ",
            "Door weight in kilograms" },
    };
    for (const EntryBox &entry : entryBoxes) {
        entry.box->setObjectName(QLatin1String(entry.name));
        place(entry.box, entry.left, entry.top, 1575, 555);
        entry.box->setToolTip(QLatin1String(entry.tooltip));
        entry.box->setAccessibleName(QLatin1String(entry.accessibleName));
        entry.box->setFont(sansSerif(points18, true));
    }
    txtWidthMetric->setBackColor(yellow);
    txtWeightMetric->setBackColor(yellow);

    cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    place(cmdCalculate, 4800, 2400, 1575, 495);
    cmdCalculate->setToolTip(QStringLiteral(" Calculate door times "));
    cmdCalculate->setDefault(true);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    place(cmdClear, 6900, 2400, 1575, 495);
    cmdClear->setToolTip(QStringLiteral(" Clear all fields "));
    for (CommandButton *button : { cmdCalculate, cmdClear })
        button->setFont(sansSerif(points9_75, true));

    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, 60, 420, 2055, 2655);
    struct Option {
        OptionButton *option;
        const char *name;
        int left, top, width, height;
    };
    const Option options[] = {
        { opt1, "opt1", 240, 240, 1695, 495 },
        { opt2, "opt2", 240, 840, 1575, 495 },
        { opt3, "opt3", 240, 1440, 1755, 495 },
        { opt4, "opt4", 240, 2040, 1755, 495 },
        { optImperial, "optImperial", 4860, 180, 1515, 315 },
        { optMetric, "optMetric", 6930, 180, 1515, 315 },
    };
    for (const Option &o : options) {
        o.option->setObjectName(QLatin1String(o.name));
        place(o.option, o.left, o.top, o.width, o.height);
    }
    opt1->setForeColor(black);
    optImperial->setToolTip(QStringLiteral(" Click for Imperial Units "));
    optMetric->setToolTip(QStringLiteral(" Click for Metric Units "));
    optImperial->setFont(sansSerif(points9_75, false));
    optMetric->setFont(sansSerif(points9_75, false));

    struct Caption {
        QLabel *label;
        const char *name;
        int left, top, width, height;
        Qt::Alignment alignment;
        int pixelSize;
        const char *tooltip;
    };
    const Caption captions[] = {
        { lblDwidth, "lblDwidth", 2220, 900, 2415, 315, Qt::AlignRight, points12, nullptr },
        { lblDweight, "lblDweight", 2220, 1620, 2415, 315, Qt::AlignRight, points12, nullptr },
        { Label1, "Label1", 6420, 1020, 435, 315, Qt::AlignHCenter, points9_75, nullptr },
        { Label2, "Label2", 6420, 1740, 435, 315, Qt::AlignHCenter, points9_75, nullptr },
        { Label3, "Label3", 8520, 1020, 435, 315, Qt::AlignHCenter, points9_75, nullptr },
        { Label4, "Label4", 8520, 1740, 435, 315, Qt::AlignHCenter, points9_75, nullptr },
        { lblMinimumtime, "lblMinimumtime", 2580, 3420, 4695, 315, Qt::AlignRight, points12,
            " Closing speed shall not be faster than this for the code distance " },
        { lblMinimum, "lblMinimum", 7485, 3240, 1000, 495, Qt::AlignLeft, points18, nullptr },
        { lblMinimumnudge, "lblMinimumnudge", 2160, 4200, 5115, 315, Qt::AlignRight, points12,
            " Nudging speed shall not be faster than this for the code distance " },
        { lblNudging, "lblNudging", 7485, 4020, 1005, 495, Qt::AlignLeft, points18, nullptr },
    };
    for (const Caption &c : captions) {
        c.label->setObjectName(QLatin1String(c.name));
        place(c.label, c.left, c.top, c.width, c.height);
        c.label->setAlignment(c.alignment | Qt::AlignTop);
        c.label->setFont(sansSerif(c.pixelSize, true));
        if (c.tooltip)
            c.label->setToolTip(QLatin1String(c.tooltip));
    }
    for (QLabel *result : { lblMinimum, lblNudging }) {
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // A result keeps its number as its accessible name, so that a screen reader reads the value
    // and hears of each new one (an accessible name of its own would hide the number); what the
    // value is comes as its description and from its caption.
    lblMinimum->setAccessibleDescription(QStringLiteral("Minimum door close time in seconds"));
    lblNudging->setAccessibleDescription(QStringLiteral("Minimum nudging close time in seconds"));
    lblMinimumtime->setBuddy(lblMinimum);
    lblMinimumnudge->setBuddy(lblNudging);

    // The order of the Tab key; the boxes without a tab stop and the options of a group that
    // are not its stop are passed by.
    QWidget *const tabOrder[] = { txtWidth, txtWeight, txtWidthMetric, txtWeightMetric, cmdCalculate,
        cmdClear, opt1, opt2, opt3, opt4, optImperial, optMetric };
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void frmVelkora::connectHandlers()
{
    connect(optImperial, &OptionButton::Click, this, &frmVelkora::optImperial_Click);
    connect(optMetric, &OptionButton::Click, this, &frmVelkora::optMetric_Click);
    connect(opt1, &OptionButton::Click, this, &frmVelkora::opt1_Click);
    connect(opt2, &OptionButton::Click, this, &frmVelkora::opt2_Click);
    connect(opt3, &OptionButton::Click, this, &frmVelkora::opt3_Click);
    connect(opt4, &OptionButton::Click, this, &frmVelkora::opt4_Click);
    connect(txtWidth, &TextBox::Change, this, &frmVelkora::txtWidth_Change);
    connect(txtWeight, &TextBox::Change, this, &frmVelkora::txtWeight_Change);
    connect(txtWidthMetric, &TextBox::Change, this, &frmVelkora::txtWidthMetric_Change);
    connect(txtWeightMetric, &TextBox::Change, this, &frmVelkora::txtWeightMetric_Change);
    connect(cmdCalculate, &QPushButton::clicked, this, &frmVelkora::cmdCalculate_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmVelkora::cmdClear_Click);
}

void frmVelkora::Form_Load()
{
    blnImperial = true;
    optImperial->setForeColor(red);
    optMetric->setForeColor(black);
    setEntryPair(txtWidth, txtWeight, true);
    setEntryPair(txtWidthMetric, txtWeightMetric, false);
    emptyResults();
    if (const QScreen *screen = QApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
    optImperial->setValue(true);
}

void frmVelkora::optImperial_Click()
{
    enterEntryState(true);
}

void frmVelkora::optMetric_Click()
{
    enterEntryState(false);
}

void frmVelkora::enterEntryState(bool imperial)
{
    blnImperial = imperial;
    optImperial->setForeColor(imperial ? red : black);
    optMetric->setForeColor(imperial ? black : red);
    (imperial ? optImperial : optMetric)->setValue(true);
    setEntryPair(txtWidth, txtWeight, imperial);
    setEntryPair(txtWidthMetric, txtWeightMetric, !imperial);
    emptyResults();
    (imperial ? txtWidth : txtWidthMetric)->setFocus();
}

void frmVelkora::setEntryPair(TextBox *width, TextBox *weight, bool editable)
{
    const QColor &background = editable ? white : yellow;
    width->setBackColor(background);
    weight->setBackColor(background);
    width->setLocked(!editable);
    weight->setLocked(!editable);
    width->setTabStop(editable);
    weight->setTabStop(editable);
}

void frmVelkora::emptyResults()
{
    lblMinimum->setText(QString());
    lblNudging->setText(QString());
}

void frmVelkora::cmdCalculate_Click()
{
    // Any failure (a value beyond the double range) ends the command here; what was already
    // written stays.
    try {
        if (blnImperial) {
            txtWidthMetric->setText(toQt(inchesToMillimetres(toStd(txtWidth->text()))));
            txtWeightMetric->setText(toQt(poundsToKilograms(toStd(txtWeight->text()))));
        } else {
            txtWidth->setText(toQt(millimetresToInches(toStd(txtWidthMetric->text()))));
            txtWeight->setText(toQt(kilogramsToPounds(toStd(txtWeightMetric->text()))));
        }
        const double width = entryValue(toStd(txtWidth->text()));
        const double weight = entryValue(toStd(txtWeight->text()));

        if (!opt1->value() && !opt2->value() && !opt3->value() && !opt4->value())
            MsgBox(QStringLiteral("Door Type"), QStringLiteral("Please select a door type."),
                QMessageBox::Warning);
        if (opt1->value())
            doorBlock(opt1, DoorType::SideSingleSpeed, width, weight);
        if (opt2->value())
            doorBlock(opt2, DoorType::SideTwoSpeed, width, weight);
        if (opt3->value())
            doorBlock(opt3, DoorType::CenterSingleSpeed, width, weight);
        if (opt4->value())
            doorBlock(opt4, DoorType::CenterTwoSpeed, width, weight);
    } catch (const std::exception &) {
        MsgBox(QStringLiteral("What'd you do?"),
            QStringLiteral("An error has occurred...please continue working."), QMessageBox::NoIcon);
    }
}

void frmVelkora::doorBlock(OptionButton *option, DoorType type, double width, double weight)
{
    if (width <= 0 || weight <= 0) {
        MsgBox(QStringLiteral("Numbers Only"), QStringLiteral("Please enter a number in both fields."),
            QMessageBox::Warning);
        NumOnly();
        return;
    }
    // Both times are worked out before either is shown, so that a failure of the second never
    // leaves the first on screen alone. The nudging time comes from the close time as shown.
    const QString close = toQt(displayText(closeTime(type, width, weight)));
    const QString nudging = toQt(displayText(nudgingTime(captionValue(toStd(close)))));
    lblMinimum->setText(close);
    lblNudging->setText(nudging);
    option->setForeColor(red);
    cmdClear->setFocus();
}

void frmVelkora::NumOnly()
{
    TextBox *const width = blnImperial ? txtWidth : txtWidthMetric;
    TextBox *const weight = blnImperial ? txtWeight : txtWeightMetric;
    for (TextBox *box : { width, weight }) {
        if (entryValue(toStd(box->text())) == 0) {
            box->setText(QString());
            box->setFocus();
            return;
        }
    }
}

void frmVelkora::selectDoorType(OptionButton *option)
{
    if (!option->value())
        return;
    for (OptionButton *type : { opt1, opt2, opt3, opt4 })
        type->setForeColor(type == option ? red : black);
    emptyResults();
    cmdCalculate->setFocus();
}

void frmVelkora::opt1_Click()
{
    selectDoorType(opt1);
}

void frmVelkora::opt2_Click()
{
    selectDoorType(opt2);
}

void frmVelkora::opt3_Click()
{
    selectDoorType(opt3);
}

void frmVelkora::opt4_Click()
{
    selectDoorType(opt4);
}

void frmVelkora::txtWidth_Change()
{
    emptyResults();
}

void frmVelkora::txtWeight_Change()
{
    emptyResults();
}

void frmVelkora::txtWidthMetric_Change()
{
    emptyResults();
}

void frmVelkora::txtWeightMetric_Change()
{
    emptyResults();
}

void frmVelkora::cmdClear_Click()
{
    for (TextBox *box : { txtWidth, txtWeight, txtWidthMetric, txtWeightMetric })
        box->setText(QString());
    emptyResults();
    for (OptionButton *type : { opt1, opt2, opt3, opt4 })
        type->setValue(false);
    for (OptionButton *type : { opt1, opt2, opt3, opt4 })
        type->setForeColor(black);
}

void frmVelkora::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere but on a command button calculates; a focused button takes Enter itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        cmdCalculate->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
