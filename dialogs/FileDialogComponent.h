#pragma once

#include "editor/core/UserDialogs.h"

#include <QObject>
#include <QString>

namespace verbaria {

// The main window's open and save dialogs as components with published properties, so that the
// editor's own language files can give them their titles, filters and file names the way they
// reach every other caption. The values live in the document's dialog state.
class FileDialogComponent final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)

public:
    FileDialogComponent(const QString &name, FileDialogState &state, QObject *owner);

    QString Title() const;
    void SetTitle(const QString &title);
    QString Filter() const;
    void SetFilter(const QString &filter);
    QString FileName() const;
    void SetFileName(const QString &fileName);
    QString DefaultExt() const;
    void SetDefaultExt(const QString &extension);
    QString InitialDir() const;
    void SetInitialDir(const QString &folder);

private:
    FileDialogState &state_;
};

} // namespace verbaria
