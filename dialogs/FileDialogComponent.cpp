#include "dialogs/FileDialogComponent.h"

namespace verbaria {

FileDialogComponent::FileDialogComponent(const QString &name, FileDialogState &state, QObject *owner)
    : QObject(owner)
    , state_(state)
{
    setObjectName(name);
}

QString FileDialogComponent::Title() const
{
    return QString::fromStdString(state_.Title);
}

void FileDialogComponent::SetTitle(const QString &title)
{
    state_.Title = title.toStdString();
}

QString FileDialogComponent::Filter() const
{
    return QString::fromStdString(state_.Filter);
}

void FileDialogComponent::SetFilter(const QString &filter)
{
    state_.Filter = filter.toStdString();
}

QString FileDialogComponent::FileName() const
{
    return QString::fromStdString(state_.FileName);
}

void FileDialogComponent::SetFileName(const QString &fileName)
{
    state_.FileName = fileName.toStdString();
}

QString FileDialogComponent::DefaultExt() const
{
    return QString::fromStdString(state_.DefaultExtension);
}

void FileDialogComponent::SetDefaultExt(const QString &extension)
{
    state_.DefaultExtension = extension.toStdString();
}

QString FileDialogComponent::InitialDir() const
{
    return QString::fromStdString(state_.InitialFolder);
}

void FileDialogComponent::SetInitialDir(const QString &folder)
{
    state_.InitialFolder = folder.toStdString();
}

} // namespace verbaria
