#pragma once

#include "platform/RegistryRecord.h"

namespace verbaria {

// On Windows the real key under HKEY_LOCAL_MACHINE. Elsewhere the key is an INI file in the
// system configuration folder (for instance /etc/xdg/Quorvel/Glotra.conf), its folder standing
// for the key above it.
class SystemRegistryRecord final : public RegistryRecord
{
public:
    SystemRegistryRecord();
    // Elsewhere than Windows: the record kept in iniFile instead (tests use a temporary folder).
    explicit SystemRegistryRecord(const QString &iniFile);

    bool Write(const QString &programFolder) override;
    bool Delete() override;

    // Where the record lives: the INI file, or the registry path on Windows.
    QString Location() const { return location_; }

private:
    QString location_;
    bool native_ = false;
};

} // namespace verbaria
