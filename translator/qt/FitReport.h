#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class QWidget;

namespace verbaria::qt {

class TKVTranslator;

// A text that does not fit the room its widget gives it: the widget clips or elides it.
struct FitProblem
{
    std::int32_t Number = -1; // the template entry that sets the text; -1 when no entry does
    // The text's component path: the entry's, else the one a template would name it by
    // ("MainForm.buttonOK.Caption", "MainForm.comboTyp.Items"); empty for an unnamed widget.
    QString Path;
    // Where it is shown: the named objects from the window down ("MainForm.groupBox.buttonOK"),
    // with the index of a list entry, header section or tab ("MainForm.comboTyp[2]").
    QString Object;
    QString Text;        // as the widget shows it
    int Missing = 0;     // pixels the text lacks
    bool Height = false; // Missing is of height (a label that wraps its words), not of width
};

struct FitOptions
{
    // Also the pages nobody looks at: every page of a tab widget, stacked widget or tool box is
    // made the current one in turn, measured, and the current page is given back. For a form
    // shown only to be measured; a program the user works in is measured as it stands.
    bool EveryPage = false;
};

// Measures the texts of a laid-out window (and of its menus) against the room their widgets
// give them: labels (a label that wraps its words by its height), buttons, check and radio
// boxes, group box titles, tab texts, menu bar and menu entries, combo box entries, the header
// sections of item views. A window's title is left out. Only what is visible is measured,
// unless options.EveryPage. With a translator, each text is given the number of the entry that
// sets it (a component path reaching it, else a message whose translation it is).
std::vector<FitProblem> MeasureFit(QWidget *window, TKVTranslator *translator = nullptr,
                                   const FitOptions &options = {});

// Every visible window of the program, in the order the translator knows its forms.
std::vector<FitProblem> MeasureFit(TKVTranslator &translator);

} // namespace verbaria::qt
