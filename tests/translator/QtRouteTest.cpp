// A program written the ordinary Qt way (tr(), retranslateUi, plurals) speaking a language file
// through TKVQtTranslator, answering as lrelease's .qm answers through QTranslator.
#include "TranslatorTestFiles.h"

#include "translator/qt/TKVQtTranslator.h"
#include "translator/qt/TKVTranslator.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QTranslator>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using verbaria::qt::TKVQtTranslator;
using verbaria::qt::TKVTranslator;

namespace {

struct Message
{
    const char *Context;
    const char *Source;
    const char *Disambiguation;      // "" for none
    std::vector<const char *> Forms; // one for a message without plural forms
};

// The messages of a small program: equal texts told apart by context and disambiguation, plural
// messages, a quote and a line break, a message left untranslated.
const std::vector<Message> kCzech = {
    {"MainWindow", "&File", "", {"&Soubor"}},
    {"MainWindow", "Open", "verb", {"Otevřít"}},
    {"MainWindow", "Open", "adjective", {"Otevřený"}},
    {"Settings", "Open", "", {"Otevírat"}},
    {"MainWindow",
     "%n file(s) selected",
     "",
     {"Vybrán %n soubor", "Vybrány %n soubory", "Vybráno %n souborů"}},
    {"Ns::Dialog", "Say \"hi\"\nto all", "", {"Řekni „ahoj“\nvšem"}},
    {"Ns::Dialog", "Untranslated", "", {""}},
};
const std::vector<Message> kArabic = {
    {"MainWindow", "&File", "", {"&ملف"}},
    {"MainWindow", "%n file(s)", "", {"لا ملفات", "ملف واحد", "ملفان", "%n ملفات", "%n ملفًا", "%n ملف"}},
};

std::string Escape(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// The template and language file a scan and a translator would make of these messages.
void WriteLanguageFiles(const std::vector<Message> &messages, const std::string &language,
                        const TranslatorTestFiles &files, std::string &templatePath,
                        std::string &languagePath)
{
    std::string lnd = "[LANGUAGE]\r\nProgram=Example\r\nCodepage=UTF-8\r\n[ITEMS]\r\n";
    std::string lng = "Language=" + language + "\r\nCodepage=UTF-8\r\n";
    int number = 1;
    for (const Message &m : messages) {
        std::string source = m.Source;
        lnd += "/Context=" + Escape(m.Context) + "\r\n";
        if (*m.Disambiguation)
            lnd += "/Disambiguation=" + Escape(m.Disambiguation) + "\r\n";
        if (m.Forms.size() > 1)
            lnd += "/Plural\r\n";
        std::string quoted = source;
        if (source.find_first_of("\"\n") != std::string::npos) {
            lnd += "/Source=" + Escape(source) + "\r\n";
            for (char &c : quoted)
                c = c == '"' ? '\'' : c == '\n' ? '|' : c;
        }
        char key[16];
        std::snprintf(key, sizeof key, "%05d", number);
        lnd += std::to_string(number) + ": message \"" + quoted + "\"\r\n";
        // A message whose text needs a /Source line has its translations escaped the same way.
        auto translation = [&](const char *text) {
            return quoted == source ? std::string(text) : Escape(text);
        };
        if (*m.Forms[0])
            lng += std::string(key) + ":" + translation(m.Forms[0]) + "\r\n";
        for (std::size_t f = 1; f < m.Forms.size(); ++f)
            lng += "/Form " + std::string(key) + " " + std::to_string(f) + ":" + translation(m.Forms[f]) +
                   "\r\n";
        ++number;
    }
    templatePath = files.Write("program.lnd", lnd);
    languagePath = files.Write(language + ".lng", lng);
}

QString XmlText(const char *text)
{
    return QString::fromUtf8(text).toHtmlEscaped();
}

// The same messages as Qt Linguist's .ts, compiled by lrelease.
QString CompileQm(const std::vector<Message> &messages, const char *language,
                  const TranslatorTestFiles &files)
{
    QString ts =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
                       "language=\"%1\">\n")
            .arg(QString::fromLatin1(language));
    for (const Message &m : messages) {
        ts +=
            QStringLiteral("<context><name>%1</name><message%2>\n<source>%3</source>\n")
                .arg(XmlText(m.Context), m.Forms.size() > 1 ? QStringLiteral(" numerus=\"yes\"") : QString(),
                     XmlText(m.Source));
        if (*m.Disambiguation)
            ts += QStringLiteral("<comment>%1</comment>\n").arg(XmlText(m.Disambiguation));
        if (m.Forms.size() > 1) {
            ts += QStringLiteral("<translation>");
            for (const char *form : m.Forms)
                ts += QStringLiteral("<numerusform>%1</numerusform>").arg(XmlText(form));
            ts += QStringLiteral("</translation>\n");
        } else if (*m.Forms[0]) {
            ts += QStringLiteral("<translation>%1</translation>\n").arg(XmlText(m.Forms[0]));
        } else {
            ts += QStringLiteral("<translation type=\"unfinished\"></translation>\n");
        }
        ts += QStringLiteral("</message></context>\n");
    }
    ts += QStringLiteral("</TS>\n");
    const QString tsPath = QString::fromStdString(files.Path(std::string(language) + ".ts"));
    const QString qmPath = QString::fromStdString(files.Path(std::string(language) + ".qm"));
    QFile file(tsPath);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ts.toUtf8());
    file.close();
    QProcess lrelease;
    lrelease.start(QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease"),
                   {QStringLiteral("-silent"), tsPath, QStringLiteral("-qm"), qmPath});
    EXPECT_TRUE(lrelease.waitForFinished(60000));
    EXPECT_EQ(lrelease.exitCode(), 0) << lrelease.readAllStandardError().toStdString();
    return qmPath;
}

void ExpectSameAnswers(const std::vector<Message> &messages, const char *language)
{
    TranslatorTestFiles files;
    std::string templatePath;
    std::string languagePath;
    WriteLanguageFiles(messages, language, files, templatePath, languagePath);
    QTranslator qm;
    ASSERT_TRUE(qm.load(CompileQm(messages, language, files)));
    TKVTranslator translator;
    ASSERT_TRUE(translator.LoadTemplate(QString::fromStdString(templatePath)));
    ASSERT_TRUE(translator.SetLanguageFile(QString::fromStdString(languagePath)));
    TKVQtTranslator ours(&translator);
    EXPECT_FALSE(ours.isEmpty());
    std::vector<std::pair<std::string, std::string>> asked; // context, disambiguation
    for (const Message &m : messages) {
        for (const char *disambiguation : {m.Disambiguation, "", "no such meaning"}) {
            for (const char *context : {m.Context, "OtherContext"}) {
                for (int n = -1; n <= 120; ++n) {
                    const QString expected = qm.translate(context, m.Source, disambiguation, n);
                    EXPECT_EQ(ours.translate(context, m.Source, disambiguation, n), expected)
                        << context << " / " << m.Source << " / " << disambiguation << " / n=" << n;
                    if (n >= 3 && m.Forms.size() == 1)
                        break; // n plays no part
                }
            }
        }
    }
    EXPECT_EQ(ours.translate("MainWindow", "Not in the program"), QString());
}

// The messages of examples/qt-way as its template and a language file hold them.
std::vector<Message> ExampleMessages(const char *language, std::vector<std::string> &storage)
{
    TKVTranslator translator;
    const QString folder = QStringLiteral(VERBARIA_SOURCE_DIR "/examples/qt-way/jazyky/");
    EXPECT_TRUE(translator.LoadTemplate(folder + QStringLiteral("files.lnd")));
    EXPECT_TRUE(translator.SetLanguageFile(folder + QString::fromLatin1(language) + QStringLiteral(".lng")));
    const verbaria::TKVTranslator &core = translator.Core();
    storage.clear();
    storage.reserve(core.Items().size() * 12); // the pointers below must stay valid
    auto keep = [&](const QString &text) { return storage.emplace_back(text.toStdString()).c_str(); };
    std::vector<Message> messages;
    for (const verbaria::TTemplateItem &item : core.Items()) {
        EXPECT_GE(item.Message, 0);
        if (item.Message < 0)
            continue;
        const verbaria::MessageInfo &info = core.Messages()[static_cast<std::size_t>(item.Message)];
        Message m{keep(translator.TemplateCodePage().Decode(info.Context)),
                  keep(translator.TemplateCodePage().Decode(item.Text)),
                  keep(translator.TemplateCodePage().Decode(info.Disambiguation)),
                  {keep(translator.Decode(item.Translation))}};
        for (const std::string &form : info.Forms)
            m.Forms.push_back(keep(translator.Decode(form)));
        messages.push_back(std::move(m));
    }
    return messages;
}

TEST(QtRoute, AnswersAsLreleaseAndQTranslatorDo)
{
    ExpectSameAnswers(kCzech, "cs_CZ");
    ExpectSameAnswers(kArabic, "ar");
    std::vector<std::string> storage;
    ExpectSameAnswers(ExampleMessages("czech", storage), "cs");
    ExpectSameAnswers(ExampleMessages("arabic", storage), "ar");
}

// A window built the Designer way: its texts come from tr() in retranslateUi, run at every
// language change.
class RetranslatedWindow final : public QLabel
{
public:
    RetranslatedWindow() { retranslateUi(); }
    int Changes = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange) {
            ++Changes;
            retranslateUi();
        }
        QLabel::changeEvent(event);
    }

private:
    void retranslateUi()
    {
        setText(QCoreApplication::translate("MainWindow", "%n file(s) selected", nullptr, 5) +
                QLatin1Char('|') + QCoreApplication::translate("MainWindow", "Open", "verb"));
    }
};

TEST(QtRoute, ALanguageSwitchRetranslatesTheWindowsAndMirrorsForArabic)
{
    TranslatorTestFiles files;
    std::string templatePath;
    std::string czechPath;
    WriteLanguageFiles(kCzech, "cs", files, templatePath, czechPath);
    // A language named in its own words, with no text for these messages yet.
    const std::string arabicPath = files.Write("arabic.lng", "Language=العربية\r\nCodepage=UTF-8\r\n");
    auto *translator = new TKVTranslator(qApp);
    std::unique_ptr<TKVTranslator> owner(translator);
    ASSERT_TRUE(translator->LoadTemplate(QString::fromStdString(templatePath)));
    auto route = std::make_unique<TKVQtTranslator>(translator);
    QCoreApplication::installTranslator(route.get());
    RetranslatedWindow window;
    window.show();
    EXPECT_EQ(window.text(), QStringLiteral("5 file(s) selected|Open"));

    window.Changes = 0;
    ASSERT_TRUE(translator->SetLanguageFile(QString::fromStdString(czechPath)));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(window.Changes, 1);
    EXPECT_EQ(window.text(), QString::fromUtf8("Vybráno 5 souborů|Otevřít"));
    EXPECT_EQ(QCoreApplication::translate("MainWindow", "%n file(s) selected", nullptr, 3),
              QStringLiteral("Vybrány 3 soubory"));
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    ASSERT_TRUE(translator->Translate()); // nothing new read: no change announced
    EXPECT_EQ(window.Changes, 1);

    // Arabic: no texts yet, so the sources show, but the program mirrors.
    ASSERT_TRUE(translator->SetLanguageFile(QString::fromStdString(arabicPath)));
    ASSERT_TRUE(translator->Translate());
    EXPECT_EQ(window.Changes, 2);
    EXPECT_TRUE(route->IsRightToLeft());
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(route->translate("QGuiApplication", "QT_LAYOUT_DIRECTION"), QStringLiteral("RTL"));
    EXPECT_EQ(window.text(), QStringLiteral("5 file(s) selected|Open"));

    QCoreApplication::removeTranslator(route.get());
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

} // namespace
