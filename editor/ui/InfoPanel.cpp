#include "editor/ui/InfoPanel.h"

#include "editor/core/LanguageDocument.h"
#include "editor/ui/DocumentCodePages.h"
#include "widgets/StringGrid.h"
#include "widgets/StringGridModel.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace verbaria {

InfoPanel::InfoPanel(const Widgets &widgets)
    : widgets_(widgets)
{
    // Read-only fields look like the panel they lie on.
    for (QLineEdit *field : widgets_.Fields) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
    }
}

void InfoPanel::LayOut()
{
    // Three rows of a label and its field: 16 pixels apart with fields from 112 pixels in the
    // classic small font; a larger desktop font moves them just as far as its text needs, so
    // no caption is cut.
    QFrame *panel = widgets_.Panel;
    const int line = std::max(14, panel->fontMetrics().height());
    int fieldLeft = 112;
    for (const QLabel *label : widgets_.Labels)
        fieldLeft = std::max(fieldLeft, 8 + label->fontMetrics().horizontalAdvance(label->text()) + 8);
    for (int i = 0; i < 3; ++i) {
        const int top = 4 + i * (line + 2);
        widgets_.Labels[i]->setGeometry(8, top, fieldLeft - 16, line);
        widgets_.Fields[i]->setGeometry(fieldLeft, top, std::max(0, panel->width() - fieldLeft - 8), line);
    }
    panel->setFixedHeight(std::max(52, 4 + 3 * (line + 2)));
}

void InfoPanel::Show(const LanguageDocument &document, const StringGrid &grid, int column, int row)
{
    const auto info = document.gridJazykSelectCell(column, row);
    if (!info)
        return;
    const StringGridModel *model = grid.GridModel();
    widgets_.Fields[0]->setText(model ? model->CellText(0, row) : QString());
    widgets_.Fields[1]->setText(model ? model->CellText(1, row) : QString());
    // A component's name is its path in the template; the other kinds are named by the program.
    const bool component = document.polozky()[static_cast<std::size_t>(row - 1)].Kind == ikComponent;
    widgets_.Fields[2]->setText(component ? TemplateCodePageOf(document).Decode(info->editNazevKomponenty)
                                          : QString::fromStdString(info->editNazevKomponenty));
    for (QLineEdit *field : widgets_.Fields)
        field->setCursorPosition(0);
}

} // namespace verbaria
