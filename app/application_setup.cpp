// Scaling, Qt's Chinese translation and the window icon, set on the application at start-up.
#include "app/application_setup.h"

#ifdef QUORBEL_DISPLAY_CHECK
#include "app/display_check.h"
#endif

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

void setUpScaling()
{
#ifdef Q_OS_WIN
    // Windows says how much to scale (125 %, 150 %) and Qt follows it.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
#elif defined(QUORBEL_DISPLAY_CHECK)
    // On X11 the desktop's scale is Xft.dpi: 144 is 150 %. Where no desktop set it, Qt would scale
    // by the screen's physical size (1.04 on a 100 dpi screen, blurred and larger than every other
    // program), so the usual 96 applies instead. QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS act
    // in both cases, and QT_FONT_DPI when set.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform.startsWith("xcb")) {
        if (desktopFontDpi() > 0)
            QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
        else if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
            qputenv("QT_FONT_DPI", "96");
    }
#endif
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    // 150 % stays 1.5 instead of being rounded to 2, so the window keeps its proportions on the
    // usual laptop setting.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

bool installQtTranslation(QCoreApplication *app)
{
    // Embedded by the build when the build machine has it; otherwise Qt's own installed copy.
    const QString name = QStringLiteral("qtbase_zh_CN");
    auto *translator = new QTranslator(app);
#ifdef QUORBEL_EMBEDDED_QT_TRANSLATION
    Q_INIT_RESOURCE(qt_translation);
    if (translator->load(name, QStringLiteral(":/translations")))
        return app->installTranslator(translator);
#endif
    if (translator->load(name, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        return app->installTranslator(translator);
    delete translator;
    return false;
}

QIcon applicationIcon()
{
    Q_INIT_RESOURCE(icons);
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/icons/quorbel-%1.png").arg(size), QSize(size, size));
    return icon;
}
