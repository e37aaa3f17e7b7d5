#pragma once

#include "editor/core/UserDialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace verbaria {

// The real message boxes and file dialogs behind the editor's dialogs seam. Texts arrive in the
// files' code page and are decoded for display.
class QtUserDialogs final : public UserDialogs
{
public:
    explicit QtUserDialogs(QWidget *owner = nullptr);
    void SetOwner(QWidget *owner) { owner_ = owner; }

    bool AskYesNo(const std::string &question) override;
    void Inform(const std::string &message) override;
    void ReportError(const std::string &message) override;
    std::optional<std::string> ChooseFileToOpen(const FileDialogState &dialog) override;
    std::optional<std::string> ChooseFileToSave(const FileDialogState &dialog) override;
    std::optional<std::string> AskText(const std::string &question, const std::string &text) override;

    // "Jazyky (*.lng)|*.lng|Všechny soubory|*.*" in the form QFileDialog takes.
    static QStringList QtFilters(const QString &filter);
    // A message of the seam as the box shows it.
    static QString MessageText(const std::string &message);

private:
    QString Caption() const;
    std::optional<std::string> ChooseFile(const FileDialogState &dialog, bool save);

    QPointer<QWidget> owner_;
};

} // namespace verbaria
