#pragma once

#include <QString>

namespace verbaria {

// Two texts word by word as rich text: the words only the old text has struck out on red, the
// words only the new one has on green. Which of them the line shows: the old text with what went,
// the new one with what came, or both in one line, each went word before the word that replaced it.
enum class DifferenceShown { Old, New, Both };
QString MarkedDifference(const QString &oldText, const QString &newText, DifferenceShown shown);

} // namespace verbaria
