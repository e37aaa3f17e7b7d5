#pragma once

#include "editor/core/UserDialogs.h"

#include <QObject>

namespace verbaria {

class EditorContext;

// Export and import of the document as XLIFF or PO, by the chosen file's extension, through one
// file dialog that keeps its folder and file name between uses.
class ExchangeController final : public QObject
{
    Q_OBJECT

public:
    explicit ExchangeController(EditorContext &context);

    void Export();
    // A refused file leaves the document as it was; an accepted one is one undo step.
    void Import();

signals:
    // Translations came in: the filter looks at the rows again.
    void Imported();

private:
    EditorContext &context_;
    FileDialogState dialog_;
};

} // namespace verbaria
