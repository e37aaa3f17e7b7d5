#pragma once

#include "editor/core/TranslationCounts.h"

#include <QObject>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace verbaria {

class TextService;

// What the main window's status bar shows: the language file's name, translated / to translate
// (counted as the properties dialog counts the texts to translate) and a progress bar.
class StatusPanel final : public QObject
{
    Q_OBJECT

public:
    StatusPanel(QStatusBar &bar, const TextService &texts);

    void Show(const QString &fileName, const TranslationCounts &counts);
    // After the user-interface language changed.
    void Retranslate();

    QLabel *labelSoubor() const { return labelSoubor_; }
    QLabel *labelPrelozeno() const { return labelPrelozeno_; }
    QProgressBar *progressPrelozeno() const { return progressPrelozeno_; }

private:
    const TextService &texts_;
    QLabel *labelSoubor_;
    QLabel *labelPrelozeno_;
    QProgressBar *progressPrelozeno_;
    QString fileName_;
    TranslationCounts counts_;
};

} // namespace verbaria
