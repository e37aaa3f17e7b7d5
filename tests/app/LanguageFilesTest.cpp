// The editor speaks its languages completely: every caption, title and hint of its windows and
// every text it builds in code has its line in its own template, and its language files translate
// every line.
#include "app/EditorWindows.h"
#include "formats/LanguageFile.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"
#include "tool/ToolRunner.h"
#include "translator/qt/FormOrder.h"
#include "translator/qt/TKVTranslator.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace verbaria;
namespace fs = std::filesystem;

namespace {

const std::string Languages = VERBARIA_SOURCE_DIR "/jazyky/";

TranslatorTemplate OwnTemplate()
{
    TranslatorTemplate result;
    EXPECT_TRUE(ReadTemplateFile(Languages + "glotra11.lnd", result));
    return result;
}

std::set<std::string> ComponentPaths()
{
    std::set<std::string> paths;
    for (const TTemplateItem &item : OwnTemplate().Items) {
        if (item.Kind == ikComponent)
            paths.insert(UpperAscii(item.Text));
    }
    return paths;
}

std::vector<std::string> FormFiles()
{
    std::vector<std::string> files;
    for (const char *folder : {"/editor/ui", "/settings/ui"}) {
        for (const auto &entry : fs::directory_iterator(std::string(VERBARIA_SOURCE_DIR) + folder)) {
            if (entry.path().extension() == ".ui")
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The form an object belongs to: the window of its nearest widget. A dialog owned by the main
// window is a form of its own, and its controls are its, not the main window's.
const QWidget *OwningForm(const QObject *object)
{
    for (; object; object = object->parent()) {
        if (auto *widget = qobject_cast<const QWidget *>(object))
            return widget->window();
    }
    return nullptr;
}

// An action's tool tip that nobody set is its text without "&" and a trailing "...".
bool IsOwnToolTip(const QAction *action)
{
    QString derived = action->text();
    derived.remove(QLatin1Char('&'));
    if (derived.endsWith(QStringLiteral("...")))
        derived.chop(3);
    return action->toolTip() != derived.trimmed() && action->toolTip() != derived;
}

} // namespace

TEST(EditorLanguages, TheTemplateHasEveryTextOfTheFormsAndSources)
{
    // Scanning again adds nothing: every caption of the forms and every text passed to
    // TranslateText in the sources already has its line.
    TempFolder folder;
    std::vector<std::string> args{"scan"};
    for (const auto &file : FormFiles())
        args.push_back(file);
    for (const char *sources : {"/editor", "/settings", "/app"})
        args.insert(args.end(), {"--sources", std::string(VERBARIA_SOURCE_DIR) + sources});
    args.insert(args.end(), {"--program", "Verbaria", "--update", Languages + "glotra11.lnd", "-o",
                             folder.File("scanned.lnd")});
    const ToolResult result = RunTool(args);
    ASSERT_EQ(result.Status, 0) << result.Err;
    TranslatorTemplate scanned;
    ASSERT_TRUE(ReadTemplateFile(folder.File("scanned.lnd"), scanned));
    const TranslatorTemplate current = OwnTemplate();
    ASSERT_EQ(scanned.Items.size(), current.Items.size()) << "run scripts/update-languages.py";
}

TEST(EditorLanguages, EveryCaptionTitleAndHintOfTheSixWindowsHasItsLine)
{
    EditorWindows windows({});
    const std::set<std::string> paths = ComponentPaths();
    int checked = 0;
    auto expect = [&](const QString &form, const QObject *object, const char *property,
                      const QString &value) {
        // The maker's addresses come from the build, not from a language.
        if (value.isEmpty() || object->objectName() == QStringLiteral("labelEmailPriv") ||
            object->objectName() == QStringLiteral("labelWwwPriv"))
            return;
        ++checked;
        const std::string path =
            (form + QLatin1Char('.') + object->objectName() + QLatin1Char('.') + QLatin1String(property))
                .toStdString();
        EXPECT_TRUE(paths.count(UpperAscii(path))) << path << " has no line in glotra11.lnd";
    };
    for (QWidget *form : qt::FormOrder::Forms()) {
        const QString formName = form->objectName();
        if (formName.isEmpty())
            continue;
        if (!form->windowTitle().isEmpty()) {
            EXPECT_TRUE(paths.count(UpperAscii((formName + QStringLiteral(".windowTitle")).toStdString())))
                << formName.toStdString();
        }
        for (QObject *object : form->findChildren<QObject *>()) {
            if (object->objectName().isEmpty() || object->objectName().startsWith(QStringLiteral("qt_")) ||
                OwningForm(object) != form)
                continue;
            if (auto *action = qobject_cast<QAction *>(object)) {
                expect(formName, object, "text", action->text());
                expect(formName, object, "toolTip", IsOwnToolTip(action) ? action->toolTip() : QString());
            } else if (auto *menu = qobject_cast<QMenu *>(object)) {
                expect(formName, object, "title", menu->title());
            } else if (auto *box = qobject_cast<QGroupBox *>(object)) {
                expect(formName, object, "title", box->title());
            } else if (auto *button = qobject_cast<QAbstractButton *>(object)) {
                expect(formName, object, "text", button->text());
                expect(formName, object, "toolTip", button->toolTip());
            } else if (auto *label = qobject_cast<QLabel *>(object)) {
                expect(formName, object, "text", label->text());
            }
        }
    }
    EXPECT_GT(checked, 60);
}

TEST(EditorLanguages, EveryLineOfTheTemplateReachesAProperty)
{
    EditorWindows windows({});
    qt::TKVTranslator translator(&windows.mainForm);
    ASSERT_TRUE(translator.LoadTemplate(QString::fromStdString(Languages + "glotra11.lnd")));
    for (const TTemplateItem &item : translator.Core().Items()) {
        if (item.Kind == ikComponent) {
            EXPECT_NE(translator.Core().ResolvePath(item.Text), PropertyKind::None) << item.Text;
        }
    }
}

TEST(EditorLanguages, CzechAndEnglishTranslateEveryLine)
{
    for (const char *language : {"czech.lng", "english.lng"}) {
        TranslatorTemplate editorTemplate = OwnTemplate();
        NumberIndex index;
        index.Build(editorTemplate.Items);
        TLanguageInfo info;
        ASSERT_TRUE(ReadLanguageFile(Languages + language, editorTemplate.Items, index, info));
        EXPECT_EQ(info.Definition, "glotra11.lnd");
        for (const TTemplateItem &item : editorTemplate.Items)
            EXPECT_FALSE(item.Translation.empty()) << language << ": " << item.Number << " " << item.Text;
    }
}

TEST(EditorLanguages, TheWindowsComeUpInEnglish)
{
    EditorWindows windows({});
    qt::TKVTranslator translator(&windows.mainForm);
    translator.LoadTemplate(QString::fromStdString(Languages + "glotra11.lnd"));
    translator.SetLanguageFile(QString::fromStdString(Languages + "english.lng"));
    ASSERT_TRUE(translator.Translate());
    EXPECT_EQ(windows.mainForm.findChild<QMenu *>(QStringLiteral("menuSoubor"))->title(),
              QStringLiteral("&File"));
    EXPECT_EQ(windows.nastaveniForm.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(windows.programyForm.windowTitle(), QStringLiteral("Available programs"));
    EXPECT_EQ(translator.TranslateText(QString::fromUtf8("Uložit změny ?")),
              QStringLiteral("Save changes ?"));
}
