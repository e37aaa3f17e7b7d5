#pragma once

#include <optional>
#include <string>

namespace verbaria {

// What a file dialog remembers between uses: the program changes these and the dialog shows
// them. Title and filter are texts in UTF-8; the filter has the form
// "Description|*.ext|Description|*.*". Paths are native file names.
struct FileDialogState
{
    std::string Title;
    std::string Filter;
    std::string DefaultExtension; // "*.lng"
    std::string FileName;
    std::string InitialFolder;
};

// Every question, message and file dialog of the editor goes through this seam: the windows show
// the real dialogs, tests script the answers. Message texts are UTF-8.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // A confirmation box with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string &question) = 0;
    // A plain message box with OK.
    virtual void Inform(const std::string &message) = 0;
    // The application's standard error box.
    virtual void ReportError(const std::string &message) = 0;
    // The open dialog: an existing file, or nullopt when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(const FileDialogState &dialog) = 0;
    // The save dialog, which asks itself before an existing file is overwritten.
    virtual std::optional<std::string> ChooseFileToSave(const FileDialogState &dialog) = 0;
    // A text to write or change (it may hold line breaks), shown with text; nullopt when the user
    // cancels. Without a window to ask in, nothing is asked.
    virtual std::optional<std::string> AskText(const std::string &question, const std::string &text)
    {
        (void)question;
        (void)text;
        return std::nullopt;
    }
};

// Turns the Czech texts that the program builds in code into the user-interface language: the
// key is the Czech text in UTF-8 (as it stands in the source), the result is UTF-8 too: the
// program's own texts never pass through a document's code page.
class TextService
{
public:
    virtual ~TextService() = default;
    virtual std::string TranslateText(std::string_view czechUtf8) const = 0;
};

// No user-interface language: every text stays Czech.
class CzechTexts final : public TextService
{
public:
    std::string TranslateText(std::string_view czechUtf8) const override;
};

} // namespace verbaria
