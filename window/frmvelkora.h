// The one window: the imperial and metric entry pairs, the door type and unit choices, the
// Calculate and Clear commands and the two result displays.
#pragma once

#include "window/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QWidget>

#include <functional>

namespace velkora {
enum class DoorType;
}

class frmVelkora : public QWidget
{
    Q_OBJECT

public:
    explicit frmVelkora(QWidget *parent = nullptr);

    // Brings the built window into imperial entry, shows it and puts the caret in the inch box.
    void Form_Load();
    // Empties and focuses the first entry box of the current pair whose value is 0.
    void NumOnly();

    // Shows a modal message box with one OK button. Tests may replace it to see what would
    // have been shown without running a modal loop.
    std::function<void(const QString &title, const QString &text, QMessageBox::Icon icon)> MsgBox;

    // True: the inch and pound boxes are the entry boxes; false: the millimetre and kilogram ones.
    bool blnImperial = false;

    velkora::TextBox *const txtWidth;
    velkora::TextBox *const txtWeight;
    velkora::TextBox *const txtWidthMetric;
    velkora::TextBox *const txtWeightMetric;
    velkora::CommandButton *const cmdCalculate;
    velkora::CommandButton *const cmdClear;
    QGroupBox *const Frame1;
    velkora::OptionButton *const opt1;
    velkora::OptionButton *const opt2;
    velkora::OptionButton *const opt3;
    velkora::OptionButton *const opt4;
    velkora::OptionButton *const optImperial;
    velkora::OptionButton *const optMetric;
    QLabel *const lblDwidth;
    QLabel *const lblDweight;
    QLabel *const Label1;
    QLabel *const Label2;
    QLabel *const Label3;
    QLabel *const Label4;
    QLabel *const lblMinimumtime;
    QLabel *const lblMinimum;
    QLabel *const lblMinimumnudge;
    QLabel *const lblNudging;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void optImperial_Click();
    void optMetric_Click();
    void cmdCalculate_Click();
    void cmdClear_Click();
    void opt1_Click();
    void opt2_Click();
    void opt3_Click();
    void opt4_Click();
    void txtWidth_Change();
    void txtWeight_Change();
    void txtWidthMetric_Change();
    void txtWeightMetric_Change();

    void buildControls();
    void connectHandlers();
    void emptyResults();
    // Imperial or metric entry: the flag, the unit captions and option, the pairs' colours,
    // locks and tab stops, emptied results, and the caret in the entry pair's width box.
    void enterEntryState(bool imperial);
    // Entry pair colours, locks and tab stops: white and editable, or yellow and locked.
    void setEntryPair(velkora::TextBox *width, velkora::TextBox *weight, bool editable);
    void doorBlock(velkora::OptionButton *option, velkora::DoorType type, double width, double weight);
    void selectDoorType(velkora::OptionButton *option);
};
