// Shows one of the settings room's dialogs with sample contents for a look with one's own eyes
// (xvfb-run -a ...): "nastaveni", "programy" or "pridat". Not a test; works in a temporary folder.
#include "editor/core/UserDialogs.h"
#include "platform/CodePage.h"
#include "settings/core/CatalogueFileStore.h"
#include "settings/core/LanguageList.h"
#include "settings/ui/SettingsDialogHost.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace verbaria;

namespace {

// The languages of the sample folder; choosing one changes nothing else.
class SampleHost final : public SettingsDialogHost
{
public:
    explicit SampleHost(std::string languagesFolder)
        : languagesFolder_(std::move(languagesFolder))
    {
    }
    SettingsValues &Settings() override { return values_; }
    std::vector<std::string> LanguageFiles() const override { return ListLanguageFiles(languagesFolder_); }
    void ApplyInterfaceLanguage(const std::string &) override {}
    void ApplyCodePages() override {}

private:
    std::string languagesFolder_;
    SettingsValues values_;
};

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("programy");
    QTemporaryDir folder;
    for (const char *name : {"czech.lng", "english.lng", "deutsch.lng", "slovensky.lng"})
        Write(folder.filePath(QStringLiteral("jazyky/") + QString::fromLatin1(name)), {});
    const QString bin = QCoreApplication::applicationFilePath();
    const QString catalogue = QStringLiteral("Kalkulačka = /opt/kalk/kalk.lnd;%1\r\n"
                                             "Editor textu = /opt/editor/editor.lnd;%1\r\n"
                                             "Verbaria = /opt/verbaria/jazyky/glotra11.lnd;%1\r\n"
                                             "Účetnictví = /opt/ucto/ucto.lnd;\r\n")
                                  .arg(bin);
    Write(folder.filePath(QStringLiteral("programs.ini")),
          QByteArray::fromStdString(CodePage::Default().EncodeLossy(catalogue)));

    const std::string programFolder = QFile::encodeName(folder.path()).toStdString() + "/";
    CatalogueFileStore store([programFolder] { return programFolder; });
    SampleHost host(programFolder + "jazyky/");
    const CzechTexts texts;
    TProgramyForm programy(store, texts);
    TPridatProgramForm pridat(texts);
    TNastaveniForm nastaveni(host, programy);
    programy.SetEntryDialog(&pridat);

    if (which == QStringLiteral("nastaveni")) {
        nastaveni.show();
    } else if (which == QStringLiteral("pridat")) {
        pridat.Fill("Kalkula\xE8ka", "/opt/kalk/kalk.lnd", bin.toStdString());
        pridat.show();
    } else {
        programy.show();
    }
    return application.exec();
}
