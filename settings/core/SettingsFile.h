#pragma once

#include "settings/core/SettingsValues.h"

#include <string>
#include <string_view>

// "glotra.ini" in the program folder: the five remembered values under the sections "Obecne" and
// "Naposledy otevreny". The file stays readable and writable by the Windows profile functions.
namespace verbaria {

// slozkaProgramu + "glotra.ini", with the folder's "\" separators made native.
std::string SettingsFilePath(const std::string &slozkaProgramu);

// "ANO", "YES", "JA", "TRUE" and "1", after upper-casing ASCII letters, are on; anything else is off.
bool DecodeSettingsBoolean(std::string_view text);
// "Ano" or "Ne".
std::string EncodeSettingsBoolean(bool on);

// Reads every value; a missing or unreadable file, section or key gives the value's default.
void NactiNastaveni(const std::string &slozkaProgramu, SettingsValues &values);

// Writes the five values one key at a time, in a fixed order. A value that cannot be written
// raises InOutError "Unable to write to <file>"; the values written before it stay in the file.
void UlozitNastaveni(const std::string &slozkaProgramu, const SettingsValues &values);

} // namespace verbaria
