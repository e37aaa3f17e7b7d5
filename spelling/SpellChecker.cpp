#include "spelling/SpellChecker.h"

#include "platform/CodePage.h"
#include "spelling/SpellingWords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <hunspell.hxx>

namespace verbaria::spelling {

namespace {

// Hunspell's names for the encodings of its SET line, as Qt knows them.
QString QtEncodingName(const std::string &hunspellName)
{
    const QString name = QString::fromStdString(hunspellName).trimmed();
    if (name.startsWith(QLatin1String("ISO8859-"), Qt::CaseInsensitive))
        return QStringLiteral("ISO-8859-") + name.mid(8);
    if (name.compare(QLatin1String("microsoft-cp1251"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("windows-1251");
    if (name.startsWith(QLatin1String("TIS620"), Qt::CaseInsensitive))
        return QStringLiteral("TIS-620");
    return name;
}

bool IsUtf8(const QString &name)
{
    return name.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0;
}

// Turns byte offsets of UTF-8 text into the UTF-16 positions of the same characters; the offsets
// must come in rising order.
class Utf16Positions final
{
public:
    explicit Utf16Positions(const QByteArray &utf8)
        : utf8_(utf8)
    {
    }

    int At(std::size_t byteOffset)
    {
        for (; byte_ < byteOffset && byte_ < static_cast<std::size_t>(utf8_.size()); ++byte_) {
            const auto c = static_cast<unsigned char>(utf8_[static_cast<qsizetype>(byte_)]);
            if ((c & 0xC0) != 0x80)
                unit_ += c >= 0xF0 ? 2 : 1; // beyond the BMP a character takes two units
        }
        return unit_;
    }

private:
    const QByteArray &utf8_;
    std::size_t byte_ = 0;
    int unit_ = 0;
};

} // namespace

std::unique_ptr<SpellChecker> SpellChecker::Open(const Dictionary &dictionary, const QString &userWordsFile)
{
    if (!QFileInfo(dictionary.AffixFile).isReadable() || !QFileInfo(dictionary.WordsFile).isReadable())
        return nullptr;
    std::unique_ptr<SpellChecker> checker(new SpellChecker);
    checker->code_ = dictionary.Code;
    checker->userWordsFile_ = userWordsFile;
    checker->hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(dictionary.AffixFile).constData(),
                                                    QFile::encodeName(dictionary.WordsFile).constData());
    const QString encoding = QtEncodingName(checker->hunspell_->get_dict_encoding());
    if (!IsUtf8(encoding)) {
        std::optional<CodePage> codePage = CodePage::Named(encoding);
        if (!codePage)
            return nullptr;
        checker->encoding_ = std::make_unique<CodePage>(*codePage);
    }

    QFile words(userWordsFile);
    if (!userWordsFile.isEmpty() && words.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : words.readAll().split('\n')) {
            const QString word = QString::fromUtf8(line).trimmed();
            if (word.isEmpty() || checker->userWords_.contains(word))
                continue;
            checker->userWords_.append(word);
            if (const std::optional<std::string> bytes = checker->ToDictionary(word))
                checker->hunspell_->add(*bytes);
        }
    }
    return checker;
}

SpellChecker::~SpellChecker() = default;

std::optional<std::string> SpellChecker::ToDictionary(const QString &word) const
{
    if (!encoding_)
        return word.toStdString();
    return encoding_->Encode(word);
}

QString SpellChecker::FromDictionary(const std::string &bytes) const
{
    return encoding_ ? encoding_->Decode(bytes) : QString::fromStdString(bytes);
}

bool SpellChecker::IsCorrect(const QString &word) const
{
    const std::optional<std::string> bytes = ToDictionary(word);
    return !bytes || hunspell_->spell(*bytes);
}

QStringList SpellChecker::Suggestions(const QString &word) const
{
    QStringList suggestions;
    const std::optional<std::string> bytes = ToDictionary(word);
    if (!bytes)
        return suggestions;
    for (const std::string &suggestion : hunspell_->suggest(*bytes))
        suggestions.append(FromDictionary(suggestion));
    return suggestions;
}

std::vector<MisspelledWord> SpellChecker::Misspelled(const QString &text) const
{
    std::vector<MisspelledWord> misspelled;
    const QByteArray utf8 = text.toUtf8();
    Utf16Positions positions(utf8);
    for (const SpellingWord &word : WordsToSpell(std::string_view(utf8.constData(), utf8.size()))) {
        const QString looked = QString::fromStdString(word.Text);
        if (IsCorrect(looked))
            continue;
        const int start = positions.At(word.Start);
        misspelled.push_back({start, positions.At(word.End) - start, looked});
    }
    return misspelled;
}

std::optional<QString> SpellChecker::AddToUserWords(const QString &word)
{
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty() || userWords_.contains(trimmed))
        return std::nullopt;
    userWords_.append(trimmed);
    if (const std::optional<std::string> bytes = ToDictionary(trimmed))
        hunspell_->add(*bytes);
    if (userWordsFile_.isEmpty())
        return std::nullopt;
    QDir().mkpath(QFileInfo(userWordsFile_).absolutePath());
    QSaveFile file(userWordsFile_);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QByteArray bytes;
    for (const QString &userWord : userWords_)
        bytes += userWord.toUtf8() + '\n';
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace verbaria::spelling
