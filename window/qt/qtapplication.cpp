#include "window/qt/qtapplication.h"

#include "window/application.h"
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/identity.h"
#include "window/qt/qtwindow.h"

#include <QApplication>
#include <QList>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#if VELKORA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace velkora {

std::vector<std::string> preferredLanguages()
{
    // On Linux: LANGUAGE, else LC_ALL, LC_MESSAGES or LANG, as gettext reads them.
    std::vector<std::string> languages;
    for (const QString &language : QLocale::system().uiLanguages())
        languages.push_back(language.toStdString());
    return languages;
}

FontConfigurationLoader::FontConfigurationLoader()
{
#if VELKORA_HAVE_FONTCONFIG
    loader = std::thread([] { FcInit(); });
#endif
}

FontConfigurationLoader::~FontConfigurationLoader()
{
    wait();
}

void FontConfigurationLoader::wait()
{
    if (loader.joinable())
        loader.join();
}

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QLatin1String(identity::name));
    QApplication::setApplicationVersion(QLatin1String(identity::version));
    QApplication::setDesktopFileName(QLatin1String(identity::applicationId));

    // Fusion honours palette colours on every platform, so the yellow boxes and red captions
    // show whatever the desktop's own style would do with them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());

    // "MS Sans Serif" where it is installed, else the first of its metric-compatible
    // substitutes that is. Asking for a face that is there spares the font system a search for
    // fallbacks of one that is not.
    const QStringList substitutes { QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("Liberation Sans"), QStringLiteral("Arial") };
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), substitutes);
    QString family = QStringLiteral("MS Sans Serif");
    for (const QString &candidate : QStringList { family } + substitutes) {
        if (QFontDatabase::hasFamily(candidate)) {
            family = candidate;
            break;
        }
    }
    // The window's default font, set before any widget lays out text, so that no other face is
    // ever loaded; the form's other fonts are sizes and weights of it.
    QFont dialogFont(family);
    dialogFont.setPixelSize(dialogFontPixels);
    QApplication::setFont(dialogFont);

    // The two sizes a title bar and a task bar use (also at 200 %); the larger images are for
    // the desktop's icon theme, and decoding them here would only slow the start.
    QIcon icon;
    icon.addFile(QStringLiteral(":/velkora/velkora-16.png"));
    icon.addFile(QStringLiteral(":/velkora/velkora-32.png"));
    app.setWindowIcon(icon);
}

namespace {

    constexpr char noDisplay[] = "velkora: cannot open a window: no display to show it on (DISPLAY or "
                                 "WAYLAND_DISPLAY is not set, or nothing answers there); start it from a "
                                 "desktop session, or set DISPLAY to a running X server\n";

    // What Qt says while it connects to the display: kept until it is known whether the window
    // can open at all. When it cannot, the one line above says why instead.
    QList<std::pair<QtMsgType, QString>> *startMessages = nullptr;

    void holdStartMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtFatalMsg) {
            std::fputs(noDisplay, stderr);
            std::_Exit(1);
        }
        if (startMessages)
            startMessages->append({ type, message });
    }

} // namespace

int run(frmVelkora &form, int argc, char *argv[])
{
    const bool anyDisplay = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (!anyDisplay) {
        std::fputs(noDisplay, stderr);
        return 1;
    }
    // On a Wayland desktop the window is native there; X is the fallback where Qt's Wayland
    // support is not installed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");

    FontConfigurationLoader fonts;
    QList<std::pair<QtMsgType, QString>> held;
    startMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(holdStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    startMessages = nullptr;
    for (const auto &[type, message] : held)
        qt_message_output(type, QMessageLogContext(), message);
    fonts.wait();
    setUpApplication(app);
    QtWindow window(form);
    form.Form_Load();
    return app.exec();
}

} // namespace velkora
