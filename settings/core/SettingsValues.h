#pragma once

#include <string>
#include <vector>

namespace verbaria {

// How many recent files the File menu offers and the settings keep.
inline constexpr std::size_t MaxRecentFiles = 8;

// The values the editor remembers from one run to the next. They live for the whole run;
// loading templates and language files updates the three paths, the settings dialog the other two.
struct SettingsValues
{
    std::string JazykRozhrani = "czech.lng"; // user-interface language, a bare file name in jazyky/
    bool AutomatickeDoplnovani = false;      // copy a finished translation to rows with the same original
    std::string PosledniJazyk = "jazyky\\czech.lng";  // language file loaded last into the right column
    std::string JazykProPopisy = "jazyky\\czech.lng"; // description language loaded last into the left column
    std::string PosledniSablona = "jazyky\\glotra11.lnd"; // template loaded last
    // The main window's place and its columns, "x,y,width,height" and "left,right"; empty until
    // the user has once moved, sized or dragged them (and then stored in the section "Okno").
    std::string OknoPoloha;
    std::string OknoSloupce;
    // The code page of files that declare none; empty until the user chooses one ("windows-1250").
    std::string KodovaStranka;
    // New language files remember the originals of their translations.
    bool SledovatOriginaly = false;
    // The files opened, saved or started from last, the latest first (section "Posledni soubory",
    // written only once there is one).
    std::vector<std::string> PosledniSoubory;
};

} // namespace verbaria
