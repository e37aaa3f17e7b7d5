#pragma once

#include "dialogs/QtUserDialogs.h"
#include "editor/core/UserDialogs.h"
#include "formats/CatalogueFile.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QStandardItem;
class QStandardItemModel;

namespace Ui {
class TProgramyForm;
}

namespace verbaria {

class CatalogueStore;
class ProgramIcon;
class ProgramStarter;
class ShellOpen;
class TPridatProgramForm;

// The catalogue of registered programs. The entries live in the list, sorted by name; every
// showing reloads them from the store ("programs.ini" in the program folder) and every hiding
// writes them back, whichever button closed the dialog. After it closes, the selected entry stays
// selected for the caller.
class TProgramyForm final : public QDialog
{
    Q_OBJECT

public:
    // texts gives the confirmation question in the user-interface language.
    TProgramyForm(CatalogueStore &store, const TextService &texts, QWidget *parent = nullptr);
    ~TProgramyForm() override;

    // The entry dialog, created after this one; Novy and Upravit do nothing without it.
    void SetEntryDialog(TPridatProgramForm *dialog) { pridatProgram_ = dialog; }

    void SetDialogs(UserDialogs *dialogs); // for tests; nullptr for the real dialogs
    // For tests; nullptr for the desktop's own.
    void SetPlatform(ProgramIcon *icons, ProgramStarter *starter);
    // Starts a registered program with the editor's live link; until it is given, the dialog
    // offers no such command.
    void SetLiveStart(std::function<void(const QString &program)> start);

    // Reloads the entries from the store. Raises InOutError, leaving the list as it was, when the
    // catalogue exists but cannot be read; a missing one leaves the list as it was too.
    void Zobrazit();
    // Writes the entries in list order. Raises InOutError when they cannot be written; the
    // earlier catalogue then stays as it was.
    void Zavrit();
    void PridatZaznam(const std::string &nazev, const std::string &sablona, const std::string &program);
    void UpravZaznam(int index, const std::string &nazev, const std::string &sablona,
                     const std::string &program);

    int Count() const;
    CatalogueEntry Entry(int index) const;
    // -1 when no entry is selected.
    int SelectedIndex() const;
    // The templates of the entries, in list order.
    std::vector<std::string> Templates() const;

public slots:
    void Novy();
    void Upravit();
    void Smazat();
    void Spustit();
    // Closes the dialog and starts the selected program live.
    void SpustitZive();
    void OK();
    void Zrusit();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QStandardItem *AddRow(const CatalogueEntry &entry);
    void SetFields(QStandardItem *nameItem, const CatalogueEntry &entry);
    void SetUpTools();

    std::unique_ptr<Ui::TProgramyForm> ui_;
    CatalogueStore &store_;
    const TextService &texts_;
    TPridatProgramForm *pridatProgram_ = nullptr;
    QStandardItemModel *model_ = nullptr;
    QtUserDialogs realDialogs_;
    UserDialogs *dialogs_ = nullptr;
    std::unique_ptr<ShellOpen> ownShell_;
    std::unique_ptr<ProgramIcon> ownIcons_;
    std::unique_ptr<ProgramStarter> ownStarter_;
    ProgramIcon *icons_ = nullptr;
    ProgramStarter *starter_ = nullptr;
    std::function<void(const QString &)> liveStart_;
};

} // namespace verbaria
