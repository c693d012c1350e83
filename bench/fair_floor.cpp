// The fair floor for the start-up benchmark: the form's 23 controls as plain Qt widgets, built
// from the control table in the user's language, at their places, with their fonts, colours and
// texts, under the program's own application set-up, and nothing behind them: no form, no
// rules, no handlers, no fitting. What the window alone costs to show.
#include "window/application.h"
#include "window/control_table.h"
#include "window/qt/qtapplication.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <map>

namespace {

using namespace velkora;

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QRect pixels(const Twips &twips)
{
    return QRect(twipsToPixels(twips.left, 96), twipsToPixels(twips.top, 96),
        twipsToPixels(twips.width, 96), twipsToPixels(twips.height, 96));
}

void paint(QWidget *widget, QPalette::ColorRole role, Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(
        role, QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF)));
    widget->setPalette(palette);
}

} // namespace

int main(int argc, char *argv[])
{
    FontConfigurationLoader fonts;
    QApplication app(argc, argv);
    fonts.wait();
    setUpApplication(app);
    const auto &table = controlTableIn(chooseLanguage(preferredLanguages()));

    QWidget window;
    window.setWindowTitle(qText(windowCaption));
    window.setFixedSize(twipsToPixels(clientWidthTwips, 96), twipsToPixels(clientHeightTwips, 96));
    std::map<std::string_view, QWidget *> built;
    for (const ControlInfo &info : table) {
        QWidget *parent = info.container.empty() ? &window : built.at(info.container);
        const QString caption = qText(info.caption);
        QWidget *widget = nullptr;
        switch (info.kind) {
        case ControlKind::TextBox: {
            auto *box = new QLineEdit(parent);
            box->setPlaceholderText(qText(info.cue));
            widget = box;
            break;
        }
        case ControlKind::CommandButton:
            widget = new QPushButton(caption, parent);
            break;
        case ControlKind::Frame:
            widget = new QGroupBox(caption, parent);
            break;
        case ControlKind::OptionButton:
            widget = new QRadioButton(caption, parent);
            break;
        case ControlKind::Label: {
            auto *label = new QLabel(caption, parent);
            const Qt::Alignment across = info.alignment == Alignment::Right ? Qt::AlignRight
                : info.alignment == Alignment::Centre                       ? Qt::AlignHCenter
                                                                            : Qt::AlignLeft;
            label->setAlignment(across | (info.border ? Qt::AlignVCenter : Qt::AlignTop));
            if (info.border)
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            widget = label;
            break;
        }
        }
        widget->setGeometry(pixels(info.geometry));
        QFont font = QApplication::font();
        if (info.font.points > 0)
            font.setPixelSize(pointsToPixels(info.font.points, 96));
        font.setBold(info.font.bold);
        widget->setFont(font);
        if (info.backColor)
            paint(widget, QPalette::Base, *info.backColor);
        if (info.foreColor)
            paint(widget, QPalette::WindowText, *info.foreColor);
        if (!info.tooltip.empty())
            widget->setToolTip(qText(info.tooltip));
        if (!info.accessibleName.empty())
            widget->setAccessibleName(qText(info.accessibleName));
        built[info.name] = widget;
    }
    window.show();
    // The same picture as the program's: the caret in the first box.
    built.at(table.front().name)->setFocus();
    return app.exec();
}
