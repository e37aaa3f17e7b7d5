#include "settings/core/SettingsFile.h"

#include "formats/Paths.h"
#include "formats/ProfileFile.h"
#include "formats/TextRules.h"

#include <array>

namespace verbaria {

namespace {

constexpr std::string_view SectionObecne = "Obecne";
constexpr std::string_view SectionNaposledy = "Naposledy otevreny";
constexpr std::string_view KeyJazyk = "Jazyk";
// "é" is byte E9 of code page 1250; "n" and "i" stay plain, unlike the check box's caption.
constexpr std::string_view KeyAutomatickeDoplnovani = "Automatick\xE9 doplnovani";
constexpr std::string_view KeyJazykProPopisy = "Jazyk pro popisy";
constexpr std::string_view KeySablona = "Sablona";
constexpr std::string_view SectionOkno = "Okno";
constexpr std::string_view KeyPoloha = "Poloha";
constexpr std::string_view KeySloupce = "Sloupce";
constexpr std::string_view KeyKodovaStranka = "Kodova stranka";
constexpr std::string_view KeySledovatOriginaly = "Sledovat originaly";
constexpr std::string_view SectionPosledniSoubory = "Posledni soubory";

std::string RecentFileKey(std::size_t index)
{
    return "Soubor" + std::to_string(index + 1);
}

} // namespace

std::string SettingsFilePath(const std::string &slozkaProgramu)
{
    std::string folder = slozkaProgramu;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '/';
    return NativePath(folder + "glotra.ini");
}

bool DecodeSettingsBoolean(std::string_view text)
{
    static constexpr std::array<std::string_view, 5> onForms = {"ANO", "YES", "JA", "TRUE", "1"};
    const std::string upper = UpperAscii(text);
    for (std::string_view form : onForms) {
        if (upper == form)
            return true;
    }
    return false;
}

std::string EncodeSettingsBoolean(bool on)
{
    return on ? "Ano" : "Ne";
}

void NactiNastaveni(const std::string &slozkaProgramu, SettingsValues &values)
{
    const SettingsValues defaults;
    const ProfileFile file(SettingsFilePath(slozkaProgramu));
    values.JazykRozhrani = file.ReadString(SectionObecne, KeyJazyk, defaults.JazykRozhrani);
    values.AutomatickeDoplnovani = DecodeSettingsBoolean(file.ReadString(
        SectionObecne, KeyAutomatickeDoplnovani, EncodeSettingsBoolean(defaults.AutomatickeDoplnovani)));
    values.PosledniJazyk = file.ReadString(SectionNaposledy, KeyJazyk, defaults.PosledniJazyk);
    values.JazykProPopisy = file.ReadString(SectionNaposledy, KeyJazykProPopisy, defaults.JazykProPopisy);
    values.PosledniSablona = file.ReadString(SectionNaposledy, KeySablona, defaults.PosledniSablona);
    values.OknoPoloha = file.ReadString(SectionOkno, KeyPoloha, {});
    values.OknoSloupce = file.ReadString(SectionOkno, KeySloupce, {});
    values.KodovaStranka = std::string(TrimBlanks(file.ReadString(SectionObecne, KeyKodovaStranka, "")));
    values.SledovatOriginaly =
        DecodeSettingsBoolean(file.ReadString(SectionObecne, KeySledovatOriginaly, ""));
    values.PosledniSoubory.clear();
    for (std::size_t index = 0; index < MaxRecentFiles; ++index) {
        std::string path = file.ReadString(SectionPosledniSoubory, RecentFileKey(index), {});
        if (!path.empty())
            values.PosledniSoubory.push_back(std::move(path));
    }
}

void UlozitNastaveni(const std::string &slozkaProgramu, const SettingsValues &values)
{
    ProfileFile file(SettingsFilePath(slozkaProgramu));
    file.WriteString(SectionObecne, KeyJazyk, values.JazykRozhrani);
    file.WriteString(SectionObecne, KeyAutomatickeDoplnovani,
                     EncodeSettingsBoolean(values.AutomatickeDoplnovani));
    file.WriteString(SectionNaposledy, KeyJazyk, values.PosledniJazyk);
    file.WriteString(SectionNaposledy, KeyJazykProPopisy, values.JazykProPopisy);
    file.WriteString(SectionNaposledy, KeySablona, values.PosledniSablona);
    // Written only once there is something to remember, so a file without them stays as it was.
    if (!values.OknoPoloha.empty())
        file.WriteString(SectionOkno, KeyPoloha, values.OknoPoloha);
    if (!values.OknoSloupce.empty())
        file.WriteString(SectionOkno, KeySloupce, values.OknoSloupce);
    // Only once chosen, so that a first run writes the file it always wrote.
    if (!values.KodovaStranka.empty())
        file.WriteString(SectionObecne, KeyKodovaStranka, values.KodovaStranka);
    // Also only once chosen; turned off again it is written so.
    if (values.SledovatOriginaly || !file.ReadString(SectionObecne, KeySledovatOriginaly, "").empty())
        file.WriteString(SectionObecne, KeySledovatOriginaly,
                         EncodeSettingsBoolean(values.SledovatOriginaly));
    // The recent files: the list only grows to its length and turns, so every key once written is
    // written again.
    for (std::size_t index = 0; index < values.PosledniSoubory.size() && index < MaxRecentFiles; ++index)
        file.WriteString(SectionPosledniSoubory, RecentFileKey(index), values.PosledniSoubory[index]);
}

} // namespace verbaria
