#include "platform/SystemRegistryRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

const QString organization = u"Quorvel"_s;
const QString application = u"Glotra"_s;
const QString valueName = u"Path"_s;

QString DefaultLocation()
{
#ifdef Q_OS_WIN
    return u"HKEY_LOCAL_MACHINE\\Software\\Quorvel\\Glotra"_s;
#else
    // The native format of Unix is INI text in a ".conf" file, for instance /etc/xdg/Quorvel/Glotra.conf.
    return QSettings(QSettings::NativeFormat, QSettings::SystemScope, organization, application).fileName();
#endif
}

} // namespace

SystemRegistryRecord::SystemRegistryRecord()
    : location_(DefaultLocation())
#ifdef Q_OS_WIN
    , native_(true)
#endif
{
}

SystemRegistryRecord::SystemRegistryRecord(const QString &iniFile)
    : location_(iniFile)
{
}

bool SystemRegistryRecord::Write(const QString &programFolder)
{
    QSettings record(location_, native_ ? QSettings::NativeFormat : QSettings::IniFormat);
    record.setValue(valueName, programFolder);
    record.sync();
    return record.status() == QSettings::NoError;
}

bool SystemRegistryRecord::Delete()
{
    if (native_) {
        // Removing the key from its parent takes the key itself, not only its values.
        const qsizetype cut = location_.lastIndexOf(u'\\');
        QSettings parent(location_.left(cut), QSettings::NativeFormat);
        parent.remove(location_.mid(cut + 1));
        parent.sync();
        return parent.status() == QSettings::NoError;
    }
    return !QFileInfo::exists(location_) || QFile::remove(location_);
}

} // namespace verbaria
