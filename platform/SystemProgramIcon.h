#pragma once

#include "platform/ProgramIcon.h"

#include <QFileIconProvider>

namespace verbaria {

// Icons from the desktop's file icon provider, taken at the large size.
class SystemProgramIcon final : public ProgramIcon
{
public:
    QIcon IconOf(const QString &programPath) override;

private:
    QFileIconProvider provider_;
};

} // namespace verbaria
