// The field list's delegate: what it reports on commit and on cancel, and when.
#include "app/list_item_delegate.h"

#include <QtTest>
#include <QtWidgets>

class TestListItemDelegate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commitEmitsBeforeWriting();
    void unchangedCommitStillEmits();
    void escapeEmitsNothing();
    void singleClickDoesNotEdit();

private:
    QLineEdit *openEditor(int row);

    QListWidget *m_list = nullptr;
    ListItemDelegate *m_delegate = nullptr;
    QList<QStringList> m_emitted; // row, new text, item text at emission
};

void TestListItemDelegate::init()
{
    m_list = new QListWidget;
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked);
    m_delegate = new ListItemDelegate(m_list);
    m_list->setItemDelegate(m_delegate);
    for (const char *name : { "姓名", "手机" }) {
        auto *item = new QListWidgetItem(QString::fromUtf8(name), m_list);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    m_emitted.clear();
    connect(m_delegate, &ListItemDelegate::signalTextModified, this, [this](int row, const QString &text) {
        m_emitted.append({ QString::number(row), text, m_list->item(row)->text() });
    });
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void TestListItemDelegate::cleanup()
{
    delete m_list;
    m_list = nullptr;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QLineEdit *TestListItemDelegate::openEditor(int row)
{
    m_list->setCurrentRow(row);
    m_list->editItem(m_list->item(row));
    return m_list->viewport()->findChild<QLineEdit *>();
}

void TestListItemDelegate::commitEmitsBeforeWriting()
{
    QLineEdit *editor = openEditor(1);
    QVERIFY(editor);
    editor->setText(QStringLiteral("手机号"));
    QTest::keyClick(editor, Qt::Key_Return);

    // The view commits through a queued call.
    QTRY_COMPARE(m_emitted.size(), 1);
    QCOMPARE(m_emitted.first(), QStringList({ "1", "手机号", "手机" }));
    QCOMPARE(m_list->item(1)->text(), QStringLiteral("手机号"));
    QCOMPARE(m_list->item(0)->text(), QStringLiteral("姓名"));
}

void TestListItemDelegate::unchangedCommitStillEmits()
{
    QLineEdit *editor = openEditor(0);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Enter);
    QTRY_COMPARE(m_emitted.size(), 1);
    QCOMPARE(m_emitted.first(), QStringList({ "0", "姓名", "姓名" }));
}

void TestListItemDelegate::escapeEmitsNothing()
{
    QLineEdit *editor = openEditor(0);
    QVERIFY(editor);
    editor->setText(QStringLiteral("别的"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!m_list->viewport()->findChild<QLineEdit *>());
    QTest::qWait(20);
    QVERIFY(m_emitted.isEmpty());
    QCOMPARE(m_list->item(0)->text(), QStringLiteral("姓名"));
}

void TestListItemDelegate::singleClickDoesNotEdit()
{
    const QRect rect = m_list->visualItemRect(m_list->item(0));
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::keyClick(m_list, Qt::Key_F2);
    QTest::keyClick(m_list, Qt::Key_A);
    QVERIFY(!m_list->viewport()->findChild<QLineEdit *>());

    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY(m_list->viewport()->findChild<QLineEdit *>());
}

QTEST_MAIN(TestListItemDelegate)
#include "tst_list_item_delegate.moc"
