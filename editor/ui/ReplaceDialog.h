#pragma once

#include "editor/ui/ReplaceEngine.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class ReplaceDialog;
}

namespace verbaria {

class TextService;

// Replaces text in the translations: the user sets what and how, the dialog shows how many
// matches there are and what each changed text will read, and only then can apply it. It plans
// and applies through its owner, which knows the document.
class ReplaceDialog final : public QDialog
{
    Q_OBJECT

public:
    using Planner = std::function<ReplacePlan(const ReplaceOptions &options, bool onlyShown)>;

    ReplaceDialog(const TextService &texts, QWidget *parent = nullptr);
    ~ReplaceDialog() override;

    void SetPlanner(Planner planner) { planner_ = std::move(planner); }
    ReplaceOptions Options() const;
    bool OnlyShownRows() const;
    // The plan shown now; empty until a preview was made for the current settings.
    const ReplacePlan &Plan() const { return plan_; }
    void Preview();
    void Retranslate();

    Ui::ReplaceDialog &ui() { return *ui_; }

signals:
    // The user applies the plan shown.
    void ApplyRequested(const verbaria::ReplacePlan &plan);

private:
    void Invalidate();

    std::unique_ptr<Ui::ReplaceDialog> ui_;
    const TextService &texts_;
    Planner planner_;
    ReplacePlan plan_;
};

} // namespace verbaria
