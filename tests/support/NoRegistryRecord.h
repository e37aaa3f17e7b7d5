#pragma once

#include "platform/RegistryRecord.h"

// A registry record that accepts every write and every deletion and keeps nothing, so that a test
// never touches the system's configuration.
class NoRegistryRecord final : public verbaria::RegistryRecord
{
public:
    bool Write(const QString &) override { return true; }
    bool Delete() override { return true; }
};
