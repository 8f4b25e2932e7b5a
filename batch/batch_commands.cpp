// The window's batch commands: 批量添加…, 导入文本文件…, dropping a text file or naming it on the
// command line, and adding the previewed rows as one step.
#include "app/quorbel.h"

#include "batch/batch_dialog.h"
#include "batch/text_import.h"
#include "review/duplicate_marks.h"
#include "review/review_marks.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

namespace {

// The one local .txt file being dragged, or the empty string.
QString droppedTextFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().first();
    if (!url.isLocalFile()
        || QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive))
        return QString();
    return url.toLocalFile();
}

// Takes a text file dropped anywhere on the window.
class TextFileDrops final : public QObject
{
public:
    explicit TextFileDrops(Quorbel *window)
        : QObject(window)
        , m_window(window)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (droppedTextFile(drag->mimeData()).isEmpty())
                return QObject::eventFilter(watched, event);
            drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QString path = droppedTextFile(drop->mimeData());
            if (path.isEmpty())
                return QObject::eventFilter(watched, event);
            drop->acceptProposedAction();
            // The preview is modal; it opens once the drag has ended, not inside it.
            Quorbel *window = m_window;
            QTimer::singleShot(0, window, [window, path] { window->importBatchFile(path); });
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Quorbel *m_window;
};

} // namespace

void Quorbel::wireBatch()
{
    keepDuplicatesMarked(ui.tableWidget);

    auto *batchAction = new QAction(QStringLiteral("批量添加…"), this);
    batchAction->setObjectName(QStringLiteral("batchAddAction"));
    batchAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+V")));
    ui.menu_2->insertAction(ui.resortAction, batchAction);
    connect(batchAction, &QAction::triggered, this, [this] {
        const QString typed = ui.inputEdit->toPlainText();
        const QString text =
            typed.isEmpty() ? QGuiApplication::clipboard()->text(QClipboard::Clipboard) : typed;
        batchAdd(text);
    });

    auto *importAction = new QAction(QStringLiteral("导入文本文件…"), this);
    importAction->setObjectName(QStringLiteral("importTextAction"));
    importAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    ui.menu->insertAction(ui.exportAction, importAction);
    connect(importAction, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入文本文件"), QString(),
                                                          QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
        if (!path.isEmpty())
            importBatchFile(path);
    });

    // The input box's own menu, and the batch command under it.
    ui.inputEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.inputEdit, &QWidget::customContextMenuRequested, this, [this, batchAction](const QPoint &p) {
        QMenu *menu = ui.inputEdit->createStandardContextMenu(p);
        menu->addSeparator();
        menu->addAction(batchAction);
        menu->exec(ui.inputEdit->viewport()->mapToGlobal(p));
        delete menu;
    });

    // The two text boxes take dropped text themselves, a file's path among it; a text file dropped
    // on them is imported like one dropped anywhere else.
    setAcceptDrops(true);
    auto *drops = new TextFileDrops(this);
    installEventFilter(drops);
    ui.inputEdit->viewport()->installEventFilter(drops);
    ui.patternEdit->installEventFilter(drops);
}

void Quorbel::batchAdd(const QString &text, const QString &source)
{
    if (text.isEmpty()) {
        statusBar()->showMessage(QStringLiteral("输入框和剪贴板里都没有文字"), 5000);
        return;
    }
    const bool canInsert = ui.tableWidget->currentRow() >= 0;
    BatchDialog dialog(text, catalogue.fields(), tableRows(), canInsert, this);
    dialog.setSource(source);
    if (!dialog.prepare() || dialog.exec() != QDialog::Accepted)
        return;
    const QStringList texts = dialog.texts();
    addRecords(dialog.insertBefore() ? ui.tableWidget->currentRow() : -1, texts, dialog.reviews(),
               (source.isEmpty() ? QStringLiteral("批量添加 %1 条") : QStringLiteral("导入文本文件 %1 条"))
                   .arg(texts.size()));
    // The box's text is in the table now, as it is after 添加.
    if (!texts.isEmpty() && source.isEmpty() && ui.inputEdit->toPlainText() == text)
        ui.inputEdit->setPlainText(QString());
}

bool Quorbel::importBatchFile(const QString &path)
{
    ImportedText imported;
    QString errorText;
    if (!importTextFile(path, &imported, &errorText)) {
        QMessageBox::critical(this, QStringLiteral("导入文本文件"), errorText, QMessageBox::Ok);
        return false;
    }
    batchAdd(imported.text, QStringLiteral("%1（%2）").arg(QFileInfo(path).fileName(), imported.encoding));
    return true;
}

void Quorbel::importFileArgument(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return;
    QString path = arguments.at(1);
    // A desktop that hands over a URL instead of a path.
    if (path.startsWith(QLatin1String("file:")))
        path = QUrl(path).toLocalFile();
    // The preview is modal: it opens over the shown window, once the event loop runs.
    QTimer::singleShot(0, this, [this, path] { importBatchFile(path); });
}

void Quorbel::addRecords(int row, const QStringList &texts, const QList<RecordReview> &reviews,
                         const QString &stepText)
{
    if (texts.isEmpty())
        return;
    const int at = row < 0 || row > recordTable.size() ? recordTable.size() : row;
    QVector<TableRow> rows;
    rows.reserve(texts.size());
    for (int i = 0; i < texts.size(); ++i)
        rows.append(classifiedRow(texts.at(i), reviews.at(i)));
    const QString text = stepText.isEmpty() ? QStringLiteral("批量添加 %1 条").arg(texts.size()) : stepText;
    pushTableStep(text, TableChange::insertion(at, rows), [this, at] {
        if (catalogue.size() > 0) {
            ui.tableWidget->setCurrentCell(at, 0);
            ui.tableWidget->scrollToItem(ui.tableWidget->item(at, 0));
        }
    });
}
