#include "ToolRunner.h"

#include "checks/Placeholders.h"
#include "checks/ScannedTexts.h"
#include "formats/FileIO.h"
#include "formats/LanguageFile.h"
#include "formats/MessageInfo.h"
#include "formats/TemplateFile.h"
#include "formats/TextRules.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A dialog with the usual kinds of texts; fixed to its size, or free to grow to what its layout
// needs.
std::string Dialog(const std::string &name, int width, int height, bool fixed)
{
    const std::string size = "<size><width>" + std::to_string(width) + "</width><height>" +
                             std::to_string(height) + "</height></size>";
    std::string form = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>)" + name + R"(</class>
 <widget class="QDialog" name=")" +
                       name + R"(">
  <property name="geometry"><rect><x>0</x><y>0</y><width>)" +
                       std::to_string(width) + "</width><height>" + std::to_string(height) +
                       "</height></rect></property>\n";
    if (fixed)
        form += "  <property name=\"minimumSize\">" + size +
                "</property>\n  <property name=\"maximumSize\">" + size + "</property>\n";
    form += R"(  <layout class="QVBoxLayout" name="layoutHlavni">
   <item>
    <widget class="QGroupBox" name="groupVolby">
     <property name="title"><string>Volby</string></property>
     <layout class="QVBoxLayout">
      <item><widget class="QCheckBox" name="checkVse"><property name="text"><string>Vše</string></property></widget></item>
     </layout>
    </widget>
   </item>
   <item>
    <widget class="QComboBox" name="comboTyp">
     <item><property name="text"><string>A</string></property></item>
     <item><property name="text"><string>B</string></property></item>
    </widget>
   </item>
   <item>
    <widget class="QTabWidget" name="tabs">
     <widget class="QWidget" name="pageJedna">
      <attribute name="title"><string>Jedna</string></attribute>
     </widget>
     <widget class="QWidget" name="pageDva">
      <attribute name="title"><string>Dva</string></attribute>
      <layout class="QVBoxLayout">
       <item><widget class="QLabel" name="labelDruha"><property name="text"><string>Druhá</string></property></widget></item>
      </layout>
     </widget>
    </widget>
   </item>
   <item>
    <widget class="QPushButton" name="buttonOK"><property name="text"><string>OK</string></property></widget>
   </item>
  </layout>
 </widget>
</ui>
)";
    return form;
}

std::string Template(const std::string &form)
{
    std::string lines;
    const char *const paths[] = {"groupVolby.title", "checkVse.text",   "comboTyp.Items", "pageJedna.Caption",
                                 "pageDva.Caption",  "labelDruha.text", "buttonOK.text"};
    int number = 1;
    for (const char *path : paths)
        lines += std::to_string(number++) + ":component \"" + form + '.' + path + "\"\r\n";
    return lines;
}

const std::string kLongLanguage = "1:Options of the whole program and of every one of its windows\r\n"
                                  "2:All\r\n"
                                  "3:Short,A very long entry of the list that cannot fit in the box\r\n"
                                  "4:One\r\n"
                                  "5:Two\r\n"
                                  "6:A label on the second page that is much too long for it\r\n"
                                  "7:Open the language file of the program now\r\n";

// Long translations in a fixed-size dialog are clipped, each reported with its entry, wherever
// it stands (the label on the tab page nobody opened too); the short ones are not. The same
// texts in a dialog with room, or one its layout may grow, fit.
TEST(ApplyFit, ReportsTheTextsAFixedSizeDialogClipsAndNothingWhereThereIsRoom)
{
    TempFolder folder;
    folder.Write("DialogUzky.ui", Dialog("DialogUzky", 220, 320, true));
    folder.Write("uzky.lnd", Template("DialogUzky"));
    folder.Write("en.lng", kLongLanguage);
    ToolResult result = RunTool({"apply", "--template", folder.File("uzky.lnd"), "--language",
                                 folder.File("en.lng"), folder.File("DialogUzky.ui"), "--fit"});
    EXPECT_EQ(result.Status, 1) << result.Err;
    std::map<int, std::string> reported;
    for (std::size_t start = 0, end; (end = result.Out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string line = result.Out.substr(start, end - start);
        const std::size_t entry = line.find(": entry ");
        ASSERT_NE(entry, std::string::npos) << line;
        const int number = std::stoi(line.substr(entry + 8));
        EXPECT_TRUE(reported.emplace(number, line).second) << line;
        const std::size_t lacks = line.find(" lacks ");
        ASSERT_NE(lacks, std::string::npos) << line;
        EXPECT_GT(std::stoi(line.substr(lacks + 7)), 10) << line;
    }
    EXPECT_EQ(reported.size(), 4u) << result.Out;
    EXPECT_NE(reported[1].find("DialogUzky.groupVolby.title lacks"), std::string::npos) << reported[1];
    EXPECT_NE(reported[3].find("DialogUzky.comboTyp.Items lacks"), std::string::npos) << reported[3];
    EXPECT_NE(reported[3].find("(DialogUzky.comboTyp[1])"), std::string::npos) << reported[3];
    EXPECT_NE(reported[6].find("DialogUzky.labelDruha.text lacks"), std::string::npos) << reported[6];
    EXPECT_NE(reported[7].find("(DialogUzky.buttonOK)"), std::string::npos) << reported[7];

    for (const bool fixed : {true, false}) {
        folder.Write("DialogVolny.ui", Dialog("DialogVolny", fixed ? 800 : 100, fixed ? 500 : 100, fixed));
        folder.Write("volny.lnd", Template("DialogVolny"));
        result = RunTool({"apply", "--template", folder.File("volny.lnd"), "--language",
                          folder.File("en.lng"), folder.File("DialogVolny.ui"), "--fit"});
        EXPECT_EQ(result.Status, 0) << result.Out << result.Err;
        EXPECT_EQ(result.Out, "");
    }
    EXPECT_EQ(RunTool({"apply", "--template", folder.File("volny.lnd"), "--language", folder.File("en.lng"),
                       folder.File("DialogVolny.ui"), "--fit", "--dump"})
                  .Status,
              2);
}

bool IsListPath(const std::string &path)
{
    for (const char *list : {".Items", ".Lines", ".Columns", ".Rows"}) {
        if (path.ends_with(list))
            return true;
    }
    return false;
}

// The byte after a text's first "&" that marks an accelerator; 0 for none.
char AcceleratorOf(std::string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (text[i + 1] != ' ')
            return text[i + 1];
    }
    return 0;
}

// The editor's own template in its own code page: every text comes back bracketed, with the same
// placeholders and the same accelerator, and the written file reads back as a language file.
TEST(PseudoCommand, KeepsThePlaceholdersAndAcceleratorsOfTheEditorsOwnTemplate)
{
    using namespace verbaria;
    const std::string templatePath = VERBARIA_SOURCE_DIR "/jazyky/glotra11.lnd";
    TempFolder folder;
    const ToolResult result = RunTool({"pseudo", templatePath, "-o", folder.File("pseudo.lng")});
    ASSERT_EQ(result.Status, 0) << result.Err;

    std::string templateBytes;
    ASSERT_TRUE(ReadFileBytes(templatePath, templateBytes));
    EditorTemplate table;
    checks::ScannedTexts scanned;
    checks::ReadTemplateWithScannedTexts(templateBytes, table, scanned);
    const std::string written = folder.Read("pseudo.lng");
    std::map<std::int32_t, std::string> translations;
    std::map<std::string, std::string> header;
    ForEachLanguageLine(
        written, [&](std::string_view key, std::string_view value) { header[std::string(key)] = value; },
        [&](std::int32_t number, std::string_view value) { translations.emplace(number, value); });
    EXPECT_EQ(header["LANGUAGE"], "Pseudo");
    EXPECT_EQ(header["DEFINITION"], "glotra11.lnd");

    int checked = 0;
    for (const TEditorItem &item : table.Items) {
        std::string original;
        if (item.Kind == ikComponent && scanned.contains(item.Number))
            original = scanned.at(item.Number);
        else if (item.Kind == ikMessage)
            original = item.Message >= 0 && table.Messages[item.Message].HasSource
                           ? EscapeMessageValue(table.Messages[item.Message].Source)
                           : item.Text;
        // A shortcut and a whole number keep their own text.
        if (original.empty() || UpperAscii(item.Text).ends_with(".SHORTCUT") || ParseWholeNumber(original))
            continue;
        const auto found = translations.find(item.Number);
        ASSERT_NE(found, translations.end()) << item.Number << ' ' << original;
        const std::string &pseudo = found->second;
        if (!IsListPath(item.Text)) {
            EXPECT_TRUE(pseudo.starts_with("[") && pseudo.ends_with("]")) << pseudo;
        }
        EXPECT_GT(pseudo.size(), original.size() + 2) << pseudo;
        const checks::Placeholders before = checks::FindPlaceholders(original);
        const checks::Placeholders after = checks::FindPlaceholders(pseudo);
        EXPECT_TRUE(checks::SameQtArguments(before, after)) << original << " / " << pseudo;
        EXPECT_TRUE(checks::SamePrintfArguments(before, after)) << original << " / " << pseudo;
        EXPECT_EQ(AcceleratorOf(original), AcceleratorOf(pseudo)) << original << " / " << pseudo;
        ++checked;
    }
    EXPECT_GT(checked, 200);
    EXPECT_EQ(static_cast<std::size_t>(checked), translations.size());

    // Told to lengthen by nothing, and into another code page: still a file the tool reads.
    const ToolResult other =
        RunTool({"pseudo", templatePath, "-o", "-", "--expand", "0", "--code-page", "UTF-8"});
    ASSERT_EQ(other.Status, 0) << other.Err;
    EXPECT_NE(other.Out.find("Codepage=UTF-8\r\n"), std::string::npos);
    EXPECT_NE(other.Out.find(":[Ƥř&eďƥřēĺŏžíť ž ƥȧṁěťí]\r\n"), std::string::npos);
    EXPECT_EQ(RunTool({"pseudo", templatePath, "-o", "-", "--expand", "lots"}).Status, 2);
}

} // namespace
