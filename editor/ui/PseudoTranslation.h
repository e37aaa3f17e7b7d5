#pragma once

namespace verbaria {

class EditorContext;
class RowChecks;

// Fills every translation of the document with its pseudo form (accented, lengthened, bracketed;
// checks/PseudoText.h), as one undo step: the program run with it shows which texts it does not
// translate and which layouts are too tight. A component takes the text its form holds (the
// template's "/Text=" line); one without it, a shortcut and a whole number keep their translation,
// and so does a text the language's code page cannot hold.
void FillWithPseudoLanguage(EditorContext &context, RowChecks &checks);

} // namespace verbaria
