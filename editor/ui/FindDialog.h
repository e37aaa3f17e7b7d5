#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FindDialog;
}

namespace verbaria {

// The main window's modeless find dialog: a search text, a "match case" box (unchecked at first)
// and a find-next button. It keeps both for as long as the program runs; it searches nothing
// itself, it only asks its owner to.
class FindDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget *parent = nullptr);
    ~FindDialog() override;

    QString SearchText() const;
    bool MatchCase() const;

    Ui::FindDialog &ui() { return *ui_; }

signals:
    // The user pressed find-next (or Enter) with a search text.
    void FindNext();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::FindDialog> ui_;
};

} // namespace verbaria
