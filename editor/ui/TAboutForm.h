#pragma once

#include <QDialog>

#include <memory>

class QLabel;

namespace Ui {
class TAboutForm;
}

namespace verbaria {

class ShellOpen;

// The about dialog: the product, its version and how to reach its maker. The two addresses open
// through the desktop when clicked.
class TAboutForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);
    ~TAboutForm() override;

    // For tests: where the addresses go instead of the desktop; nullptr for the desktop.
    void SetShellOpen(ShellOpen *shell);

    // Opens what the clicked address label shows: "mailto:" and the caption for the e-mail
    // label, the caption alone for the web label. Only mail and web targets are handed on.
    void PrejdiNaEmailNeboWww(QLabel *clicked);

    Ui::TAboutForm &ui() { return *ui_; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TAboutForm> ui_;
    std::unique_ptr<ShellOpen> desktop_;
    ShellOpen *shell_ = nullptr;
};

} // namespace verbaria
