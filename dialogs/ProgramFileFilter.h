#pragma once

#include <QFileInfo>
#include <QSortFilterProxyModel>

namespace verbaria {

// The program chooser's "*.exe" filter where programs have no suffix: while it is active the file
// dialog lists folders, executable files and .exe files (a Windows program to translate), and
// hides the rest. A name pattern cannot say "executable", so the dialog's list is filtered here.
class ProgramFileFilter final : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    static bool Offered(const QFileInfo &file);
    void SetActive(bool active);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool active_ = true;
};

} // namespace verbaria
