#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace verbaria {

class DocumentMemory;
class EditorContext;
class RowChecks;

// The translation memory in the window: built in the background from the language files of the
// document's folder and of every registered program, in the document's language; the suggestions
// for the current row with their keys (Ctrl+1 to Ctrl+3); taking one; pre-translating every empty
// row.
class MemoryController final : public QObject
{
    Q_OBJECT

public:
    static constexpr int SuggestionKeys = 3;

    // catalogueTemplates gives the registered programs' templates (may be empty).
    MemoryController(EditorContext &context, RowChecks &checks,
                     std::function<std::vector<std::string>()> catalogueTemplates);
    ~MemoryController() override;

    DocumentMemory &Memory() { return *memory_; }
    void SetCatalogueTemplates(std::function<std::vector<std::string>()> templates)
    {
        catalogueTemplates_ = std::move(templates);
    }

    // Builds the memory again when the document's language, file or template changed.
    void Start();
    // The suggestions for the row's original as rich text, remembered for Take; empty for none.
    QString Suggestions(int row);
    // Forgets the suggestions shown: the next look-up makes them anew.
    void Forget() { suggestionsRow_ = -1; }
    // Takes the shown suggestion index into the current row; a near miss leaves it for review.
    void Take(int index);
    // Fills every empty translation the memory knows, each marked for review, as one step.
    void PreTranslate();
    // Stops the build in the background and waits for it (the end of the run).
    void Stop();

signals:
    // The memory is built: the suggestions shown may differ.
    void Built();

private:
    void ReportSkippedFiles();

    EditorContext &context_;
    RowChecks &checks_;
    std::function<std::vector<std::string>()> catalogueTemplates_;
    DocumentMemory *memory_ = nullptr;
    std::string key_;
    // UTF-8, in the order of their keys; whether taking it leaves the row for review.
    std::vector<std::pair<std::string, bool>> shown_;
    int suggestionsRow_ = -1;
};

} // namespace verbaria
