#pragma once

namespace verbaria {

class LanguageDocument;

// The conversion of an old-format file into a language file and a template, driven through the
// document's own open and save dialogs: the old file, the new language file's name, the new
// template's name. Cancel ends it. The dialogs are always set back to what the file commands
// expect, also after a failed conversion, whose message goes to the standard error box.
void ImportovatZeStareVerze(LanguageDocument &document);

} // namespace verbaria
