// What the application object gets before the window opens: the scaling rules, Qt's own texts in
// Chinese and the program's icon.
#pragma once

class QCoreApplication;
class QIcon;

// Chooses how the window is scaled; must run before the application object exists.
void setUpScaling();

// Installs Qt's Chinese translation on the application, so the standard buttons, the text boxes'
// context menus and the file dialog speak the window's language. False when none could be loaded.
bool installQtTranslation(QCoreApplication *app);

// The program's icon in every size it is drawn at, for the window and the taskbar.
QIcon applicationIcon();
