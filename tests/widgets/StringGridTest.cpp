#include "widgets/StringGrid.h"
#include "StyledCells.h"
#include "widgets/StringGridModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace Qt::StringLiterals;
using namespace verbaria;

// Rows of test::FillDocument: 1 section, 2 and 3 components, 4 comment, 5 message, 6 section.
class StringGridTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingOpensTheEditorAndEveryKeystrokeReachesTheCell();
    void enterEndsTheEditAndAdvancesToTheNextEditableCell();
    void enterAfterTheLastEditableCellAppendsARow();
    void escapePutsTheOldTextBackAndRaisesNothing();
    void movingToAnotherCellEndsTheEdit();
    void cellsThatAreNotEditableRefuseEditing();
    void theHeadingRowIsNeverCurrent();
    void everyChangeOfTheCurrentCellIsAnnounced();
    void cellsAreDrawnInTheirColoursAndTheCurrentOneHighlighted();
    void rowsAndColumnsHaveTheirDefaultSizes();
    void charactersOutsideTheCodePageAreRefusedAndReported();
    void aRealWarningBoxClosedAnyWayLeavesTheEditorOpen();
    void pastedLineBreaksBecomeBlanks();
    void enterThroughTheWindowEndsEachEditOnce();
    void aMillionRowsOpenAndEditAtTheEnd();

private:
    void type(const QString &text);
    void press(Qt::Key key);
    void clickCell(int column, int row, bool twice = false);
    QLineEdit *editor() const;

    std::unique_ptr<GridCells> cells_;
    std::unique_ptr<StringGrid> grid_;
};

void StringGridTest::init()
{
    cells_ = std::make_unique<GridCells>();
    test::FillDocument(*cells_);
    grid_ = std::make_unique<StringGrid>();
    grid_->setObjectName(u"gridJazyk"_s);
    grid_->SetCells(*cells_);
    grid_->resize(420, 300);
    grid_->SetDefaultColumnWidth(190);
    grid_->show();
    grid_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(grid_.get()));
    grid_->setFocus();
}

void StringGridTest::cleanup()
{
    grid_.reset();
    cells_.reset();
}

void StringGridTest::type(const QString &text)
{
    // Each key goes where a real one would: to the grid, or to its editor once that is open.
    for (const QChar character : text) {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        if (character.unicode() < 0x80)
            QTest::keyClick(target, static_cast<char>(character.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

void StringGridTest::press(Qt::Key key)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key);
}

void StringGridTest::clickCell(int column, int row, bool twice)
{
    const QPoint centre = grid_->visualRect(grid_->GridModel()->IndexOfCell(column, row)).center();
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, centre);
    if (twice) // the second press of a double click comes as the double-click event
        QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, centre);
}

QLineEdit *StringGridTest::editor() const
{
    return qobject_cast<QLineEdit *>(QApplication::focusWidget());
}

void StringGridTest::typingOpensTheEditorAndEveryKeystrokeReachesTheCell()
{
    QSignalSpy afterEdit(grid_.get(), &StringGrid::AfterEdit);
    QVERIFY(grid_->SetCurrentCell(1, 2));
    type(u"O"_s);
    QVERIFY(grid_->IsEditing());
    QVERIFY(editor());
    // The typed character replaces the old text ("File"), as in any grid.
    QCOMPARE(cells_->Text(1, 2), std::string("O"));
    type(u"pe"_s);
    QCOMPARE(cells_->Text(1, 2), std::string("Ope"));
    press(Qt::Key_Backspace);
    QCOMPARE(cells_->Text(1, 2), std::string("Op"));
    type(u"en ěš"_s);
    QCOMPARE(cells_->Text(1, 2), std::string("Open \xec\x9a"));
    QCOMPARE(editor()->text(), u"Open ěš"_s);
    QCOMPARE(afterEdit.size(), 0); // the edit has not ended yet

    // F2 and a double click open the editor on the old text too.
    press(Qt::Key_Escape);
    press(Qt::Key_F2);
    QVERIFY(grid_->IsEditing());
    QCOMPARE(editor()->text(), u"File"_s);
    press(Qt::Key_Escape);
    clickCell(1, 3, true);
    QVERIFY(grid_->IsEditing());
    QCOMPARE(grid_->CurrentRow(), 3);
}

void StringGridTest::enterEndsTheEditAndAdvancesToTheNextEditableCell()
{
    QSignalSpy afterEdit(grid_.get(), &StringGrid::AfterEdit);
    QVERIFY(grid_->SetCurrentCell(1, 2));
    type(u"a"_s);
    press(Qt::Key_Return);
    QCOMPARE(afterEdit.size(), 1);
    QCOMPARE(afterEdit.at(0), (QList<QVariant>{1, 2}));
    QCOMPARE(cells_->Text(1, 2), std::string("a"));
    // The left cell of row 3 is not editable: on to the right one, with its editor open.
    QCOMPARE(grid_->CurrentColumn(), 1);
    QCOMPARE(grid_->CurrentRow(), 3);
    QVERIFY(grid_->IsEditing());

    type(u"b"_s);
    press(Qt::Key_Enter);
    QCOMPARE(afterEdit.size(), 2);
    QCOMPARE(afterEdit.at(1), (QList<QVariant>{1, 3}));
    // Past the comment row 4 to the message row 5.
    QCOMPARE(grid_->CurrentRow(), 5);
    QCOMPARE(grid_->CurrentColumn(), 1);
    QVERIFY(grid_->IsEditing());

    // From a left cell the next cell is the right one of the same row.
    press(Qt::Key_Escape);
    cells_->SetEditable(0, 5, true);
    QVERIFY(grid_->SetCurrentCell(0, 5));
    type(u"c"_s);
    press(Qt::Key_Return);
    QCOMPARE(afterEdit.at(2), (QList<QVariant>{0, 5}));
    QCOMPARE(grid_->CurrentColumn(), 1);
    QCOMPARE(grid_->CurrentRow(), 5);
}

void StringGridTest::enterAfterTheLastEditableCellAppendsARow()
{
    QSignalSpy afterEdit(grid_.get(), &StringGrid::AfterEdit);
    const int rows = cells_->RowCount();
    QVERIFY(grid_->SetCurrentCell(1, 5));
    type(u"x"_s);
    press(Qt::Key_Return);
    QCOMPARE(afterEdit.size(), 1);
    QCOMPARE(cells_->RowCount(), rows + 1);
    QCOMPARE(grid_->CurrentColumn(), 1);
    QCOMPARE(grid_->CurrentRow(), rows);
    QVERIFY(grid_->IsEditing());
    QCOMPARE(cells_->Text(0, rows), std::string());
    QCOMPARE(cells_->Text(1, rows), std::string());
    QCOMPARE(grid_->GridModel()->rowCount(), rows);

    // Enter on the appended row appends one more.
    type(u"y"_s);
    press(Qt::Key_Return);
    QCOMPARE(afterEdit.at(1), (QList<QVariant>{1, rows}));
    QCOMPARE(cells_->Text(1, rows), std::string("y"));
    QCOMPARE(cells_->RowCount(), rows + 2);
    QCOMPARE(grid_->CurrentRow(), rows + 1);
}

void StringGridTest::escapePutsTheOldTextBackAndRaisesNothing()
{
    QSignalSpy afterEdit(grid_.get(), &StringGrid::AfterEdit);
    cells_->SetText(1, 2, "P\xf8\xedli\x9a");
    QVERIFY(grid_->SetCurrentCell(1, 2));
    type(u"new text"_s);
    QCOMPARE(cells_->Text(1, 2), std::string("new text"));
    press(Qt::Key_Escape);
    QVERIFY(!grid_->IsEditing());
    QCOMPARE(cells_->Text(1, 2), std::string("P\xf8\xedli\x9a"));
    QCOMPARE(afterEdit.size(), 0);
    QCOMPARE(grid_->CurrentRow(), 2);
    QCOMPARE(QApplication::focusWidget(), grid_.get());
}

void StringGridTest::movingToAnotherCellEndsTheEdit()
{
    QSignalSpy afterEdit(grid_.get(), &StringGrid::AfterEdit);
    QVERIFY(grid_->SetCurrentCell(1, 2));
    type(u"mouse"_s);
    clickCell(1, 5);
    QCOMPARE(afterEdit.size(), 1);
    QCOMPARE(afterEdit.at(0), (QList<QVariant>{1, 2}));
    QCOMPARE(cells_->Text(1, 2), std::string("mouse"));
    QVERIFY(!grid_->IsEditing());
    QCOMPARE(grid_->CurrentRow(), 5); // no advance: the user chose the cell

    type(u"keys"_s);
    press(Qt::Key_Up);
    QCOMPARE(afterEdit.size(), 2);
    QCOMPARE(afterEdit.at(1), (QList<QVariant>{1, 5}));
    QCOMPARE(cells_->Text(1, 5), std::string("keys"));
    QVERIFY(!grid_->IsEditing());
    QCOMPARE(grid_->CurrentRow(), 4);

    QVERIFY(grid_->SetCurrentCell(1, 3));
    type(u"program"_s);
    QVERIFY(grid_->SetCurrentCell(1, 2));
    QCOMPARE(afterEdit.size(), 3);
    QCOMPARE(afterEdit.at(2), (QList<QVariant>{1, 3}));
    QVERIFY(!grid_->IsEditing());
}

void StringGridTest::cellsThatAreNotEditableRefuseEditing()
{
    QVERIFY(grid_->SetCurrentCell(0, 2));
    type(u"S"_s); // the text of row 1 begins with it: no jump to that row either
    QVERIFY(!grid_->IsEditing());
    QCOMPARE(cells_->Text(0, 2), std::string("Soubor"));
    QCOMPARE(grid_->CurrentRow(), 2);
    press(Qt::Key_F2);
    press(Qt::Key_Return);
    QVERIFY(!grid_->IsEditing());
    clickCell(1, 4, true); // comment row
    QVERIFY(!grid_->IsEditing());
    QCOMPARE(grid_->CurrentRow(), 4);

    // Editability follows the cells at any time.
    cells_->SetEditable(1, 4, true);
    type(u"k"_s);
    QVERIFY(grid_->IsEditing());
    QCOMPARE(cells_->Text(1, 4), std::string("k"));
}

void StringGridTest::theHeadingRowIsNeverCurrent()
{
    QVERIFY(grid_->SetCurrentCell(0, 1));
    QVERIFY(!grid_->SetCurrentCell(0, 0));
    QVERIFY(!grid_->SetCurrentRow(0));
    QVERIFY(!grid_->SetCurrentCell(1, cells_->RowCount()));
    QVERIFY(!grid_->SetCurrentCell(2, 1));
    press(Qt::Key_Up);
    press(Qt::Key_PageUp);
    QCOMPARE(grid_->CurrentRow(), 1);
    QHeaderView *heading = grid_->horizontalHeader();
    QVERIFY(heading->isVisible());
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, QPoint(20, heading->height() / 2));
    QTest::mouseDClick(heading->viewport(), Qt::LeftButton, {}, QPoint(20, heading->height() / 2));
    QCOMPARE(grid_->CurrentRow(), 1);
    QCOMPARE(grid_->CurrentColumn(), 0);
    QVERIFY(!grid_->IsEditing());
    QCOMPARE(cells_->Text(0, 0), std::string("P\xc5\xafvodn\xc3\xad text"));
}

void StringGridTest::everyChangeOfTheCurrentCellIsAnnounced()
{
    QSignalSpy selected(grid_.get(), &StringGrid::CellAboutToBeSelected);
    QVERIFY(grid_->SetCurrentCell(0, 3));
    QCOMPARE(selected.takeLast(), (QList<QVariant>{0, 3}));
    press(Qt::Key_Down);
    QCOMPARE(selected.takeLast(), (QList<QVariant>{0, 4}));
    press(Qt::Key_Right);
    QCOMPARE(selected.takeLast(), (QList<QVariant>{1, 4}));
    clickCell(0, 6);
    QCOMPARE(selected.takeLast(), (QList<QVariant>{0, 6}));
    QVERIFY(selected.isEmpty());

    // The find command sets the row, then the column: two ordinary changes.
    QVERIFY(grid_->SetCurrentRow(2));
    QVERIFY(grid_->SetCurrentColumn(1));
    QCOMPARE(selected.size(), 2);
    QCOMPARE(selected.at(0), (QList<QVariant>{0, 2}));
    QCOMPARE(selected.at(1), (QList<QVariant>{1, 2}));
    selected.clear();

    // An edit open in the cell being left ends first, so the new cell is announced as it will stay.
    QStringList order;
    connect(grid_.get(), &StringGrid::CellAboutToBeSelected, this,
            [&order](int column, int row) { order << u"select %1 %2"_s.arg(column).arg(row); });
    connect(grid_.get(), &StringGrid::AfterEdit, this,
            [&order](int column, int row) { order << u"edit %1 %2"_s.arg(column).arg(row); });
    type(u"t"_s);
    press(Qt::Key_Down);
    type(u"u"_s);
    press(Qt::Key_Return);
    type(u"v"_s);
    clickCell(0, 1);
    QCOMPARE(order, (QStringList{u"edit 1 2"_s, u"select 1 3"_s, u"edit 1 3"_s, u"select 1 5"_s,
                                 u"edit 1 5"_s, u"select 0 1"_s}));
}

void StringGridTest::cellsAreDrawnInTheirColoursAndTheCurrentOneHighlighted()
{
    QVERIFY(grid_->SetCurrentCell(1, 2));
    const QImage image = grid_->grab().toImage();
    const auto pixel = [&](int column, int row) {
        const QRect cell = grid_->visualRect(grid_->GridModel()->IndexOfCell(column, row));
        return image.pixelColor(
            grid_->viewport()->mapTo(grid_.get(), QPoint(cell.right() - 4, cell.center().y())));
    };
    QCOMPARE(pixel(1, 2), grid_->palette().color(QPalette::ToolTipBase));
    QCOMPARE(pixel(0, 1), QColor(238, 238, 238));
    QCOMPARE(pixel(0, 2), QColor(204, 203, 245));
    QCOMPARE(pixel(1, 3), grid_->palette().color(QPalette::Base));

    QHeaderView *heading = grid_->horizontalHeader();
    const QPoint inHeading =
        heading->mapTo(grid_.get(), QPoint(heading->sectionSize(0) - 6, heading->height() / 2));
    QCOMPARE(image.pixelColor(inHeading), QColor(183, 182, 242));

    // The current cell's text is blue: some pixel of it must be.
    const QRect current = grid_->visualRect(grid_->GridModel()->IndexOfCell(1, 2));
    const QRect inImage(grid_->viewport()->mapTo(grid_.get(), current.topLeft()), current.size());
    bool blue = false;
    for (int x = inImage.left(); x < inImage.left() + 40 && !blue; ++x)
        for (int y = inImage.top(); y <= inImage.bottom() && !blue; ++y)
            blue = image.pixelColor(x, y) == QColor(0, 0, 255);
    QVERIFY(blue);
}

void StringGridTest::rowsAndColumnsHaveTheirDefaultSizes()
{
    QCOMPARE(grid_->rowHeight(0), 16);
    QCOMPARE(grid_->rowHeight(4), 16);
    QCOMPARE(grid_->horizontalHeader()->height(), 16);
    QVERIFY(grid_->showGrid());

    grid_->SetDefaultColumnWidth(600 / 2 - 20);
    QCOMPARE(grid_->columnWidth(0), 280);
    QCOMPARE(grid_->columnWidth(1), 280);

    // The user drags the border between the columns in the heading row.
    QHeaderView *heading = grid_->horizontalHeader();
    QCOMPARE(heading->sectionResizeMode(0), QHeaderView::Interactive);
    const int y = heading->height() / 2;
    QTest::mousePress(heading->viewport(), Qt::LeftButton, {}, QPoint(279, y));
    QTest::mouseMove(heading->viewport(), QPoint(239, y));
    QTest::mouseRelease(heading->viewport(), Qt::LeftButton, {}, QPoint(239, y));
    QCOMPARE(grid_->columnWidth(0), 240);
    QCOMPARE(grid_->columnWidth(1), 280);

    // A resize of the window gives both their equal widths again; a tiny one never a negative width.
    grid_->SetDefaultColumnWidth(150);
    QCOMPARE(grid_->columnWidth(0), 150);
    QCOMPARE(grid_->columnWidth(1), 150);
    grid_->SetDefaultColumnWidth(10 / 2 - 20);
    QCOMPARE(grid_->columnWidth(0), 0);

    // Appended rows get the same height.
    cells_->AppendRow();
    QCOMPARE(grid_->rowHeight(cells_->RowCount() - 2), 16);
}

void StringGridTest::charactersOutsideTheCodePageAreRefusedAndReported()
{
    QSignalSpy refused(grid_.get(), &StringGrid::UnrepresentableCharacter);
    cells_->SetText(1, 2, "ok");
    QVERIFY(grid_->SetCurrentCell(1, 2));
    press(Qt::Key_F2);
    press(Qt::Key_End);
    type(u"Ж"_s);
    QTRY_COMPARE(refused.size(), 1);
    QCOMPARE(refused.at(0).at(0).toString(), u"Ж"_s);
    QCOMPARE(cells_->Text(1, 2), std::string("ok"));
    QCOMPARE(editor()->text(), u"ok"_s);

    type(u"漢ř"_s);
    QTRY_COMPARE(refused.size(), 2);
    QCOMPARE(refused.at(1).at(0).toString(), u"漢"_s);
    QCOMPARE(cells_->Text(1, 2), std::string("ok\xf8"));

    // A paste with one such character is refused whole.
    QApplication::clipboard()->setText(u"a Жb"_s);
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(refused.size(), 3);
    QCOMPARE(cells_->Text(1, 2), std::string("ok\xf8"));
    press(Qt::Key_Return);

    // The very key that would open the editor is refused too, and the old text stays.
    QVERIFY(grid_->SetCurrentCell(1, 2));
    type(u"Ж"_s);
    QTRY_COMPARE(refused.size(), 4);
    QCOMPARE(cells_->Text(1, 2), std::string("ok\xf8"));
    press(Qt::Key_Escape);

    // With a Cyrillic code page the same character is welcome.
    QVERIFY(grid_->setCodePage(u"windows-1251"_s));
    QVERIFY(!grid_->setCodePage(u"no-such-code-page"_s));
    QCOMPARE(grid_->CodePageName(), u"windows-1251"_s);
    QVERIFY(grid_->SetCurrentCell(1, 3));
    type(u"Жук"_s);
    QCOMPARE(cells_->Text(1, 3), std::string("\xc6\xf3\xea"));
    QTRY_COMPARE(refused.size(), 4);
}

void StringGridTest::aRealWarningBoxClosedAnyWayLeavesTheEditorOpen()
{
    // The report shows a real modal box, as the editor's window does, and the user closes it by
    // Enter, by Escape or with the mouse on OK; typing then goes on in the same editor.
    enum class Close { Enter, Escape, Click };
    Close how = Close::Enter;
    int boxes = 0;
    QString boxText;
    connect(grid_.get(), &StringGrid::UnrepresentableCharacter, grid_.get(), [&](const QString &refused) {
        ++boxes;
        QMessageBox box(QMessageBox::NoIcon, u"Verbaria"_s, refused, QMessageBox::Ok, grid_.get());
        QTimer::singleShot(0, &box, [&box, &how, &boxText] {
            boxText = box.text();
            if (how == Close::Click)
                QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
            else
                QTest::keyClick(&box, how == Close::Enter ? Qt::Key_Return : Qt::Key_Escape);
        });
        box.exec();
    });
    QVERIFY(grid_->SetCurrentCell(1, 2));
    type(u"Tr"_s);
    QLineEdit *const edit = editor();
    QVERIFY(edit);
    for (Close each : {Close::Enter, Close::Escape, Close::Click}) {
        how = each;
        const int before = boxes;
        type(u"è"_s);
        QTRY_COMPARE(boxes, before + 1);
        QCOMPARE(boxText, u"è"_s);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit));
        QVERIFY(grid_->IsEditing());
        QCOMPARE(edit->text(), u"Tr"_s);
    }
    type(u"es"_s);
    QCOMPARE(edit->text(), u"Tres"_s);
    press(Qt::Key_Return);
    QCOMPARE(cells_->Text(1, 2), std::string("Tres"));
}

void StringGridTest::pastedLineBreaksBecomeBlanks()
{
    QSignalSpy replaced(grid_.get(), &StringGrid::LineBreaksReplaced);
    QVERIFY(grid_->SetCurrentCell(1, 2));
    press(Qt::Key_F2);
    QApplication::clipboard()->setText(u"one\r\ntwo\nthree"_s);
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(replaced.size(), 1);
    press(Qt::Key_Return);
    QCOMPARE(cells_->Text(1, 2), std::string("one two three"));
}

namespace {
QStringList warnings;
void CollectWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        warnings << message;
}
} // namespace

void StringGridTest::enterThroughTheWindowEndsEachEditOnce()
{
    // Keys as the window system delivers them, through the window rather than to a widget.
    QWindow *window = grid_->window()->windowHandle();
    QVERIFY(window);
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarning);
    QVERIFY(grid_->SetCurrentCell(1, 2));
    QTest::keyClick(window, Qt::Key_A);
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_B);
    QTest::keyClick(window, Qt::Key_Return);
    QTest::qWait(50);
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, QStringList());
    QCOMPARE(cells_->Text(1, 2), std::string("a"));
}

void StringGridTest::aMillionRowsOpenAndEditAtTheEnd()
{
    constexpr int rows = 1'000'001;
    {
        GridBatch batch(*cells_);
        cells_->SetRowCount(rows);
        for (int row = 7; row < rows; ++row)
            test::StyleRow(*cells_, row, row % 100 == 50 ? test::Kind::Section : test::Kind::Component);
        cells_->SetText(0, rows - 1, "posledn\xed");
    }
    QCOMPARE(grid_->GridModel()->rowCount(), rows - 1);
    grid_->scrollToBottom();
    QVERIFY(grid_->SetCurrentCell(1, rows - 1));
    QCOMPARE(grid_->rowHeight(rows - 2), 16);
    QCOMPARE(grid_->GridModel()->IndexOfCell(0, rows - 1).data().toString(), u"poslední"_s);
    type(u"z"_s);
    press(Qt::Key_Return);
    QCOMPARE(cells_->Text(1, rows - 1), std::string("z"));
    QCOMPARE(cells_->RowCount(), rows + 1);
    QCOMPARE(grid_->CurrentRow(), rows);
    grid_->grab();
}

QTEST_MAIN(StringGridTest)
#include "StringGridTest.moc"
