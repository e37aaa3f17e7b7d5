#pragma once

#include "platform/CodePage.h"
#include "translator/TKVTranslator.h"
#include "translator/qt/QtComponentTree.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

class QWidget;

namespace verbaria::qt {

class LiveLink;

// The runtime translator for a Qt program: reads a template (.lnd) and a language file (.lng)
// and writes the translations into the program's live widgets, addressed by paths of object
// names such as "MainForm.buttonOK.Caption" (QtComponentTree tells how paths reach objects and
// properties), and answers look-ups of message texts:
//
//     #include <translator/qt/TKVTranslator.h>   // find_package(VerbariaTranslator)
//
//     auto *translator = new verbaria::qt::TKVTranslator(&mainWindow); // owned by its parent
//     translator->LoadTemplate(QStringLiteral("jazyky/program.lnd"));
//     translator->SetLanguageFile(QStringLiteral("jazyky/english.lng"));
//     translator->Translate();
//     QMessageBox::information(&mainWindow, {}, translator->TranslateText("Hotovo"));
//
// Switching languages: set another LanguageFile, then Translate. A property the new language
// does not translate gets back the value it had before the first Translate; an empty
// LanguageFile gives every translated property its own text back.
//
// Forms created after Translate (a dialog made on demand, a second copy of a form) are not
// translated by it: Translate reaches the first window of each name that exists at that moment.
// SetTranslateNewForms(true) installs an event filter on the application that translates every
// top-level widget when it is first shown, and again at every later Translate. It is off by
// default, because then a form's texts change while it is being shown, not when Translate is
// called; TranslateForm does the same for one form on demand.
//
// Each file is read in the code page it declares ("Codepage=windows-1251" in its header, or a
// UTF-8 byte-order mark); a file that declares none is in CodePage, "windows-1250" unless
// SetCodePage says otherwise. TranslateText keys are in the template's, texts in the language's.
// The first segment of a path is the objectName of a form (a top-level window), so give every
// form and every translated object its name.
//
// Errors never leave these functions as exceptions (they may be called from slots): a file
// that stops reading makes the call return false (TranslateText returns the text unchanged),
// keeps what was read before the error, sets ErrorString() and emits ErrorOccurred. A missing
// file is not an error: nothing changes, and a missing language file is looked for again at
// the next use. A list translation with another number of items than the list has (fewer would
// delete entries; an item holding the separator becomes two) is refused: the list keeps its
// entries, ErrorOccurred tells which, and the rest of the translation is applied (Translate
// returns true).
class TKVTranslator final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString LanguageFile READ LanguageFile WRITE SetLanguageFile)
    Q_PROPERTY(QStringList Template READ Template WRITE SetTemplate)
    Q_PROPERTY(QString Separator READ Separator WRITE SetSeparator)
    Q_PROPERTY(QString CodePage READ CodePageName WRITE SetCodePage)

public:
    explicit TKVTranslator(QObject *owner = nullptr);
    ~TKVTranslator() override;

    QString LanguageFile() const;
    // Stores the path and reads the language at once.
    bool SetLanguageFile(const QString &fileName);
    QStringList Template() const;
    // Template lines, read only while no template has been read (LoadTemplate wins over them).
    void SetTemplate(const QStringList &lines);
    QString Separator() const;
    // List values (Items, Lines, QStringList properties) are split at the separator; a value
    // that trims to nothing stores ",". A new translator splits at ",", as scan joins a list's
    // entries in its "/Text=" comments.
    void SetSeparator(const QString &separator);
    QString CodePageName() const { return codePage_.Name(); }
    // The code page of files that declare none. False, keeping the current one, for a code page
    // Qt does not know.
    bool SetCodePage(const QString &name);
    // The code pages the template's and the language file's bytes are read in.
    const CodePage &TemplateCodePage() const { return templateCodePage_; }
    const CodePage &LanguageCodePage() const { return languageCodePage_; }

    // False only when reading stopped at an error; a missing file changes nothing.
    bool LoadTemplate(const QString &fileName);
    // Writes the translations into the windows. After a language was read (the first one, or a
    // switch), it first sets the layout direction and sends QEvent::LanguageChange to every
    // window, as installTranslator does, so that retranslateUi() runs (through TKVQtTranslator).
    bool Translate();
    // The translation of a text in the program's own language, or the text itself.
    QString TranslateText(const QString &text);
    // A UTF-8 text, such as a literal of a source file saved in UTF-8.
    QString TranslateText(const char *utf8Text) { return TranslateText(QString::fromUtf8(utf8Text)); }
    // The same on bytes in the files' code page, for code that keeps texts in std::string.
    std::string TranslateText(std::string_view text);

    // Writes the entries whose first segment is form's objectName into form (see above).
    bool TranslateForm(QWidget *form);
    void SetTranslateNewForms(bool on);
    bool TranslateNewForms() const { return translateNewForms_; }

    QString ErrorString() const { return errorString_; }
    // The language reads from right to left: the file's "Direction=RTL" header, else its language
    // (Arabic, Hebrew, Persian...). Translate sets the application's layout direction by it.
    bool IsRightToLeft() const;

    // Bytes of the language file to QString and back, in its code page.
    QString Decode(std::string_view bytes) const { return languageCodePage_.Decode(bytes); }
    std::string Encode(const QString &text, bool *lossless = nullptr) const
    {
        std::optional<std::string> bytes = languageCodePage_.Encode(text);
        if (lossless)
            *lossless = bytes.has_value();
        return bytes ? *std::move(bytes) : languageCodePage_.EncodeLossy(text);
    }

    // The standard C++ translator underneath: template and language headers, Items, flags.
    // Its functions raise errors instead of reporting them.
    verbaria::TKVTranslator &Core() { return core_; }
    const verbaria::TKVTranslator &Core() const { return core_; }

    // The editor's live link, when the editor started the program (see LiveLink); else nullptr.
    LiveLink *Live() const { return live_; }

signals:
    void OnBeforeTranslation(verbaria::qt::TKVTranslator *sender);
    void OnAfterTranslation(verbaria::qt::TKVTranslator *sender);
    void ErrorOccurred(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class LiveLink;
    template <class Action> bool Guarded(Action action);
    void TrackForm(QWidget *form);
    void ReportRefusedLists();
    // After a read: each file's declaration, or the default.
    void FollowDeclarations();
    // After a language was read: the layout direction, and QEvent::LanguageChange to every window.
    void AnnounceLanguage();

    CodePage codePage_;
    CodePage templateCodePage_;
    CodePage languageCodePage_;
    std::uint64_t followedReads_ = ~std::uint64_t{0};
    std::uint64_t announcedReads_ = ~std::uint64_t{0};
    QString followedDefault_;
    QtComponentTree tree_;
    verbaria::TKVTranslator core_;
    QString errorString_;
    bool translateNewForms_ = false;
    // Texts found in the table, with their translations, as QString: a look-up repeated with
    // the same text is one hash probe, with no conversion through the code page. Valid while the
    // core's generation stays; texts without an entry are not kept (a program may look up
    // any number of different texts).
    QHash<QString, QString> found_;
    std::uint64_t foundReads_ = ~std::uint64_t{0};
    QString foundDefault_;
    QSet<QObject *> shownForms_; // forms the event filter has translated; removed when destroyed
    LiveLink *live_ = nullptr;   // a child, made only when the program was started live
};

} // namespace verbaria::qt
