// Scaling, Qt's Chinese translation and the window icon, set on the application at start-up.
#include "app/application_setup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

void setUpScaling()
{
#ifdef Q_OS_WIN
    // Windows says how much to scale (125 %, 150 %) and Qt follows it. On X11 Qt would take the
    // factor from the screen's physical size when no scale is set, so a 100 dpi screen would be
    // drawn 1.04 times too large and blurred; there the desktop's own settings act instead:
    // Xft.dpi sizes the fonts, QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS and
    // QT_ENABLE_HIGHDPI_SCALING scale the whole window.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
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
