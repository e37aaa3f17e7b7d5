#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

// A Designer form with the usual kinds of texts, one untranslatable text and unnamed widgets.
const std::string kForm = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>MainForm</class>
 <widget class="QMainWindow" name="MainForm">
  <property name="windowTitle"><string>Ukázka</string></property>
  <widget class="QWidget" name="centralwidget">
   <layout class="QVBoxLayout" name="layoutHlavni">
    <item>
     <widget class="QLabel" name="labelInfo">
      <property name="text"><string>Vítejte</string></property>
      <property name="toolTip"><string>Nápověda</string></property>
     </widget>
    </item>
    <item>
     <widget class="QComboBox" name="comboJazyk">
      <item><property name="text"><string>čeština</string></property></item>
      <item><property name="text"><string>angličtina</string></property></item>
     </widget>
    </item>
    <item>
     <widget class="QLineEdit" name="editJmeno">
      <property name="placeholderText"><string>Jméno</string></property>
      <property name="text"><string notr="true">fixed</string></property>
     </widget>
    </item>
    <item>
     <widget class="QTabWidget" name="tabs">
      <widget class="QWidget" name="pageObecne">
       <attribute name="title"><string>Obecné</string></attribute>
       <layout class="QVBoxLayout">
        <item><widget class="QCheckBox" name="checkAuto"><property name="text"><string>Auto</string></property></widget></item>
        <item><widget class="QPushButton"><property name="text"><string>Bez jména</string></property></widget></item>
       </layout>
      </widget>
     </widget>
    </item>
   </layout>
  </widget>
  <widget class="QMenuBar" name="menubar">
   <widget class="QMenu" name="menuSoubor">
    <property name="title"><string>Soubor</string></property>
    <addaction name="actionKonec"/>
   </widget>
   <addaction name="menuSoubor"/>
  </widget>
  <action name="actionKonec">
   <property name="text"><string>Konec</string></property>
   <property name="statusTip"><string>Ukončí program</string></property>
  </action>
 </widget>
</ui>
)";

const std::string kSource = "// TranslateText(\"not in a comment\")\n"
                            "void f(verbaria::qt::TKVTranslator *t, const QString &v)\n"
                            "{\n"
                            "    t->TranslateText(QStringLiteral(\"Uložit změny ?\"));\n"
                            "    t->TranslateText(u\"Hotovo\" \" a konec\"_s);\n"
                            "    t->TranslateText(\"Uložit změny ?\");\n"
                            "    t->TranslateText(v);\n"
                            "    const char *s = \"TranslateText(\\\"nor in a string\\\")\";\n"
                            "}\n";

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class TranslatorScanApplyTest : public ::testing::Test
{
protected:
    TranslatorScanApplyTest()
    {
        folder.Write("MainForm.ui", kForm);
        folder.Write("src/main.cpp", kSource);
    }
    TempFolder folder;
};

TEST_F(TranslatorScanApplyTest, ScanWritesTheTemplateOfFormsAndSources)
{
    const ToolResult result = RunTool({"scan", folder.File("MainForm.ui"), "--sources", folder.File("src"),
                                       "--start", "10", "--program", "Uk\xc3\xa1zka"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "[LANGUAGE]\r\n"
                          "PROGRAM=Uk\xe1zka\r\n"
                          "[ITEMS]\r\n"
                          "10:section \"MainForm\"\r\n"
                          "/Text=Uk\xe1zka\r\n"
                          "11:component \"MainForm.windowTitle\"\r\n"
                          "/Text=V\xedtejte\r\n"
                          "12:component \"MainForm.labelInfo.text\"\r\n"
                          "/Text=N\xe1pov\xec"
                          "da\r\n"
                          "13:component \"MainForm.labelInfo.toolTip\"\r\n"
                          "/Text=\xe8"
                          "e\x9atina,angli\xe8tina\r\n"
                          "14:component \"MainForm.comboJazyk.Items\"\r\n"
                          "/Text=Jm\xe9no\r\n"
                          "15:component \"MainForm.editJmeno.placeholderText\"\r\n"
                          "/Text=Obecn\xe9\r\n"
                          "16:component \"MainForm.pageObecne.Caption\"\r\n"
                          "/Text=Auto\r\n"
                          "17:component \"MainForm.checkAuto.text\"\r\n"
                          "/Text=Soubor\r\n"
                          "18:component \"MainForm.menuSoubor.title\"\r\n"
                          "/Text=Konec\r\n"
                          "19:component \"MainForm.actionKonec.text\"\r\n"
                          "/Text=Ukon\xe8\xed program\r\n"
                          "20:component \"MainForm.actionKonec.statusTip\"\r\n"
                          "21:section \"Messages\"\r\n"
                          "22:message \"Ulo\x9eit zm\xecny ?\"\r\n"
                          "23:message \"Hotovo a konec\"\r\n");
}

// Beside the template, a language file of the forms' own texts: the editor shows it as the
// description language, so the translator reads "Vítejte" beside the row, not its path.
TEST_F(TranslatorScanApplyTest, ScanWritesALanguageFileOfTheFormsOwnTexts)
{
    const ToolResult result =
        RunTool({"scan", folder.File("MainForm.ui"), "--sources", folder.File("src"), "-o",
                 folder.File("app.lnd"), "--originals", folder.File("puvodni.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::string language = folder.Read("puvodni.lng");
    EXPECT_EQ(language.substr(0, language.find("00002:")), "Language=puvodni\r\nDefinition=app.lnd\r\n");
    EXPECT_NE(language.find("00002:Uk\xe1zka\r\n00003:V\xedtejte\r\n00004:N\xe1pov\xec"
                            "da\r\n00005:\xe8"
                            "e\x9atina,angli\xe8tina\r\n"),
              std::string::npos)
        << language;
    EXPECT_EQ(language.find("Ulo\x9eit"), std::string::npos); // a message is its own original
    // Without a template file to name, nothing is written.
    const ToolResult refused =
        RunTool({"scan", folder.File("MainForm.ui"), "--originals", folder.File("jiny.lng")});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_FALSE(std::filesystem::exists(folder.File("jiny.lng")));
}

TEST_F(TranslatorScanApplyTest, ScanUpdateKeepsNumbersAndReportsWhatIsGone)
{
    folder.Write("app.lnd", "[LANGUAGE]\r\nPROGRAM=Demo\r\n[ITEMS]\r\n"
                            "/ kept as it is\r\n"
                            "5:section \"MainForm\"\r\n"
                            "/Text=Star\xfd\r\n"
                            "40:component \"MainForm.labelInfo.text\"\r\n"
                            "/Text=Zmizel\xfd\r\n"
                            "41:component \"MainForm.labelStary.text\"\r\n"
                            "42:message \"Hotovo a konec\"\r\n");
    const ToolResult result = RunTool({"scan", folder.File("MainForm.ui"), "--sources", folder.File("src"),
                                       "--update", folder.File("app.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_TRUE(result.Out.empty());
    EXPECT_EQ(result.Err, "verbaria-tool: not found any more: 41 component \"MainForm.labelStary.text\"\n");
    const std::vector<std::string> lines = Lines(folder.Read("app.lnd"));
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[3], "/ kept as it is");
    // The text comment of a component still found is renewed; that of one gone stays.
    EXPECT_EQ(lines[5], "/Text=V\xedtejte");
    EXPECT_EQ(lines[6], "40:component \"MainForm.labelInfo.text\"");
    EXPECT_EQ(lines[7], "/Text=Zmizel\xfd");
    EXPECT_EQ(lines[8], "41:component \"MainForm.labelStary.text\"");
    // The template ends among its items: the new entries follow without another [ITEMS] line.
    EXPECT_EQ(lines[10], "/Text=Uk\xe1zka");
    EXPECT_EQ(lines[11], "43:component \"MainForm.windowTitle\"");
    EXPECT_EQ(lines[13], "44:component \"MainForm.labelInfo.toolTip\"");
    EXPECT_EQ(lines[27], "51:component \"MainForm.actionKonec.statusTip\"");
    EXPECT_EQ(lines[28], "52:section \"Messages\"");
    EXPECT_EQ(lines[29], "53:message \"Ulo\x9eit zm\xecny ?\"");
}

TEST_F(TranslatorScanApplyTest, ScanFailsOnAFileThatIsNoForm)
{
    folder.Write("bad.ui", "<ui><widget class=\"QWidget\"/></ui>");
    EXPECT_EQ(RunTool({"scan", folder.File("bad.ui")}).Status, 1);
    EXPECT_EQ(RunTool({"scan", folder.File("missing.ui")}).Status, 1);
    EXPECT_EQ(RunTool({"scan"}).Status, 2);
}

// scan a form, translate every entry of its template, apply the language: every text changes.
TEST_F(TranslatorScanApplyTest, RoundTripTranslatesEveryText)
{
    ToolResult result = RunTool({"scan", folder.File("MainForm.ui"), "-o", folder.File("app.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::string language = "Language=English\r\n";
    std::map<std::string, std::string> expected;
    for (const std::string &line : Lines(folder.Read("app.lnd"))) {
        const std::size_t colon = line.find(":component \"");
        if (colon == std::string::npos)
            continue;
        const std::string number = line.substr(0, colon);
        const std::string path = line.substr(colon + 12, line.size() - colon - 13);
        const bool list = path.ends_with(".Items");
        const std::string value = list ? "T" + number + "a,T" + number + "b" : "T" + number + " \xe8";
        language += number + ":" + value + "\r\n";
        expected[path] = value;
    }
    folder.Write("en.lng", language);
    result = RunTool({"apply", "--template", folder.File("app.lnd"), "--language", folder.File("en.lng"),
                      "--separator", ",", folder.File("MainForm.ui"), "--dump", "--check", "-o",
                      folder.File("out")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::string dump;
    for (const auto &[path, value] : expected)
        dump += path + "=" + value + "\n";
    EXPECT_EQ(result.Out, dump);

    // The written form carries the translations and still holds what was not to be translated.
    const std::string written = folder.Read("out/MainForm.ui");
    EXPECT_NE(written.find("<string>T11 \xc4\x8d</string>"), std::string::npos) << written;
    EXPECT_NE(written.find("notr=\"true\">fixed</string>"), std::string::npos);
    EXPECT_EQ(written.find("Vítejte"), std::string::npos);
    EXPECT_NE(written.find("Bez jména"), std::string::npos);
}

// The texts that live outside text and title properties.
const std::string kDialog = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Dialog</class>
 <widget class="QDialog" name="Dialog">
  <property name="windowTitle"><string>Dialog</string></property>
  <layout class="QVBoxLayout">
   <item>
    <widget class="QTreeWidget" name="treeSoubory">
     <column><property name="text"><string>Název</string></property></column>
     <column><property name="text"><string>Velikost</string></property></column>
     <item><property name="text"><string>složka</string></property>
      <item><property name="text"><string>soubor</string></property><property name="text"><string>2 kB</string></property></item>
     </item>
    </widget>
   </item>
   <item>
    <widget class="QTableWidget" name="tableCeny">
     <property name="whatsThis"><string>Ceník zboží</string></property>
     <row><property name="text"><string>první</string></property></row>
     <column><property name="text"><string>Zboží</string></property></column>
     <column><property name="text"><string>Cena</string></property></column>
    </widget>
   </item>
   <item>
    <widget class="QToolBox" name="toolBox">
     <widget class="QWidget" name="pageZakladni">
      <attribute name="label"><string>Základní</string></attribute>
     </widget>
    </widget>
   </item>
   <item>
    <widget class="QSpinBox" name="spinPocet">
     <property name="prefix"><string>asi </string></property>
     <property name="suffix"><string> ks</string></property>
     <property name="specialValueText"><string>žádný</string></property>
    </widget>
   </item>
  </layout>
 </widget>
</ui>
)";

TEST_F(TranslatorScanApplyTest, HeadersToolBoxPagesSpinBoxesAndWhatsThisGoRoundTrip)
{
    folder.Write("Dialog.ui", kDialog);
    folder.Write("copy/Dialog.ui", kDialog);
    ToolResult result = RunTool(
        {"scan", folder.File("Dialog.ui"), folder.File("copy/Dialog.ui"), "-o", folder.File("dialog.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Err.find("are both forms named Dialog; their paths collide"), std::string::npos)
        << result.Err;
    std::string language;
    std::map<std::string, std::string> expected;
    std::string scanned; // the /Text= comment above the entry
    for (const std::string &line : Lines(folder.Read("dialog.lnd"))) {
        if (line.starts_with("/Text="))
            scanned = line.substr(6);
        const std::size_t colon = line.find(":component \"");
        if (colon == std::string::npos)
            continue;
        const std::string number = line.substr(0, colon);
        const std::string path = line.substr(colon + 12, line.size() - colon - 13);
        const bool list = path.ends_with(".Columns") || path.ends_with(".Rows") || path.ends_with(".Items");
        std::string value = "T" + number;
        if (list) { // as many items as the form's list has
            value += "a";
            for (char c : scanned)
                value += c == ',' ? ",T" + number + "b" : "";
        }
        language += number + ":" + value + "\r\n";
        expected[path] = value;
    }
    for (const char *path :
         {"Dialog.treeSoubory.Columns", "Dialog.tableCeny.Columns", "Dialog.tableCeny.Rows",
          "Dialog.tableCeny.whatsThis", "Dialog.pageZakladni.Caption", "Dialog.spinPocet.prefix",
          "Dialog.spinPocet.suffix", "Dialog.spinPocet.specialValueText"})
        EXPECT_EQ(expected.count(path), 1u) << path;
    folder.Write("en.lng", language);
    result = RunTool({"apply", "--template", folder.File("dialog.lnd"), "--language", folder.File("en.lng"),
                      "--separator", ",", folder.File("Dialog.ui"), "--dump", "--check", "-o",
                      folder.File("out")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::string dump;
    for (const auto &[path, value] : expected)
        dump += path + "=" + value + "\n";
    EXPECT_EQ(result.Out, dump);
    const std::string written = folder.Read("out/Dialog.ui");
    EXPECT_EQ(written.find("Název"), std::string::npos) << written;
    EXPECT_EQ(written.find("Zboží"), std::string::npos) << written;
    EXPECT_EQ(written.find("soubor"), std::string::npos) << written;
}

TEST_F(TranslatorScanApplyTest, ApplyReportsPathsThatReachNothing)
{
    folder.Write("app.lnd", "1:component \"MainForm.labelInfo.text\"\r\n"
                            "2:component \"MainForm.labelNikdo.text\"\r\n"
                            "3:component \"MainForm.labelInfo.font\"\r\n");
    folder.Write("en.lng", "1:Welcome\r\n2:x\r\n3:y\r\n");
    const std::vector<std::string> args{"apply",      "--template",          folder.File("app.lnd"),
                                        "--language", folder.File("en.lng"), folder.File("MainForm.ui"),
                                        "--dump"};
    ToolResult result = RunTool(args);
    EXPECT_EQ(result.Status, 0);
    EXPECT_NE(result.Out.find("MainForm.labelInfo.text=Welcome\n"), std::string::npos);
    EXPECT_NE(result.Err.find("entry 2 reaches no property: MainForm.labelNikdo.text"), std::string::npos);
    EXPECT_NE(result.Err.find("entry 3 reaches no property: MainForm.labelInfo.font"), std::string::npos);
    std::vector<std::string> checking = args;
    checking.push_back("--check");
    EXPECT_EQ(RunTool(checking).Status, 1);
}

TEST_F(TranslatorScanApplyTest, ApplyStopsAtABadLanguageLine)
{
    folder.Write("app.lnd", "1:component \"MainForm.labelInfo.text\"\r\n");
    folder.Write("en.lng", "1:Welcome\r\n0x1:bad\r\n");
    const ToolResult result = RunTool({"apply", "--template", folder.File("app.lnd"), "--language",
                                       folder.File("en.lng"), folder.File("MainForm.ui"), "--dump"});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("verbaria-tool: '0X1' is not a valid integer value"), std::string::npos);
    EXPECT_EQ(RunTool({"apply", folder.File("MainForm.ui")}).Status, 2);
}

// A panel form without an XML declaration: a label of two lines, table cells and a shortcut.
const std::string kPanel = R"(<ui version="4.0">
 <class>Panel</class>
 <widget class="QWidget" name="Panel">
  <layout class="QVBoxLayout" name="layoutPanel">
   <item>
    <widget class="QLabel" name="labelStav">
     <property name="text"><string>První
druhý</string></property>
    </widget>
   </item>
   <item>
    <widget class="QTableWidget" name="tableCeny">
     <row><property name="text"><string>1</string></property></row>
     <row><property name="text"><string>2</string></property></row>
     <column><property name="text"><string>Zboží</string></property></column>
     <column><property name="text"><string>Cena</string></property></column>
     <item row="0" column="0"><property name="text"><string>chléb</string></property></item>
     <item row="0" column="1"><property name="text"><string>20</string></property></item>
     <item row="1" column="1"><property name="text"><string>30</string></property></item>
    </widget>
   </item>
  </layout>
  <action name="actionUlozit">
   <property name="text"><string>Uložit</string></property>
   <property name="shortcut"><string>Ctrl+S</string></property>
  </action>
 </widget>
</ui>
)";

TEST_F(TranslatorScanApplyTest, ApplyWritesFormsUicTakesWithCellsLineBreaksAndShortcuts)
{
    folder.Write("Panel.ui", kPanel);
    folder.Write("other/Panel.ui", kForm); // another form in a file of the same name
    ToolResult result = RunTool({"scan", folder.File("Panel.ui"), "-o", folder.File("panel.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::string scanned = folder.Read("panel.lnd");
    EXPECT_NE(scanned.find("/Text=chl\xe9"
                           "b,20,30\r\n"),
              std::string::npos)
        << scanned;
    EXPECT_NE(scanned.find("/Text=Prvn\xed|druh\xfd\r\n"), std::string::npos) << scanned;
    std::map<std::string, std::string> translations{
        {"Panel.labelStav.text", "First|second"}, {"Panel.tableCeny.Items", "bread,20 CZK,30 CZK"},
        {"Panel.tableCeny.Rows", "one,two"},      {"Panel.tableCeny.Columns", "Goods,Price"},
        {"Panel.actionUlozit.text", "Save"},      {"Panel.actionUlozit.shortcut", "Ctrl+U"}};
    std::string language;
    std::string lnd = scanned + "99:component \"Panel.actionUlozit.shortcut\"\r\n";
    for (const std::string &line : Lines(lnd)) {
        const std::size_t colon = line.find(":component \"");
        if (colon == std::string::npos)
            continue;
        const std::string path = line.substr(colon + 12, line.size() - colon - 13);
        ASSERT_EQ(translations.count(path), 1u) << path;
        language += line.substr(0, colon) + ":" + translations[path] + "\r\n";
    }
    folder.Write("panel.lnd", lnd);
    folder.Write("en.lng", language);
    result = RunTool({"apply", "--template", folder.File("panel.lnd"), "--language", folder.File("en.lng"),
                      folder.File("Panel.ui"), folder.File("other/Panel.ui"), "--dump", "--check", "-o",
                      folder.File("out")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("Panel.tableCeny.Items=bread,20 CZK,30 CZK\n"), std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("Panel.labelStav.text=First|second\n"), std::string::npos) << result.Out;
    EXPECT_NE(result.Err.find("other/Panel.ui is written as Panel-2.ui"), std::string::npos) << result.Err;

    // Neither form is lost, and the translated one is a form uic takes.
    const std::string written = folder.Read("out/Panel.ui");
    EXPECT_TRUE(written.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << written;
    EXPECT_NE(written.find("<string>First\nsecond</string>"), std::string::npos) << written;
    EXPECT_NE(written.find("<string>bread</string>"), std::string::npos) << written;
    EXPECT_NE(written.find("<string>30 CZK</string>"), std::string::npos) << written;
    EXPECT_NE(written.find("<string>Ctrl+U</string>"), std::string::npos) << written;
    EXPECT_NE(folder.Read("out/Panel-2.ui").find("name=\"MainForm\""), std::string::npos);
    const std::string uic = FindProgram("uic", {"/usr/lib/qt6/libexec", "/usr/lib/qt6/bin"});
    if (uic.empty())
        GTEST_SKIP() << "no uic of Qt 6";
    for (const char *name : {"out/Panel.ui", "out/Panel-2.ui"}) {
        const ToolResult compiled = RunProgram(uic, {folder.File(name)});
        EXPECT_EQ(compiled.Status, 0) << name << ": " << compiled.Err;
        EXPECT_NE(compiled.Out.find("class Ui_"), std::string::npos) << name;
    }
}

TEST_F(TranslatorScanApplyTest, ApplyTellsOfAListTranslationOfAnotherCount)
{
    folder.Write("Panel.ui", kPanel);
    folder.Write("panel.lnd",
                 "1:component \"Panel.tableCeny.Items\"\r\n2:component \"Panel.labelStav.text\"\r\n");
    folder.Write("en.lng", "1:bread,20\r\n2:State\r\n");
    std::vector<std::string> args{"apply",      "--template",          folder.File("panel.lnd"),
                                  "--language", folder.File("en.lng"), folder.File("Panel.ui"),
                                  "--dump"};
    ToolResult result = RunTool(args);
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Err.find("warning: Panel.tableCeny.Items: 2 items for a list of 3"), std::string::npos)
        << result.Err;
    EXPECT_NE(result.Out.find("Panel.tableCeny.Items=chl\xe9"
                              "b,20,30\n"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("Panel.labelStav.text=State\n"), std::string::npos) << result.Out;
    args.push_back("--check");
    EXPECT_EQ(RunTool(args).Status, 1);
}

} // namespace
