// A window with a styled grid and a menu, for looking at them: StringGridShow [rows]
#include "StyledCells.h"
#include "widgets/MenuStyle.h"
#include "widgets/StringGrid.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace verbaria;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setStyle(new MenuStyle);
    GridCells cells;
    test::FillDocument(cells);
    if (const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0; rows > cells.RowCount()) {
        GridBatch batch(cells);
        const int first = cells.RowCount();
        cells.SetRowCount(rows + 1);
        for (int row = first; row <= rows; ++row) {
            test::StyleRow(cells, row, test::Kind::Component);
            cells.SetText(0, row, "Polo\x9eka " + std::to_string(row));
        }
    }

    QMainWindow window;
    window.setWindowTitle(u"Verbaria"_s);
    QMenu *menu = window.menuBar()->addMenu(u"Soubor"_s);
    menu->addAction(application.style()->standardIcon(QStyle::SP_FileIcon), u"Nový jazyk"_s);
    menu->addAction(application.style()->standardIcon(QStyle::SP_DialogOpenButton), u"Otevřít"_s);
    menu->addAction(application.style()->standardIcon(QStyle::SP_DialogSaveButton), u"Uložit"_s);
    auto *grid = new StringGrid(&window);
    grid->setObjectName(u"gridJazyk"_s);
    grid->SetCells(cells);
    window.setCentralWidget(grid);
    window.resize(487, 358);
    window.show();
    grid->SetDefaultColumnWidth(grid->width() / 2 - 20);
    grid->SetCurrentCell(1, 2);
    grid->setFocus();
    if (application.arguments().contains(u"--menu"_s))
        QTimer::singleShot(300, menu, [menu, &window] { menu->popup(window.mapToGlobal(QPoint(10, 40))); });
    return application.exec();
}
