#include "window/qt/qtwindow.h"

#include "window/application.h"
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/qt/qtcontrols.h"
#include "window/qt/qtdataplate.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace velkora {

namespace {

    // The layout is in pixels at 96 dots per inch; Qt scales it to the screen.
    constexpr int layoutDpi = 96;

    QRect pixels(const Twips &twips)
    {
        return QRect(twipsToPixels(twips.left, layoutDpi), twipsToPixels(twips.top, layoutDpi),
            twipsToPixels(twips.width, layoutDpi), twipsToPixels(twips.height, layoutDpi));
    }

    QColor qColour(Colour colour)
    {
        return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    }

    QString qText(std::string_view text)
    {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

    // The application's "MS Sans Serif" (or its substitute) at the table's size and weight.
    QFont tableFont(const Font &font)
    {
        QFont qfont = QApplication::font();
        if (font.points > 0)
            qfont.setPixelSize(pointsToPixels(font.points, layoutDpi));
        qfont.setBold(font.bold);
        return qfont;
    }

    Qt::Alignment qAlignment(Alignment alignment)
    {
        switch (alignment) {
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Left:
            break;
        }
        return Qt::AlignLeft;
    }

    void setPaletteColour(QWidget *widget, std::initializer_list<QPalette::ColorRole> roles, Colour colour)
    {
        // A widget given a palette is polished and painted anew: only a colour that changes is set.
        const QColor wanted = qColour(colour);
        const QPalette &now = widget->palette();
        if (std::all_of(roles.begin(), roles.end(), [&](QPalette::ColorRole role) { return now.color(role) == wanted; }))
            return;
        QPalette palette = widget->palette();
        for (QPalette::ColorRole role : roles)
            palette.setColor(role, wanted);
        widget->setPalette(palette);
    }

} // namespace

QtWindow::QtWindow(frmVelkora &form, QWidget *parent)
    : QWidget(parent)
    , form(form)
{
    setObjectName(QStringLiteral("frmVelkora"));
    setWindowTitle(qText(windowCaption));
    setFixedSize(twipsToPixels(clientWidthTwips, layoutDpi), twipsToPixels(clientHeightTwips, layoutDpi));

    for (Control *control : form.controls())
        bindings.push_back({ control, build(*control) });
    for (const Binding &binding : bindings)
        bind(*binding.control, binding.widget);

    // The order of the Tab key follows the table; controls that are no stop are passed by.
    std::vector<Binding> order = bindings;
    std::stable_sort(order.begin(), order.end(), [](const Binding &a, const Binding &b) {
        return a.control->info.tabIndex < b.control->info.tabIndex;
    });
    QWidget *previous = nullptr;
    for (const Binding &binding : order) {
        if (binding.widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, binding.widget);
        previous = binding.widget;
    }

    auto *openPlateKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(openPlateKey, &QShortcut::activated, this, &QtWindow::openPlate);

    form.onShow = [this] { showOnScreen(); };
    form.MsgBox = [this](const std::string &title, const std::string &text, MessageIcon icon) {
        QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
            qText(title), qText(text), QMessageBox::Ok, this);
        box.exec();
        // Under the application's own palette every new widget gets a palette of its own, and
        // the style caches the pictures of each box's button under it: without this, every
        // message box shown would leave some 20 kB in the pixmap cache.
        QPixmapCache::clear();
    };
}

QWidget *QtWindow::build(Control &control)
{
    const ControlInfo &info = control.info;
    QWidget *const parent = info.container.empty() ? this : widget(info.container);
    const QString caption = qText(info.caption);
    QWidget *widget = nullptr;
    switch (info.kind) {
    case ControlKind::TextBox:
        widget = new EntryWidget(info.font.points, parent);
        break;
    case ControlKind::CommandButton:
        widget = new ButtonWidget(caption, parent);
        break;
    case ControlKind::Frame:
        widget = new QGroupBox(caption, parent);
        break;
    case ControlKind::OptionButton:
        widget = new OptionWidget(caption, parent);
        break;
    case ControlKind::Label: {
        auto *label = info.border ? new ResultWidget(info.font.points, parent) : new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(qAlignment(info.alignment) | (info.border ? Qt::AlignVCenter : Qt::AlignTop));
        if (info.border) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        widget = label;
        break;
    }
    }
    widget->setObjectName(qText(info.name));
    widget->setGeometry(pixels(info.geometry));
    widget->setFont(tableFont(info.font));
    fitCaption(widget, info);
    if (!info.tooltip.empty())
        widget->setToolTip(qText(info.tooltip));
    if (!info.accessibleName.empty())
        widget->setAccessibleName(qText(info.accessibleName));
    if (!info.accessibleDescription.empty())
        widget->setAccessibleDescription(qText(info.accessibleDescription));
    return widget;
}

void QtWindow::fitCaption(QWidget *widget, const ControlInfo &info)
{
    if (info.caption.empty() || info.border)
        return;
    const QString caption = qText(shownCaption(info.caption));
    QRect room = widget->contentsRect();
    if (auto *option = dynamic_cast<OptionWidget *>(widget)) {
        room = option->captionRect();
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QStyleOptionButton style;
        style.initFrom(button);
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &style, button);
    } else if (qobject_cast<QGroupBox *>(widget)) {
        // A frame's caption stands on one line over its top edge, between two short ends of it.
        room = QRect(0, 0, widget->width() - 16, QFontMetrics(widget->font()).lineSpacing());
    }
    velkora::fitCaption(widget, caption, fontPoints(info.font), room);
}

QWidget *QtWindow::widget(std::string_view name) const
{
    const auto found = std::find_if(bindings.begin(), bindings.end(), [name](const Binding &b) {
        return b.control->info.name == name;
    });
    return found == bindings.end() ? nullptr : found->widget;
}

void QtWindow::bind(Control &control, QWidget *widget)
{
    if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        auto &textBox = static_cast<TextBox &>(control);
        connect(box, &QLineEdit::textEdited, this, [&textBox](const QString &text) {
            textBox.edit(text.toStdString());
        });
    } else if (auto *option = dynamic_cast<OptionWidget *>(widget)) {
        auto &optionButton = static_cast<OptionButton &>(control);
        connect(option, &QAbstractButton::clicked, this, [&optionButton] { optionButton.click(); });
        option->accessKeyPressed = [this, &control] { form.pressAccessKey(accessKey(control.info.caption)); };
        option->arrowPressed = [this, &optionButton](int step) { form.pressArrow(optionButton, step); };
    } else if (auto *button = dynamic_cast<ButtonWidget *>(widget)) {
        auto &commandButton = static_cast<CommandButton &>(control);
        connect(button, &QAbstractButton::clicked, this, [&commandButton] { commandButton.click(); });
        button->accessKeyPressed = [this, &control] { form.pressAccessKey(accessKey(control.info.caption)); };
        if (control.info.name == "cmdCalculate")
            button->setDefault(true);
    } else if (auto *label = qobject_cast<QLabel *>(widget); label && !control.info.labelFor.empty()) {
        label->setBuddy(this->widget(control.info.labelFor));
    }
    widget->installEventFilter(this);

    control.onChanged = [this, &control, widget](Property property) { showProperty(control, widget, property); };
    for (Property property : { Property::Text, Property::Caption, Property::Value, Property::ForeColor,
             Property::BackColor, Property::Locked, Property::TabStop })
        showProperty(control, widget, property);
}

void QtWindow::showProperty(const Control &control, QWidget *widget, Property property)
{
    switch (property) {
    case Property::Text:
        // A text the user typed is there already; one the program wrote is shown to fit.
        if (auto *box = dynamic_cast<EntryWidget *>(widget)) {
            const QString text = QString::fromStdString(static_cast<const TextBox &>(control).text());
            if (box->text() != text)
                box->showWrittenText(text);
        }
        break;
    case Property::Caption:
        if (auto *result = dynamic_cast<ResultWidget *>(widget))
            result->showCaption(QString::fromStdString(static_cast<const Label &>(control).caption()));
        else if (auto *label = qobject_cast<QLabel *>(widget))
            label->setText(QString::fromStdString(static_cast<const Label &>(control).caption()));
        break;
    case Property::Value:
        if (auto *option = dynamic_cast<OptionWidget *>(widget))
            option->setChecked(static_cast<const OptionButton &>(control).value());
        break;
    case Property::ForeColor:
        if (control.info.kind == ControlKind::OptionButton)
            setPaletteColour(widget, { QPalette::WindowText, QPalette::ButtonText },
                static_cast<const OptionButton &>(control).foreColor());
        break;
    case Property::BackColor:
        if (control.info.kind == ControlKind::TextBox)
            setPaletteColour(widget, { QPalette::Base }, static_cast<const TextBox &>(control).backColor());
        break;
    case Property::Locked:
        if (auto *box = qobject_cast<QLineEdit *>(widget)) {
            const auto &textBox = static_cast<const TextBox &>(control);
            box->setReadOnly(textBox.locked());
            box->setPlaceholderText(qText(textBox.cue()));
        }
        break;
    case Property::TabStop:
        if (control.info.kind != ControlKind::Label && control.info.kind != ControlKind::Frame)
            widget->setFocusPolicy(control.tabStop() ? Qt::StrongFocus : Qt::ClickFocus);
        break;
    case Property::Focus:
        if (control.hasFocus() && !widget->hasFocus())
            widget->setFocus(Qt::OtherFocusReason);
        break;
    }
}

void QtWindow::addPlateCommands(QMenu *menu, bool byKeyboard)
{
    const Language &language = form.textLanguage();
    const auto tr = [&language](std::string_view english) { return qText(translate(language, english)); };
    QAction *add = menu->addAction(tr(addToPlateCommand), this, &QtWindow::addToPlate);
    // Opened from the keyboard, the menu starts on its first command of the form, so that
    // Enter chooses it.
    if (byKeyboard)
        QTimer::singleShot(0, menu, [menu, add] { menu->setActiveAction(add); });
    menu->addAction(tr(openPlateCommand), QKeySequence(Qt::CTRL | Qt::Key_D), this, &QtWindow::openPlate);
    menu->addSeparator();
    menu->addAction(tr(aboutCommand), this, &QtWindow::about);
}

void QtWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("formMenu"));
    addPlateCommands(&menu, event->reason() == QContextMenuEvent::Keyboard);
    menu.exec(event->globalPos());
}

void QtWindow::addToPlate()
{
    addToDataPlate(form, plate);
    if (plateView)
        plateView->refresh();
}

void QtWindow::openPlate()
{
    if (!plateView)
        plateView = new QtDataPlate(form, plate, this);
    plateView->refresh();
    plateView->show();
    plateView->raise();
    plateView->activateWindow();
}

void QtWindow::about()
{
    const Language &language = form.textLanguage();
    QMessageBox::about(this, qText(aboutTitle(language)), qText(aboutText(language)));
    QPixmapCache::clear();
}

bool QtWindow::eventFilter(QObject *watched, QEvent *event)
{
    // An entry box's own menu (undo, copy, paste...) carries the form's commands too.
    if (event->type() == QEvent::ContextMenu) {
        if (auto *box = qobject_cast<QLineEdit *>(watched)) {
            auto *menuEvent = static_cast<QContextMenuEvent *>(event);
            std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            menu->setObjectName(QStringLiteral("formMenu"));
            menu->addSeparator();
            addPlateCommands(menu.get(), menuEvent->reason() == QContextMenuEvent::Keyboard);
            menu->exec(menuEvent->globalPos());
            return true;
        }
    }
    // The user moved the focus (Tab, a click): the form follows.
    if (event->type() == QEvent::FocusIn) {
        for (const Binding &binding : bindings) {
            if (binding.widget == watched)
                binding.control->SetFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QtWindow::keyPressEvent(QKeyEvent *event)
{
    // Shift+F10 opens the focused control's context menu, as the Menu key does.
    if (event->key() == Qt::Key_F10 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        const QPoint inside = target->rect().center();
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, inside, target->mapToGlobal(inside));
        QApplication::sendEvent(target, &menuEvent);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        form.pressEnter();
        return;
    }
    QWidget::keyPressEvent(event);
}

void QtWindow::showOnScreen()
{
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const Origin origin = centredOrigin(width(), height(), area.x(), area.y(), area.width(), area.height());
        if (width() <= area.width() && height() <= area.height())
            setGeometry(origin.x, origin.y, width(), height());
        else
            move(origin.x, origin.y); // the frame's corner: the title bar stays on the screen too
    }
    QWidget::show();
}

} // namespace velkora
