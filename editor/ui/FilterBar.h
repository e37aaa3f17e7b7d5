#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <set>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace verbaria {

class LanguageDocument;
class StringGrid;
class TextService;

// The bar over the grid that hides rows: all of them shown, only the texts still to translate,
// only the translated ones, the rows whose original or translation contains a text, the rows with
// problems, the rows waiting for review, those whose original changed, or the rows the program
// running live showed. It hides
// rows of the view and nothing else: the document, what is found and what is saved stay the same.
class FilterBar final : public QWidget
{
    Q_OBJECT

public:
    enum Mode {
        All = 0,
        Untranslated = 1,
        Translated = 2,
        Containing = 3,
        Problems = 4,
        Review = 5,
        Changed = 6,
        Seen = 7
    };

    FilterBar(const TextService &texts, QWidget *parent = nullptr);
    ~FilterBar() override;

    Mode CurrentMode() const;
    void SetMode(Mode mode);
    // Whether a grid row has a problem the checks found (for the mode Problems).
    void SetProblemTest(std::function<bool(int row)> test) { hasProblem_ = std::move(test); }
    // Whether a grid row waits for review (for the mode Review).
    void SetReviewTest(std::function<bool(int row)> test) { needsReview_ = std::move(test); }
    // Whether a grid row's translation was made from another original (for the mode Changed).
    void SetChangedTest(std::function<bool(int row)> test) { changed_ = std::move(test); }
    // Whether the program running live looked a grid row's text up or shows it (for the mode Seen).
    void SetSeenTest(std::function<bool(int row)> test) { seen_ = std::move(test); }
    // What a test of that mode answers changed: the rows are looked at again when it is shown.
    void TestChanged(Mode mode);
    QString Text() const;
    void SetText(const QString &text);
    void Retranslate();

    // The filter text as each kind of cell holds it ([column][encoding]); none where that code page
    // cannot hold it.
    using Needles = std::array<std::array<std::optional<std::string>, 2>, 2>;
    // Whether the filter shows the row (a grid row; the heading row is never a row of the view).
    bool Shows(const LanguageDocument &document, int row, const Needles &needles) const;
    // Hides and shows the grid's rows by the filter.
    void Apply(StringGrid &grid, const LanguageDocument &document);
    // Rows whose texts changed: the filter looks at them again once the user has left them, so a
    // row being worked on never vanishes under the cursor.
    void RowsChanged(int firstRow, int lastRow);
    void ApplyToChangedRows(StringGrid &grid, const LanguageDocument &document, int currentRow);

    QComboBox *comboFiltr() const { return comboFiltr_; }
    QLineEdit *editFiltr() const { return editFiltr_; }

signals:
    void FilterChanged();

private:
    const TextService &texts_;
    QLabel *labelFiltr_;
    QComboBox *comboFiltr_;
    QLineEdit *editFiltr_;
    std::function<bool(int)> hasProblem_;
    std::function<bool(int)> needsReview_;
    std::function<bool(int)> changed_;
    std::function<bool(int)> seen_;
    std::set<int> changedRows_;
    bool allRowsChanged_ = false;
};

} // namespace verbaria
