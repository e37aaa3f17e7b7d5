#pragma once

#include <QString>

namespace verbaria {

// The one registry record of the installation: the value "Path" (the program folder) under the key
// "\Software\Quorvel\Glotra" of the system scope. Written at every start, deleted on uninstall,
// never read by the program. Failures pass silently; the result is only for those who care.
class RegistryRecord
{
public:
    virtual ~RegistryRecord() = default;

    // Creates the key if needed and writes "Path" = programFolder.
    virtual bool Write(const QString &programFolder) = 0;
    // Deletes the key with all it holds; the key above it stays. A key that is not there counts
    // as deleted.
    virtual bool Delete() = 0;
};

} // namespace verbaria
