// Shared pieces of the window tests: a clean data directory, and closing modal boxes and menus.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include "workspace/workspace.h"

namespace GuiTest {

// The window keeps its data directory beside the executable; each test starts without one.
inline QString dataDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/data/");
}

inline void removeDataDir()
{
    QDir dir(dataDir());
    dir.removeRecursively();
    QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/data"));
}

// The files in the data directory, without the lock a window holds while it runs.
inline QStringList dataFiles()
{
    QStringList files = QDir(dataDir()).entryList(QDir::Files);
    files.removeAll(QStringLiteral("table.lock"));
    return files;
}

// The data folder is chosen once per process, at the first window; made now, it is data/ beside the
// test, whatever a test later does to that folder. No test reaches the user's real data folder.
inline void keepDataBesideTest()
{
    QStandardPaths::setTestModeEnabled(true);
    if (!workspace)
        workspace = new Workspace;
}

struct BoxSeen
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    QStringList buttonTexts; // as shown, in the same order
    bool hasParent = false;
};

// While alive, answers every message box that opens with `answer` (NoButton rejects it, as the
// box's close control does) and closes any other dialog or pop-up menu, keeping what each box
// said. Polls from a timer because a box only becomes active inside its own event loop; checks are
// left to the test, so a failed one never leaves a box open.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                ++closed;
                popup->close();
                return;
            }
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            ++closed;
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box) {
                modal->close();
                return;
            }
            BoxSeen seen;
            seen.seen = true;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton *button : box->buttons()) {
                seen.buttons.append(box->standardButton(button));
                seen.buttonTexts.append(button->text());
            }
            seen.hasParent = box->parentWidget() != nullptr;
            boxes.append(seen);
            if (QAbstractButton *button = box->button(answer))
                button->click();
            else
                box->reject();
        });
        m_timer.start();
    }

    // The first box, or one that was never seen.
    BoxSeen first() const { return boxes.value(0); }

    QList<BoxSeen> boxes;
    int closed = 0; // boxes, other dialogs and menus

private:
    QTimer m_timer;
};

} // namespace GuiTest
