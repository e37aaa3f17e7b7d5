// Shows one of the settings room's dialogs with sample contents for a look with one's own eyes
// (xvfb-run -a ...): "nastaveni", "programy" or "pridat". Not a test; works in a temporary folder.
#include "editor/ui/TMainForm.h"
#include "editor/ui/TVlastnostiForm.h"
#include "platform/CodePage.h"
#include "platform/RegistryRecord.h"
#include "settings/ui/TNastaveniForm.h"
#include "settings/ui/TPridatProgramForm.h"
#include "settings/ui/TProgramyForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace verbaria;

namespace {

class NoRegistry final : public RegistryRecord
{
public:
    bool Write(const QString &) override { return true; }
    bool Delete() override { return true; }
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

    TMainForm mainForm;
    NoRegistry registry;
    mainForm.SetRegistryRecord(&registry);
    mainForm.SetProgramFolder(folder.path());
    TVlastnostiForm vlastnosti(&mainForm);
    TProgramyForm programy(mainForm);
    TPridatProgramForm pridat(mainForm.Texts(), &mainForm);
    TNastaveniForm nastaveni(mainForm, programy);
    programy.SetEntryDialog(&pridat);
    mainForm.Settings().JazykRozhrani = "czech.lng";

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
