#pragma once

#include <QIcon>
#include <QString>

namespace verbaria {

// The icon the desktop shows for a program file, as the catalogue of programs displays it.
class ProgramIcon
{
public:
    // The catalogue shows large icons of this many pixels square.
    static constexpr int LargeIconSize = 32;

    virtual ~ProgramIcon() = default;

    // A null icon for an empty path or a path that names nothing.
    virtual QIcon IconOf(const QString &programPath) = 0;
};

} // namespace verbaria
