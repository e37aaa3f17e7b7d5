#pragma once

#include <QObject>
#include <QString>

#include <set>
#include <string>

class QLabel;
class QWidget;

namespace verbaria {

class ChecksController;
class EditorContext;
class FilterBar;
class StatusPanel;

// What a language file that tracks its originals shows in the window: the translations whose
// original the template changed since (the filter, the count in the status bar, the old and new
// original word by word in the text pane), keeping such a translation as it is, the entries whose
// text moved to another number and the translations the template no longer has. Opening a file
// that does not track offers tracking once, in the status bar.
class TrackingController final : public QObject
{
    Q_OBJECT

public:
    TrackingController(EditorContext &context, ChecksController &checks, FilterBar &filter,
                       StatusPanel &status, QWidget &window);
    ~TrackingController() override;

    // After a language file was read into the translations.
    void AfterRead();
    // The offer to track, in the editor's language now.
    void Retranslate();
    // For the text pane: the row's old and new original with the changed words marked, and the
    // translation a moved entry is offered (rich text; empty for none).
    QString RowNotes(int row) const;

    // Records the template's original for the current row's translation: one undo step.
    void KeepTranslation();
    // Takes every moved entry's offered translation, each marked for review: one undo step.
    void TakeMoved();
    // The view of the obsolete translations, with their originals; removing them is its command.
    void ShowObsolete();

private:
    EditorContext &context_;
    ChecksController &checks_;
    FilterBar &filter_;
    StatusPanel &status_;
    QWidget &window_;
    std::set<std::string> offered_;
    // The offer to track, in the status bar for a while: a passing message would be gone at once
    // under the messages of the start-up.
    QLabel *offer_;
};

} // namespace verbaria
