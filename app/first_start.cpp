// What an empty window shows a new user: placeholders in the boxes, a hint over each empty view,
// and the field templates in the 文件 menu.
#include "app/quorbel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// A grey line over an empty view naming the next step. Mouse events pass through, so a click or the
// context menu still reaches the view.
QLabel *addHint(QAbstractItemView *view, const QString &objectName)
{
    auto *hint = new QLabel(view->viewport());
    hint->setObjectName(objectName);
    hint->setAlignment(Qt::AlignCenter);
    hint->setWordWrap(true);
    hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = hint->palette();
    // On a view's viewport a label draws in the Text role, not WindowText: both are set.
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    palette.setColor(QPalette::Text, palette.color(QPalette::PlaceholderText));
    hint->setPalette(palette);
    auto *layout = new QVBoxLayout(view->viewport());
    layout->addWidget(hint);
    return hint;
}

// Runs `update` now and after every change of the view's rows or columns. The hint is the
// connections' context: they end with it, before the view's model goes at the window's destruction.
template<typename Update>
void followModel(QAbstractItemView *view, QLabel *hint, Update update)
{
    const QAbstractItemModel *model = view->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, hint, update);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, hint, update);
    QObject::connect(model, &QAbstractItemModel::columnsInserted, hint, update);
    QObject::connect(model, &QAbstractItemModel::columnsRemoved, hint, update);
    QObject::connect(model, &QAbstractItemModel::modelReset, hint, update);
    update();
}

} // namespace

void Quorbel::wireFirstStart()
{
    ui.patternEdit->setPlaceholderText(QStringLiteral("字段的正则表达式，可留空"));
    ui.inputEdit->setPlaceholderText(
        QStringLiteral("粘贴一个人的信息，例如：张三 男 13812345678 zhangsan@example.com"));

    QLabel *fieldsHint = addHint(ui.fieldsList, QStringLiteral("fieldsHint"));
    fieldsHint->setText(QStringLiteral("点击“添加字段”，或用“文件 → 字段模板”"));
    QListWidget *list = ui.fieldsList;
    followModel(list, fieldsHint, [list, fieldsHint] { fieldsHint->setVisible(list->count() == 0); });
    QLabel *tableHint = addHint(ui.tableWidget, QStringLiteral("tableHint"));
    QTableWidget *table = ui.tableWidget;
    followModel(table, tableHint, [table, tableHint] {
        tableHint->setText(table->columnCount() == 0
                               ? QStringLiteral("先在左侧添加字段，每个字段是表格的一列")
                               : QStringLiteral("在左下方粘贴一个人的信息，点击“添加”，这里就会多出一行"));
        tableHint->setVisible(table->rowCount() == 0);
    });

    wireFieldTemplates();
}
