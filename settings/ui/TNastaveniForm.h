#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TNastaveniForm;
}

namespace verbaria {

class SettingsDialogHost;
class TProgramyForm;

// The settings dialog: the user-interface language among the language files of the languages
// folder, automatic completion, and the way to the catalogue of registered programs. A change
// takes effect on the settings values at once; Cancel undoes nothing.
class TNastaveniForm final : public QDialog
{
    Q_OBJECT

public:
    TNastaveniForm(SettingsDialogHost &host, TProgramyForm &programy, QWidget *parent = nullptr);
    ~TNastaveniForm() override;

    // Shows the flag as the settings file gave it at start-up.
    void SetAutoDoplnovani(bool on);

public slots:
    void Ukaz();
    void Zmena();
    // The code page of files that declare none.
    void ZmenaKodoveStranky(int index);
    void buttonOKClick();
    void buttonZrusitClick();
    void NastavitProgramy();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::string SelectedLanguage() const;

    std::unique_ptr<Ui::TNastaveniForm> ui_;
    SettingsDialogHost &host_;
    TProgramyForm &programy_;
};

} // namespace verbaria
