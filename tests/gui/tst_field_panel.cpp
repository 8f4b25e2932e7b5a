// The field list panel through the real window: after every command the catalogue, the list, the
// table's columns with their cells and the field file must agree.
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "fields/known_fields.h"
#include "gui_test_helpers.h"
#include "tests/test_files.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString kFieldFile = QStringLiteral("fields.txt");

QByteArray fileBytes()
{
    return TestFiles::bytesOf(GuiTest::dataDir() + kFieldFile);
}

bool putFileBytes(const QByteArray &bytes)
{
    return TestFiles::putBytes(GuiTest::dataDir() + kFieldFile, bytes);
}

// Four fields; B has no pattern. Letters are the keys the table cells carry.
const QList<FieldDef> kFields = {
    { QStringLiteral("姓名"), QStringLiteral(R"(^[^\x00-\xff]{2,4}$)") },
    { QStringLiteral("备注"), QString() },
    { QStringLiteral("手机"), QStringLiteral(R"(^1\d{10}$)") },
    { QStringLiteral("年龄"), QStringLiteral(R"(^\d{1,2}$)") },
};
// Readable in a failure message.
QStringList described(const QList<FieldDef> &fields)
{
    QStringList result;
    for (const FieldDef &field : fields)
        result << field.name + QStringLiteral(" = ") + field.pattern;
    return result;
}

const QString kEmail =
    QStringLiteral(R"(^[A-Za-z\d]+([-_.][A-Za-z\d]+)*@([A-Za-z\d]+[-.])+[A-Za-z\d]{2,4}$)");

} // namespace

class TestFieldPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addAndRename();
    void editPattern();
    void deleteFields();
    void moves_data();
    void moves();
    void contextMenu();
    void fieldTemplates_data();
    void fieldTemplates();

private:
    // Catalogue, list, header labels, cells and file bytes; keys name each column's cells, '-' for none.
    void checkViews(const QList<FieldDef> &fields, const QString &keys);
    void useMenu(int row, const QString &entry, QPoint at = QPoint());
    void rename(int row, const QString &text, Qt::Key key = Qt::Key_Return);
    QLineEdit *editor() const { return m_list->viewport()->findChild<QLineEdit *>(); }

    QScopedPointer<Quorbel> m_window;
    QListWidget *m_list = nullptr;
    QTableWidget *m_table = nullptr;
    QLineEdit *m_pattern = nullptr;
    QStringList m_menuEntries;
    QWidget *m_lastMenuParent = nullptr;
    bool m_editorOpenedByMenu = false;
    QPoint m_lastMenuPos;
};

void TestFieldPanel::init()
{
    GuiTest::removeDataDir();
    QVERIFY(putFileBytes(fieldsToText(kFields).toUtf8()));
    m_window.reset(new Quorbel);
    m_list = m_window->findChild<QListWidget *>(QStringLiteral("fieldsList"));
    m_table = m_window->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    m_pattern = m_window->findChild<QLineEdit *>(QStringLiteral("patternEdit"));
    // Records by hand, cell text = row and field key; row 1 of B stays without an item.
    m_table->setRowCount(2);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (row != 1 || column != 1)
                m_table->setItem(row, column,
                                 new QTableWidgetItem(QString::number(row) + QChar('A' + column)));
        }
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
}

void TestFieldPanel::cleanup()
{
    m_window.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    GuiTest::removeDataDir();
}

void TestFieldPanel::checkViews(const QList<FieldDef> &fields, const QString &keys)
{
    QCOMPARE(described(m_window->fieldCatalogue().fields()), described(fields));
    QStringList names;
    for (const FieldDef &field : fields)
        names << field.name;
    QStringList listed;
    QStringList headers;
    for (int i = 0; i < m_list->count(); ++i) {
        listed << m_list->item(i)->text();
        QVERIFY(m_list->item(i)->flags() & Qt::ItemIsEditable);
    }
    QCOMPARE(listed, names);
    QCOMPARE(m_table->columnCount(), fields.size());
    for (int column = 0; column < m_table->columnCount(); ++column)
        headers << m_table->horizontalHeaderItem(column)->text();
    QCOMPARE(headers, names);
    for (int column = 0; column < keys.size(); ++column) {
        for (int row = 0; row < m_table->rowCount(); ++row) {
            const QTableWidgetItem *cell = m_table->item(row, column);
            const bool expected =
                keys.at(column) != QLatin1Char('-') && !(row == 1 && keys.at(column) == 'B');
            QCOMPARE(bool(cell), expected);
            if (cell)
                QCOMPARE(cell->text(), QString::number(row) + keys.at(column));
        }
    }
    QCOMPARE(fileBytes(), fieldsToText(fields).toUtf8());
}

void TestFieldPanel::fieldTemplates_data()
{
    QTest::addColumn<bool>("emptyFirst");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("answer"); // to the question asked before adding to existing fields
    QTest::addColumn<QStringList>("added");
    QTest::newRow("empty list: added without a question")
        << true << QStringLiteral("学生信息") << int(QMessageBox::Cancel)
        << QStringList { "姓名", "性别", "年龄", "学号", "班级", "专业", "学校", "手机", "邮箱", "身份证" };
    QTest::newRow("appended without the names already there")
        << false << QStringLiteral("收件人") << int(QMessageBox::Yes) << QStringList { "地址", "邮编" };
    QTest::newRow("cancelled") << false << QStringLiteral("学生信息") << int(QMessageBox::Cancel)
                               << QStringList();
}

void TestFieldPanel::fieldTemplates()
{
    QFETCH(bool, emptyFirst);
    QFETCH(QString, name);
    QFETCH(int, answer);
    QFETCH(QStringList, added);
    QList<FieldDef> fields = emptyFirst ? QList<FieldDef>() : kFields;
    QString keys = emptyFirst ? QString() : QStringLiteral("ABCD");
    while (emptyFirst && m_list->count() > 0) {
        m_list->setCurrentRow(0);
        m_window->slotFieldItemDelete();
    }
    const auto actions = m_window->findChild<QMenu *>(QStringLiteral("fieldTemplatesMenu"))->actions();
    const auto chosen =
        std::find_if(actions.begin(), actions.end(), [&](QAction *a) { return a->text() == name; });
    QVERIFY(chosen != actions.end());
    GuiTest::BoxAnswerer answerer { QMessageBox::StandardButton(answer) };
    (*chosen)->trigger();
    QCOMPARE(answerer.boxes.size(), emptyFirst ? 0 : 1);
    for (const QString &field : added) {
        fields.append({ field, presetPattern(field) });
        keys += QLatin1Char('-');
    }
    checkViews(fields, keys);
    if (!added.isEmpty())
        QCOMPARE(m_pattern->text(), presetPattern(added.first())); // the first new field is current
}

// Right-clicks entry `row` (or the point `at`) and picks `entry`; records what the menu showed.
void TestFieldPanel::useMenu(int row, const QString &entry, QPoint at)
{
    const QPoint pos = row >= 0 ? m_list->visualItemRect(m_list->item(row)).center() : at;
    QCursor::setPos(m_list->viewport()->mapToGlobal(pos));
    m_menuEntries.clear();
    m_lastMenuParent = nullptr;
    QTimer timer;
    timer.setInterval(0);
    connect(&timer, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        timer.stop();
        m_lastMenuParent = menu->parentWidget();
        m_lastMenuPos = menu->pos();
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            m_menuEntries << (action->isSeparator() ? QStringLiteral("|") : action->text())
                    + (action->isEnabled() ? QString() : QStringLiteral("(disabled)"));
            if (action->text() == entry)
                chosen = action;
        }
        if (chosen) {
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
            m_editorOpenedByMenu = editor() && editor()->isVisible();
        } else {
            menu->close();
        }
    });
    timer.start();
    QTest::mousePress(m_list->viewport(), Qt::RightButton, {}, pos);
    QTest::mouseRelease(m_list->viewport(), Qt::RightButton, {}, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, m_list->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(m_list->viewport(), &event);
    // Offscreen, a closed menu leaves no window active.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
}

// Clicks and double-clicks the entry, sets the editor's text and leaves the editor with `key`.
void TestFieldPanel::rename(int row, const QString &text, Qt::Key key)
{
    const QPoint pos = m_list->visualItemRect(m_list->item(row)).center();
    // QTest sends the double-click alone; the view wants the press before it.
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, pos);
    QLineEdit *edit = editor();
    QVERIFY(edit);
    // Typed Chinese arrives as a whole from the input method; QTest can only type ASCII.
    edit->setText(text);
    QTest::keyClick(edit, key);
    // The delegate commits through a queued call and then closes the editor.
    QTRY_VERIFY(!editor());
}

void TestFieldPanel::addAndRename()
{
    QList<FieldDef> fields = kFields;
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("addCol")), Qt::LeftButton);
    QVERIFY(editor());
    fields.append({ QStringLiteral("新字段"), QString() });
    checkViews(fields, QStringLiteral("ABCD-"));

    // Committing or cancelling without a change writes nothing. (Only a change of the current row
    // may write: the pattern box then shows another pattern and stores it back.)
    QVERIFY(putFileBytes("sentinel"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QTRY_VERIFY(!editor());
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {},
                      m_list->visualItemRect(m_list->item(4)).center());
    QVERIFY(putFileBytes("sentinel"));
    rename(4, QStringLiteral("x"), Qt::Key_Escape);
    rename(4, QStringLiteral("新字段"));
    QCOMPARE(m_list->item(4)->text(), QStringLiteral("新字段"));
    QCOMPARE(fileBytes(), QByteArray("sentinel"));

    rename(4, QStringLiteral("邮箱"));
    fields[4] = { QStringLiteral("邮箱"), kEmail };
    QCOMPARE(m_list->currentRow(), 4);
    QCOMPARE(m_pattern->text(), kEmail);
    checkViews(fields, QStringLiteral("ABCD-"));
    // The pattern is no longer empty, so the next name's preset is not applied.
    rename(4, QStringLiteral("学号"));
    fields[4].name = QStringLiteral("学号");
    checkViews(fields, QStringLiteral("ABCD-"));

    // The menu opens the entry's editor. (Offscreen, closing a menu leaves no active window, which
    // closes the editor unchanged, so the typing goes through a double-click.)
    useMenu(1, QStringLiteral("重命名"));
    QVERIFY(m_editorOpenedByMenu);
    QTRY_VERIFY(!editor());
    // A name without a preset leaves the empty pattern empty.
    rename(1, QStringLiteral("备注2"));
    fields[1].name = QStringLiteral("备注2");
    checkViews(fields, QStringLiteral("ABCD-"));

    // An emptied pattern takes the preset of the next new name; an empty name is taken as it is.
    m_list->setCurrentRow(2);
    m_pattern->clear();
    rename(2, QStringLiteral("手机号"));
    rename(3, QString());
    fields[2].name = QStringLiteral("手机号");
    fields[3].name.clear();
    checkViews(fields, QStringLiteral("ABCD-"));

    // A column added after the records moves without cells.
    useMenu(4, QStringLiteral("置顶"));
    fields.move(4, 0);
    checkViews(fields, QStringLiteral("-ABCD"));
}

void TestFieldPanel::editPattern()
{
    QList<FieldDef> fields = kFields;
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {},
                      m_list->visualItemRect(m_list->item(2)).center());
    QCOMPARE(m_pattern->text(), fields[2].pattern);
    // Saved on every keystroke.
    for (const QChar c : QStringLiteral("|^$")) {
        QTest::keyClick(m_pattern, c.toLatin1());
        fields[2].pattern += c;
        checkViews(fields, QStringLiteral("ABCD"));
    }
    // An invalid expression is stored like any other.
    m_pattern->setText(QStringLiteral("(["));
    fields[2].pattern = QStringLiteral("([");
    checkViews(fields, QStringLiteral("ABCD"));
    m_list->setCurrentRow(0);
    QCOMPARE(m_pattern->text(), fields[0].pattern);
    checkViews(fields, QStringLiteral("ABCD"));

    // A pattern over the engine's limits is stored too, and the box says why it is not used.
    const QColor usualBase = m_pattern->palette().color(QPalette::Base);
    m_pattern->setText(QStringLiteral("((a{1000}){1000}){1000}"));
    QVERIFY(m_pattern->toolTip().startsWith(QStringLiteral("表达式过于复杂，已停用：")));
    QVERIFY(m_pattern->palette().color(QPalette::Base) != usualBase);
    m_list->setCurrentRow(1);
    QCOMPARE(m_pattern->toolTip(), QString());
    QCOMPARE(m_pattern->palette().color(QPalette::Base), usualBase);
    // One that QRegExp takes but reads otherwise than meant: the tool tip says how to write it.
    m_pattern->setText(QStringLiteral(R"(^[\u4e00-\u9fa5]{2,4}$)"));
    QVERIFY(m_pattern->toolTip().contains(QStringLiteral(R"([\x4e00-\x9fa5])")));
    QVERIFY(m_pattern->palette().color(QPalette::Base) != usualBase);
    m_pattern->setText(QString());
    QCOMPARE(m_pattern->toolTip(), QString());
    m_list->setCurrentRow(0);
    QVERIFY(!m_pattern->toolTip().isEmpty());
    m_pattern->setText(QStringLiteral("(a{1000}){100}"));
    QCOMPARE(m_pattern->toolTip(), QString());
}

void TestFieldPanel::deleteFields()
{
    QList<FieldDef> fields = kFields;
    // The next entry becomes current, and the box must show its pattern, not that of the one after.
    useMenu(0, QStringLiteral("删除"));
    fields.removeFirst();
    checkViews(fields, QStringLiteral("BCD"));
    QCOMPARE(m_list->currentRow(), 0);
    QCOMPARE(m_pattern->text(), QString());

    // The last entry: the one above becomes current.
    useMenu(2, QStringLiteral("删除"));
    fields.removeLast();
    checkViews(fields, QStringLiteral("BC"));
    QCOMPARE(m_pattern->text(), fields[1].pattern);
    useMenu(0, QStringLiteral("删除"));
    checkViews({ fields[1] }, QStringLiteral("C"));
    useMenu(0, QStringLiteral("删除"));
    checkViews({}, QString());
    QCOMPARE(m_table->rowCount(), 2);

    // The only field is gone: the box keeps its pattern, and typing into it changes nothing.
    QCOMPARE(m_pattern->text(), kFields[2].pattern);
    QVERIFY(putFileBytes("sentinel"));
    QTest::keyClicks(m_pattern, QStringLiteral("x"));
    QCOMPARE(m_window->fieldCatalogue().size(), 0);
    QCOMPARE(fileBytes(), QByteArray("sentinel"));
}

void TestFieldPanel::moves_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys"); // order afterwards; unchanged means nothing may be written

    QTest::newRow("上移") << "上移" << 2 << "ACBD";
    QTest::newRow("上移 first") << "上移" << 0 << "ABCD";
    QTest::newRow("下移") << "下移" << 1 << "ACBD";
    QTest::newRow("下移 last") << "下移" << 3 << "ABCD";
    QTest::newRow("置顶") << "置顶" << 2 << "CABD";
    QTest::newRow("置顶 first") << "置顶" << 0 << "ABCD";
    QTest::newRow("置底") << "置底" << 1 << "ACDB";
    QTest::newRow("置底 from the top") << "置底" << 0 << "BCDA";
    QTest::newRow("置底 last") << "置底" << 3 << "ABCD";
}

void TestFieldPanel::moves()
{
    QFETCH(QString, entry);
    QFETCH(int, row);
    QFETCH(QString, keys);

    // Made current first: a change of the current row may write by itself.
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {},
                      m_list->visualItemRect(m_list->item(row)).center());
    QVERIFY(putFileBytes("sentinel"));
    useMenu(row, entry);
    QList<FieldDef> fields;
    for (const QChar key : keys)
        fields.append(kFields.at(key.unicode() - 'A'));
    if (keys == QLatin1String("ABCD")) {
        QCOMPARE(fileBytes(), QByteArray("sentinel"));
        QVERIFY(putFileBytes(fieldsToText(kFields).toUtf8()));
    }
    checkViews(fields, keys);
    const int moved = keys.indexOf(QChar('A' + row));
    QCOMPARE(m_list->currentRow(), moved);
    QCOMPARE(m_pattern->text(), fields.at(moved).pattern);
}

void TestFieldPanel::contextMenu()
{
    const QStringList entries { "重命名", "删除", "上移", "下移", "置顶", "置底" };
    useMenu(3, QString());
    QCOMPARE(m_menuEntries, entries);
    QCOMPARE(m_lastMenuParent, m_window.data());
    QCOMPARE(m_lastMenuPos, QCursor::pos());
    // The commands act on the entry under the pointer, which the press made current.
    QCOMPARE(m_list->currentRow(), 3);

    const QPoint below(5, m_list->visualItemRect(m_list->item(3)).bottom() + 20);
    QVERIFY(!m_list->itemAt(below));
    useMenu(-1, QString(), below);
    QVERIFY(m_menuEntries.isEmpty());
    checkViews(kFields, QStringLiteral("ABCD"));
}

QTEST_MAIN(TestFieldPanel)
#include "tst_field_panel.moc"
