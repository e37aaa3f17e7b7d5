#include "formats/TrackedOriginals.h"

#include "formats/CommentValue.h"
#include "formats/Errors.h"
#include "formats/LanguageFile.h"
#include "formats/MessageInfo.h"
#include "formats/TextRules.h"

#include <optional>
#include <set>

namespace verbaria {

namespace {

constexpr std::string_view TrackingPrefix = "/Tracking:";
constexpr std::string_view TrackingLine = "/Tracking: originals";
constexpr std::string_view OriginalPrefix = "/Original ";
constexpr std::string_view ObsoletePrefix = "/Obsolete ";
constexpr std::string_view ObsoleteFormPrefix = "/Obsolete-";
constexpr std::string_view FormTextPrefix = "/Text=";

// "/Obsolete-Form 00040 1:text": a form line of the item format behind its own prefix, so that
// the plural forms of an entry the template may give the number again are not taken for its.
bool ReadObsoleteForm(std::string_view line, std::int32_t &number, std::size_t &form, std::string_view &text)
{
    if (!IsCommentValueLine(line, ObsoleteFormPrefix))
        return false;
    const std::string formLine = "/" + std::string(line.substr(ObsoleteFormPrefix.size()));
    std::string_view value;
    if (!ReadFormLine(formLine, number, form, value))
        return false;
    const auto at = static_cast<std::size_t>(value.data() - formLine.data()) - 1 + ObsoleteFormPrefix.size();
    text = TrimLeftBlanks(line.substr(at, value.size()));
    return true;
}

void AppendNumbered(std::string &out, std::string_view prefix, std::int32_t number, std::string_view text)
{
    out.append(prefix).append(PadNumber(number, 5)).append(":").append(text).append("\r\n");
}

} // namespace

bool IsTrackingLine(std::string_view line)
{
    std::int32_t number = 0;
    std::size_t form = 0;
    std::string_view text;
    return IsCommentValueLine(line, TrackingPrefix) || NumberedCommentValue(line, OriginalPrefix) ||
           NumberedCommentValue(line, ObsoletePrefix) || ReadObsoleteForm(line, number, form, text);
}

TrackedOriginals ReadTrackedOriginals(std::string_view languageBytes)
{
    TrackedOriginals tracked;
    // An original belongs to the next item or obsolete line of its number; the notes and forms
    // that may stand between are passed over.
    std::optional<std::pair<std::int32_t, std::string>> pending;
    std::int32_t formNumber = 0;
    std::size_t form = 0;
    std::string_view formText;
    ForEachLine(languageBytes, [&](std::string_view line) {
        if (line.empty())
            return;
        if (line.front() == '/') {
            if (IsCommentValueLine(line, TrackingPrefix)) {
                tracked.Tracking = true;
            } else if (const auto original = NumberedCommentValue(line, OriginalPrefix)) {
                pending.emplace(original->first, std::string(original->second));
            } else if (const auto obsolete = NumberedCommentValue(line, ObsoletePrefix)) {
                ObsoleteTranslation &kept = tracked.Obsolete[obsolete->first];
                kept.Translation.assign(obsolete->second);
                if (pending && pending->first == obsolete->first)
                    kept.Original = std::move(pending->second);
                pending.reset();
            } else if (ReadObsoleteForm(line, formNumber, form, formText)) {
                if (const auto kept = tracked.Obsolete.find(formNumber); kept != tracked.Obsolete.end()) {
                    if (kept->second.Forms.size() < form)
                        kept->second.Forms.resize(form);
                    kept->second.Forms[form - 1].assign(formText);
                }
            }
            return;
        }
        if (const auto number = ItemNumberOf(line)) {
            if (pending && pending->first == *number)
                tracked.Originals.try_emplace(*number, std::move(pending->second));
            pending.reset();
        }
    });
    return tracked;
}

std::string WithTrackedOriginals(std::string_view languageBytes, const TrackedOriginals &tracked)
{
    std::string out;
    out.reserve(languageBytes.size() + (tracked.Tracking ? tracked.Originals.size() * 48 + 32 : 0));
    bool trackingWritten = false;
    const auto writeTracking = [&] {
        if (tracked.Tracking && !trackingWritten) {
            out.append(TrackingLine).append("\r\n");
            trackingWritten = true;
        }
    };
    std::set<std::int32_t> written;
    ForEachLineWithEnd(languageBytes, [&](std::string_view whole, std::string_view line) {
        if (IsTrackingLine(line))
            return;
        if (IsItemLine(line)) {
            writeTracking();
            const auto number = ItemNumberOf(line);
            if (tracked.Tracking && number && written.insert(*number).second) {
                const auto original = tracked.Originals.find(*number);
                if (original != tracked.Originals.end())
                    AppendNumbered(out, OriginalPrefix, *number, original->second);
            }
        }
        out += whole;
    });
    if (!tracked.Tracking)
        return out;
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    writeTracking();
    for (const auto &[number, kept] : tracked.Obsolete) {
        if (!kept.Original.empty())
            AppendNumbered(out, OriginalPrefix, number, kept.Original);
        AppendNumbered(out, ObsoletePrefix, number, kept.Translation);
        for (std::size_t form = 0; form < kept.Forms.size(); ++form) {
            if (!kept.Forms[form].empty())
                out.append(ObsoleteFormPrefix)
                    .append(FormatFormLine(number, form + 1, kept.Forms[form]).substr(1))
                    .append("\r\n");
        }
    }
    return out;
}

std::vector<std::string> TemplateOriginals(std::string_view templateBytes,
                                           const std::vector<TEditorItem> &items)
{
    std::vector<std::string> originals;
    originals.reserve(items.size());
    for (const TEditorItem &item : items)
        originals.push_back(item.Text);
    // The form's text of a component stands in a comment line above it; the entries are read
    // again in the same order to find which comment belongs to which.
    EditorTemplate again;
    TemplateReader reader(again);
    std::optional<std::string_view> formText;
    try {
        ForEachLine(templateBytes, [&](std::string_view line) {
            const std::string_view stripped = TrimLeftBlanks(line);
            if (stripped.empty())
                return;
            if (stripped.front() == '/') {
                if (IsCommentValueLine(stripped, FormTextPrefix))
                    formText = stripped.substr(FormTextPrefix.size());
                return;
            }
            const std::size_t before = again.Items.size();
            reader.ReadLine(line);
            if (again.Items.size() > before && formText && before < originals.size() &&
                items[before].Kind == ikComponent)
                originals[before].assign(*formText);
            formText.reset();
        });
    } catch (const FormatError &) {
        // The entries read before the error keep their originals; the template's own reading
        // stopped at the same line.
    }
    return originals;
}

} // namespace verbaria
