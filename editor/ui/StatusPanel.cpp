#include "editor/ui/StatusPanel.h"

#include "dialogs/UiText.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace verbaria {

StatusPanel::StatusPanel(QStatusBar &bar, const TextService &texts)
    : QObject(&bar)
    , texts_(texts)
    , labelSoubor_(new QLabel(&bar))
    , labelPrelozeno_(new QLabel(&bar))
    , labelKeKontrole_(new QLabel(&bar))
    , labelZmenene_(new QLabel(&bar))
    , progressPrelozeno_(new QProgressBar(&bar))
{
    setObjectName(QStringLiteral("StatusPanel"));
    progressPrelozeno_->setObjectName(QStringLiteral("progressPrelozeno"));
    labelKeKontrole_->hide();
    labelZmenene_->hide();
    progressPrelozeno_->setMaximumWidth(160);
    progressPrelozeno_->setTextVisible(true);
    bar.addWidget(labelSoubor_, 1);
    bar.addPermanentWidget(labelZmenene_);
    bar.addPermanentWidget(labelKeKontrole_);
    bar.addPermanentWidget(labelPrelozeno_);
    bar.addPermanentWidget(progressPrelozeno_);
}

void StatusPanel::Show(const QString &fileName, const TranslationCounts &counts)
{
    fileName_ = fileName;
    counts_ = counts;
    toReview_ = reviewCounter_ ? reviewCounter_() : 0;
    changed_ = changedCounter_ ? changedCounter_() : 0;
    Retranslate();
}

void StatusPanel::Retranslate()
{
    labelSoubor_->setText(fileName_.isEmpty() ? UiText(texts_.TranslateText("Neuložený jazyk"))
                                              : QFileInfo(fileName_).fileName());
    labelSoubor_->setToolTip(fileName_);
    labelPrelozeno_->setText(UiText(texts_.TranslateText("Přeloženo %1 z %2"))
                                 .replace(QStringLiteral("%1"), QString::number(counts_.Translated))
                                 .replace(QStringLiteral("%2"), QString::number(counts_.Total)));
    labelKeKontrole_->setText(UiText(texts_.TranslateText("Ke kontrole: %1"))
                                  .replace(QStringLiteral("%1"), QString::number(toReview_)));
    labelKeKontrole_->setVisible(toReview_ > 0);
    labelZmenene_->setText(UiText(texts_.TranslateText("Změněné originály: %1"))
                               .replace(QStringLiteral("%1"), QString::number(changed_)));
    labelZmenene_->setVisible(changed_ > 0);
    // The bar counts in per mille, so that a million texts still fit its int range.
    const int perMille = counts_.Total > 0 ? static_cast<int>(counts_.Translated * 1000 / counts_.Total) : 0;
    progressPrelozeno_->setRange(0, 1000);
    progressPrelozeno_->setValue(perMille);
    progressPrelozeno_->setFormat(QStringLiteral("%1 %").arg(perMille / 10));
}

} // namespace verbaria
