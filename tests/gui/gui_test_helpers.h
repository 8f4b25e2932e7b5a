// Shared pieces of the window tests: a clean data directory, and closing modal boxes and menus.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

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

struct BoxSeen
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

// Answers the next message box with `answer` once it is shown, recording what it said.
// Polls from a timer because the box only becomes active inside its own event loop.
inline void answerNextBox(QMessageBox::StandardButton answer, BoxSeen *seen)
{
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            seen->buttons.append(box->standardButton(b));
        if (answer == QMessageBox::NoButton)
            box->reject();
        else
            box->button(answer)->click();
    });
    timer->start();
}

// While alive, closes every modal box and pop-up menu that opens; counts them.
class ModalCloser
{
public:
    ModalCloser()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                ++closed;
                popup->close();
            } else if (QWidget *modal = QApplication::activeModalWidget()) {
                ++closed;
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    box->reject();
                else
                    modal->close();
            }
        });
        m_timer.start();
    }
    int closed = 0;

private:
    QTimer m_timer;
};

} // namespace GuiTest
