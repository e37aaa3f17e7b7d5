#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace verbaria {

class EditorContext;
class FilterBar;
class RowChecks;
class StatusPanel;

// The live checks of the document in the window: the marks and tooltips of the grid, the problem
// and review filters, the review count of the status bar, the row's facts and findings for the
// text pane, going to the next problem and accepting a row's warnings.
class ChecksController final : public QObject
{
    Q_OBJECT

public:
    // The marks' pictures come from window's style.
    ChecksController(EditorContext &context, FilterBar &filter, StatusPanel &status, const QWidget &window);
    ~ChecksController() override;

    RowChecks &Checks() { return *checks_; }

    // Brings the checks of rows first..last up to the document and renews the marks that changed.
    void Refresh(int first, int last);
    // The row's context, disambiguation, programmer's comment and source place, then its
    // findings, as rich text; empty for none.
    QString FactsAndFindings(int row) const;
    // The text the form holds for a component row (the template tells it); empty when unknown.
    QString FormTextOf(int row) const;

    // F8: the next row with a problem (a finding, or an original changed since the translation),
    // round the end; the status bar says when there is none. Shift+F8: the previous one.
    void NextProblem();
    void PreviousProblem();
    // Ctrl+K: accepts the warnings of the current row and ends its review.
    void AcknowledgeWarnings();

    // Warnings of a row that come from outside the document (the program running live: a text
    // that does not fit), one a line, empty for none. They show with the row's findings and mark
    // it as a problem; they are never saved nor accepted. Call OutsideChanged(first, last) when they
    // change.
    void SetOutsideWarnings(std::function<QString(int row)> warnings);
    void OutsideChanged(int first, int last);

signals:
    // The checks of a large document came in after it was shown.
    void PassEnded();

private:
    QString MessageFacts(int row) const;
    bool HasProblem(int row) const;
    QString OutsideWarnings(int row) const;
    void GoToProblem(int direction);

    EditorContext &context_;
    FilterBar &filter_;
    StatusPanel &status_;
    std::unique_ptr<RowChecks> checks_;
    std::function<QString(int)> outside_;
};

} // namespace verbaria
