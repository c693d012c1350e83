#include "window/application.h"
#include "window/identity.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

namespace velkora {

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QLatin1String(identity::name));
    QApplication::setApplicationVersion(QLatin1String(identity::version));
    QApplication::setDesktopFileName(QLatin1String(identity::applicationId));

    // Fusion honours palette colours on every platform, so the yellow boxes and red captions
    // show whatever the desktop's own style would do with them.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());

    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
        { QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial") });

    QIcon icon;
    for (const char *size : { "16", "32", "48", "256" })
        icon.addFile(QStringLiteral(":/velkora/velkora-%1.png").arg(QLatin1String(size)));
    app.setWindowIcon(icon);
}

} // namespace velkora
