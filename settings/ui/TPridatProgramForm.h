#pragma once

#include "dialogs/QtUserDialogs.h"
#include "editor/core/UserDialogs.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TPridatProgramForm;
}

namespace verbaria {

// One entry of the catalogue of registered programs: its name, executable and template. The
// fields keep their texts between showings; nothing is validated, the catalogue takes them as
// they stand.
class TPridatProgramForm final : public QDialog
{
    Q_OBJECT

public:
    // texts gives the file chooser's filters in the user-interface language.
    explicit TPridatProgramForm(const TextService &texts, QWidget *parent = nullptr);
    ~TPridatProgramForm() override;

    void SetDialogs(UserDialogs *dialogs); // for tests; nullptr for the real dialogs

    // The name in the files' code page; the two paths as the file system names them.
    std::string editNazev() const;
    std::string editSablona() const;
    std::string editProgram() const;
    void Fill(const std::string &nazev, const std::string &sablona, const std::string &program);

    const FileDialogState &OpenDialog() const { return openDialog_; }

public slots:
    void Otevrit();
    // Closes with OK only for an entry the catalogue file can hold.
    void accept() override;

private:
    std::unique_ptr<Ui::TPridatProgramForm> ui_;
    const TextService &texts_;
    QtUserDialogs realDialogs_;
    UserDialogs *dialogs_ = nullptr;
    FileDialogState openDialog_;
};

} // namespace verbaria
