#include "widgets/StringGridModel.h"
#include "StyledCells.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace verbaria;

class StringGridModelTest final : public QObject
{
    Q_OBJECT

private slots:
    void headingRowIsHeaderAndEntriesFollow();
    void stylesAreShownThroughRoles();
    void textsAreDecodedAndEncodedInTheCodePage();
    void charactersOutsideTheCodePageAreRefused();
    void rowCountChangesReachTheViews();
    void destroyedCellsLeaveAnEmptyModel();
};

static QColor colourOf(const QVariant &brush)
{
    return brush.value<QBrush>().color();
}

void StringGridModelTest::headingRowIsHeaderAndEntriesFollow()
{
    GridCells cells;
    test::FillDocument(cells);
    StringGridModel model(cells);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(model.rowCount(), cells.RowCount() - 1);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Původní text"_s);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Nový text"_s);
    QCOMPARE(colourOf(model.headerData(0, Qt::Horizontal, Qt::BackgroundRole)), QColor(183, 182, 242));
    QCOMPARE(model.index(0, 0).data().toString(), u"[TMainForm]"_s);
    QCOMPARE(model.IndexOfCell(1, 2), model.index(1, 1));
    QCOMPARE(StringGridModel::GridRowOf(model.index(4, 0)), 5);
    QVERIFY(!model.IndexOfCell(0, 0).isValid());
    QVERIFY(!model.IndexOfCell(0, cells.RowCount()).isValid());

    // A grid with the heading row alone has no row to select.
    GridCells headingOnly(1);
    StringGridModel empty(headingOnly);
    QCOMPARE(empty.rowCount(), 0);
}

void StringGridModelTest::stylesAreShownThroughRoles()
{
    GridCells cells(3);
    cells.SetBackground(0, 1, CellColour::Of(MakeRgb(204, 203, 245)));
    cells.SetTextColour(1, 1, CellColour::Of(MakeRgb(0, 0, 128)));
    cells.SetEditable(0, 1, false);
    cells.SetBackground(1, 2, CellColour::Window());
    StringGridModel model(cells);
    const QColor window = QGuiApplication::palette().color(QPalette::Base);

    // Unstyled cells: editable, black on the window background.
    QCOMPARE(colourOf(model.index(1, 0).data(Qt::ForegroundRole)), QColor(Qt::black));
    QCOMPARE(colourOf(model.index(1, 0).data(Qt::BackgroundRole)), window);
    QVERIFY(model.index(1, 0).data(StringGridModel::EditableRole).toBool());
    QVERIFY(model.flags(model.index(1, 0)).testFlag(Qt::ItemIsEditable));

    QCOMPARE(colourOf(model.index(0, 0).data(Qt::BackgroundRole)), QColor(204, 203, 245));
    QCOMPARE(colourOf(model.index(0, 1).data(Qt::ForegroundRole)), QColor(0, 0, 128));
    QCOMPARE(colourOf(model.index(1, 1).data(Qt::BackgroundRole)), window);
    QVERIFY(!model.index(0, 0).data(StringGridModel::EditableRole).toBool());
    QVERIFY(!model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsSelectable));

    // Styles stay when the text changes, and a change of either is announced for its row.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    cells.SetText(0, 1, "abc");
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 0);
    QCOMPARE(colourOf(model.index(0, 0).data(Qt::BackgroundRole)), QColor(204, 203, 245));
    cells.SetEditable(0, 1, true);
    QCOMPARE(changed.size(), 2);
    QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    cells.SetText(1, 0, "Nadpis");
    QCOMPARE(header.size(), 1);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Nadpis"_s);
}

void StringGridModelTest::textsAreDecodedAndEncodedInTheCodePage()
{
    GridCells cells(2);
    cells.SetText(0, 1, "\x9elu\x9dou\xe8k\xfd k\xf9\xf2"); // windows-1250
    StringGridModel model(cells);
    QCOMPARE(model.CodePageOf(1).Name(), u"windows-1250"_s);
    QCOMPARE(model.index(0, 0).data().toString(), u"žluťoučký kůň"_s);

    QVERIFY(model.setData(model.index(0, 1), u"Příliš"_s));
    QCOMPARE(cells.Text(1, 1), std::string("P\xf8\xedli\x9a"));
    QCOMPARE(model.index(0, 1).data(Qt::EditRole).toString(), u"Příliš"_s);

    QVERIFY(!model.setCodePage(u"no-such-code-page"_s));
    QCOMPARE(model.CodePageOf(1).Name(), u"windows-1250"_s);
    QVERIFY(model.setCodePage(u"windows-1251"_s));
    QVERIFY(model.setData(model.index(0, 1), u"Жук"_s));
    QCOMPARE(cells.Text(1, 1), std::string("\xc6\xf3\xea"));

    // Each column in its own code page, and a description text in the description's.
    QVERIFY(model.setCodePage(0, GridCells::ColumnEncoding, u"windows-1250"_s));
    QVERIFY(model.setCodePage(0, GridCells::DescriptionEncoding, u"UTF-8"_s));
    cells.SetText(0, 1, "Tr\xc3\xa8s", GridCells::DescriptionEncoding);
    QCOMPARE(model.index(0, 0).data().toString(), u"Très"_s);
    QCOMPARE(model.index(0, 1).data().toString(), u"Жук"_s);
}

void StringGridModelTest::charactersOutsideTheCodePageAreRefused()
{
    GridCells cells(2);
    cells.SetText(1, 1, "old");
    StringGridModel model(cells);

    QCOMPARE(model.Unrepresentable(1, u"čeština"_s), QString());
    QCOMPARE(model.Unrepresentable(1, u"aЖbЖ漢"_s), u"Ж漢"_s);
    QCOMPARE(model.Unrepresentable(1, u"x😀y"_s), u"😀"_s);
    // Refused whole, never stored with a replacement character.
    QVERIFY(!model.setData(model.index(0, 1), u"newЖ"_s));
    QCOMPARE(cells.Text(1, 1), std::string("old"));
}

void StringGridModelTest::rowCountChangesReachTheViews()
{
    GridCells cells;
    test::FillDocument(cells);
    StringGridModel model(cells);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    const int before = model.rowCount();
    cells.AppendRow();
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(model.rowCount(), before + 1);
    QCOMPARE(model.index(before, 1).data().toString(), QString());

    cells.SetRowCount(3);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(model.rowCount(), 2);

    {
        GridBatch batch(cells);
        cells.SetRowCount(1000);
        cells.SetText(0, 999, "last");
        QCOMPARE(model.rowCount(), 2); // nothing announced inside the batch
    }
    QCOMPARE(reset.size(), 1);
    QCOMPARE(model.rowCount(), 999);
    QCOMPARE(model.index(998, 0).data().toString(), u"last"_s);

    cells.SetRowCount(0);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.headerData(0, Qt::Horizontal), QVariant());
}

void StringGridModelTest::destroyedCellsLeaveAnEmptyModel()
{
    auto cells = std::make_unique<GridCells>();
    test::FillDocument(*cells);
    StringGridModel model(*cells);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    cells.reset();
    QCOMPARE(reset.size(), 1);
    QVERIFY(!model.Cells());
    QCOMPARE(model.rowCount(), 0);

    // A copy of the cells does not take the view with it.
    GridCells original(3);
    StringGridModel watching(original);
    {
        GridCells copy = original;
        copy.SetText(0, 1, "copy");
    }
    QCOMPARE(watching.Cells(), &original);
    QCOMPARE(watching.rowCount(), 2);
}

QTEST_MAIN(StringGridModelTest)
#include "StringGridModelTest.moc"
