#pragma once

#include <QString>

namespace verbaria::spelling {

// One Hunspell dictionary on disk: "cs_CZ" is cs_CZ.aff with cs_CZ.dic beside it.
struct Dictionary
{
    QString Code;
    QString AffixFile;
    QString WordsFile;
};

} // namespace verbaria::spelling
