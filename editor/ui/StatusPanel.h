#pragma once

#include "editor/core/TranslationCounts.h"

#include <QObject>

#include <functional>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace verbaria {

class TextService;

// What the main window's status bar shows: the language file's name, translated / to translate
// (counted as the properties dialog counts the texts to translate), a progress bar and, when there
// are any, how many rows wait for review.
class StatusPanel final : public QObject
{
    Q_OBJECT

public:
    StatusPanel(QStatusBar &bar, const TextService &texts);

    void Show(const QString &fileName, const TranslationCounts &counts);
    // How Show learns the number of rows waiting for review.
    void SetReviewCounter(std::function<int()> counter) { reviewCounter_ = std::move(counter); }
    // How many translations were made from an original the template has changed since.
    void SetChangedCounter(std::function<int()> counter) { changedCounter_ = std::move(counter); }
    // After the user-interface language changed.
    void Retranslate();

    QLabel *labelSoubor() const { return labelSoubor_; }
    QLabel *labelPrelozeno() const { return labelPrelozeno_; }
    QLabel *labelKeKontrole() const { return labelKeKontrole_; }
    QLabel *labelZmenene() const { return labelZmenene_; }
    QProgressBar *progressPrelozeno() const { return progressPrelozeno_; }

private:
    const TextService &texts_;
    QLabel *labelSoubor_;
    QLabel *labelPrelozeno_;
    QLabel *labelKeKontrole_;
    QLabel *labelZmenene_;
    QProgressBar *progressPrelozeno_;
    QString fileName_;
    TranslationCounts counts_;
    std::function<int()> reviewCounter_;
    int toReview_ = 0;
    std::function<int()> changedCounter_;
    int changed_ = 0;
};

} // namespace verbaria
