#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A class declared in a header and defined in a .cpp file through "using namespace", as most Qt
// programs are written.
const std::string kHeader = R"(namespace Office {
class Editor : public QWidget
{
    QOBJECT_MACRO
public:
    explicit Editor(QWidget *parent = nullptr);
    void save();
    struct Helper
    {
        QString name() const { return tr("Helper"); }
    };
};
} // namespace Office
)";

const std::string kSource = R"cpp(#include "editor.h"

using namespace Office;

static const char *const kinds[] = {QT_TRANSLATE_NOOP("Kinds", "Text"),
                                    QT_TRANSLATE_NOOP3("Kinds", "Text", "file kind"),
                                    QT_TRANSLATE_N_NOOP("Kinds", "%n item(s)")};

Editor::Editor(QWidget *parent)
    : QWidget(parent, tr("Init"))
{
    //: Shown in the status bar
    setStatusTip(tr("Ready"));
    setWindowTitle(tr("Open", "verb"));
    setToolTip(tr("Open", "noun"));
    label->setText(tr("%n file(s)", nullptr, count));
    QCoreApplication::translate("Global", "Quit");
    qApp->translate("Global", "Say \"hi\"\n"
                              "to all");
    tr(R"(C:\path)" " and " R"d(a "raw" text)d");
    tr(u8"Caf\u00e9 \x41\102\tend");
    translator->TranslateText("Hotovo");
    tr("Ready"); // once is enough
}

void Office::Editor::save()
{
    tr("Saved");
}
)cpp";

// clang-format off
const std::string kQml = R"file(import QtQuick 2.0

Item {
    //: Greeting on the start page
    property string title: qsTr("Hello")
    property var pattern: /"not(a)string"/g
    Text { text: qsTr("File", "menu") }
    Text { text: qsTranslate("Shared", "Close") }
    Text { text: qsTr("%n row(s)", "", count) }
    Text { text: qsTr('Single' + " joined") }
    function f() { return QT_TR_NOOP("Later") }
}
)file";
// clang-format on

// The form's class is not its object's name: uic asks for the class.
const std::string kForm = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>SettingsDialog</class>
 <widget class="QDialog" name="Settings">
  <property name="windowTitle"><string>Settings</string></property>
  <layout class="QVBoxLayout">
   <item>
    <widget class="QLabel" name="labelName">
     <property name="text"><string comment="person" extracomment="Above the name field">Name</string></property>
     <property name="styleSheet"><string notr="true">color: red</string></property>
    </widget>
   </item>
   <item>
    <widget class="QComboBox" name="comboSize">
     <item><property name="text"><string>Small</string></property></item>
     <item><property name="text"><string>Large</string></property></item>
    </widget>
   </item>
   <item>
    <widget class="QTableWidget" name="table">
     <item row="1" column="0"><property name="text"><string>B1</string></property></item>
     <item row="0" column="1"><property name="text"><string>A2</string></property></item>
     <item row="0" column="0"><property name="text"><string>A1</string></property></item>
    </widget>
   </item>
  </layout>
  <action name="actionQuit">
   <property name="text"><string>Quit</string></property>
   <property name="shortcut"><string>Ctrl+Q</string></property>
  </action>
 </widget>
</ui>
)";

// The fixtures spell Qt's object macro in a way the build's moc step does not take for this
// file's own.
std::string WithObjectMacro(std::string text)
{
    const std::string placeholder = "QOBJECT_MACRO";
    for (std::size_t at; (at = text.find(placeholder)) != std::string::npos;)
        text.replace(at, placeholder.size(), std::string("Q_") + "OBJECT");
    return text;
}

std::string Crlf(const std::string &text)
{
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

class ScanMessagesTest : public ::testing::Test
{
protected:
    TempFolder folder;
};

TEST_F(ScanMessagesTest, CppCallsBecomeMessagesOfTheirContextsWithTheirNotes)
{
    folder.Write("src/editor.h", WithObjectMacro(kHeader));
    folder.Write("src/editor.cpp", kSource);
    const ToolResult result = RunTool({"scan", "--sources", folder.File("src"), "--program", "Office"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, Crlf("[LANGUAGE]\n"
                               "PROGRAM=Office\n"
                               "[ITEMS]\n"
                               "1:section \"Kinds\"\n"
                               "/Context=Kinds\n"
                               "/Location=editor.cpp:5\n"
                               "2:message \"Text\"\n"
                               "/Context=Kinds\n"
                               "/Disambiguation=file kind\n"
                               "/Location=editor.cpp:6\n"
                               "3:message \"Text\"\n"
                               "/Context=Kinds\n"
                               "/Location=editor.cpp:7\n"
                               "/Plural\n"
                               "4:message \"%n item(s)\"\n"
                               "5:section \"Office::Editor\"\n"
                               "/Context=Office::Editor\n"
                               "/Location=editor.cpp:10\n"
                               "6:message \"Init\"\n"
                               "/Context=Office::Editor\n"
                               "/Comment=Shown in the status bar\n"
                               "/Location=editor.cpp:13\n"
                               "7:message \"Ready\"\n"
                               "/Context=Office::Editor\n"
                               "/Disambiguation=verb\n"
                               "/Location=editor.cpp:14\n"
                               "8:message \"Open\"\n"
                               "/Context=Office::Editor\n"
                               "/Disambiguation=noun\n"
                               "/Location=editor.cpp:15\n"
                               "9:message \"Open\"\n"
                               "/Context=Office::Editor\n"
                               "/Location=editor.cpp:16\n"
                               "/Plural\n"
                               "10:message \"%n file(s)\"\n"
                               "/Context=Office::Editor\n"
                               "/Location=editor.cpp:20\n"
                               "/Source=C:\\\\path and a \"raw\" text\n"
                               "11:message \"C:\\path and a 'raw' text\"\n"
                               "/Context=Office::Editor\n"
                               "/Location=editor.cpp:21\n"
                               "12:message \"Caf\xe9 AB\tend\"\n"
                               "/Context=Office::Editor\n"
                               "/Location=editor.cpp:28\n"
                               "13:message \"Saved\"\n"
                               "/Context=Office::Editor\n"
                               "/Location=editor.h:10\n"
                               "14:message \"Helper\"\n"
                               "15:section \"Global\"\n"
                               "/Context=Global\n"
                               "/Location=editor.cpp:17\n"
                               "16:message \"Quit\"\n"
                               "/Context=Global\n"
                               "/Location=editor.cpp:18\n"
                               "/Source=Say \"hi\"\\nto all\n"
                               "17:message \"Say 'hi'|to all\"\n"
                               "18:section \"Messages\"\n"
                               "19:message \"Hotovo\"\n"));
}

TEST_F(ScanMessagesTest, QmlTakesItsContextFromTheFileName)
{
    folder.Write("qml/Main.qml", kQml);
    const ToolResult result = RunTool({"scan", "--sources", folder.File("qml"), "--program", "Q"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, Crlf("[LANGUAGE]\n"
                               "PROGRAM=Q\n"
                               "[ITEMS]\n"
                               "1:section \"Main\"\n"
                               "/Context=Main\n"
                               "/Comment=Greeting on the start page\n"
                               "/Location=Main.qml:5\n"
                               "2:message \"Hello\"\n"
                               "/Context=Main\n"
                               "/Disambiguation=menu\n"
                               "/Location=Main.qml:7\n"
                               "3:message \"File\"\n"
                               "/Context=Main\n"
                               "/Location=Main.qml:9\n"
                               "/Plural\n"
                               "4:message \"%n row(s)\"\n"
                               "/Context=Main\n"
                               "/Location=Main.qml:10\n"
                               "5:message \"Single joined\"\n"
                               "/Context=Main\n"
                               "/Location=Main.qml:11\n"
                               "6:message \"Later\"\n"
                               "7:section \"Shared\"\n"
                               "/Context=Shared\n"
                               "/Location=Main.qml:8\n"
                               "8:message \"Close\"\n"));
}

TEST_F(ScanMessagesTest, FormTextsAreMessagesOfTheFormsClassOrComponentsWithShortcutsAndCellsInRows)
{
    folder.Write("Settings.ui", kForm);
    ToolResult result = RunTool({"scan", "--qt-messages", folder.File("Settings.ui")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::string expected = "[LANGUAGE]\nPROGRAM=Settings\n[ITEMS]\n1:section \"SettingsDialog\"\n"
                           "/Context=SettingsDialog\n/Location=Settings.ui:5\n2:message \"Settings\"\n"
                           "/Context=SettingsDialog\n/Disambiguation=person\n/Comment=Above the name field\n"
                           "/Location=Settings.ui:9\n3:message \"Name\"\n";
    int number = 4;
    for (const auto &[line, text] : std::vector<std::pair<int, std::string>>{
             {15, "Small"}, {16, "Large"}, {21, "B1"}, {22, "A2"}, {23, "A1"}, {28, "Quit"}, {29, "Ctrl+Q"}})
        expected += "/Context=SettingsDialog\n/Location=Settings.ui:" + std::to_string(line) + "\n" +
                    std::to_string(number++) + ":message \"" + text + "\"\n";
    EXPECT_EQ(result.Out, Crlf(expected));

    result = RunTool({"scan", folder.File("Settings.ui")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("/Text=A1,A2,B1\r\n5:component \"Settings.table.Items\"\r\n"),
              std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find("/Text=Ctrl+Q\r\n7:component \"Settings.actionQuit.shortcut\"\r\n"),
              std::string::npos)
        << result.Out;
}

TEST_F(ScanMessagesTest, UpdateKeepsNumbersOfEveryMessageThatKeepsItsContext)
{
    folder.Write(
        "src/a.cpp",
        WithObjectMacro("void A::f() { tr(\"Stays\"); tr(\"Moves\"); t->TranslateText(\"Hotovo\"); }\n"
                        "class A { QOBJECT_MACRO };\n"));
    // An old template, without comments: its message matches with no context.
    folder.Write("app.lnd", "[LANGUAGE]\r\nPROGRAM=App\r\n[ITEMS]\r\n7:message \"Hotovo\"\r\n");
    ToolResult result =
        RunTool({"scan", "--sources", folder.File("src"), "--update", folder.File("app.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("app.lnd"), Crlf("[LANGUAGE]\nPROGRAM=App\n[ITEMS]\n7:message \"Hotovo\"\n"
                                           "8:section \"A\"\n"
                                           "/Context=A\n/Location=a.cpp:1\n9:message \"Stays\"\n"
                                           "/Context=A\n/Location=a.cpp:1\n10:message \"Moves\"\n"
                                           "11:section \"Messages\"\n"));

    // "Moves" goes to class B, "Stays" two lines down, "New" comes: the new text of A joins A's
    // messages, the moved one is new in B.
    folder.Write("src/a.cpp",
                 "\n\nvoid A::f() { tr(\"Stays\"); tr(\"New\"); t->TranslateText(\"Hotovo\"); }\n"
                 "void B::g() { tr(\"Moves\"); }\n");
    result = RunTool({"scan", "--sources", folder.File("src"), "--update", folder.File("app.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "verbaria-tool: not found any more: 10 message \"Moves\"\n");
    EXPECT_EQ(folder.Read("app.lnd"), Crlf("[LANGUAGE]\nPROGRAM=App\n[ITEMS]\n7:message \"Hotovo\"\n"
                                           "8:section \"A\"\n"
                                           "/Context=A\n/Location=a.cpp:3\n9:message \"Stays\"\n"
                                           "/Context=A\n/Location=a.cpp:1\n10:message \"Moves\"\n"
                                           "/Context=A\n/Location=a.cpp:3\n12:message \"New\"\n"
                                           "11:section \"Messages\"\n"
                                           "13:section \"B\"\n"
                                           "/Context=B\n/Location=a.cpp:4\n14:message \"Moves\"\n"));
}

TEST_F(ScanMessagesTest, ATextTheCodePageCannotHoldTurnsTheTemplateIntoUtf8UnlessOneWasChosen)
{
    folder.Write(
        "src/a.cpp",
        WithObjectMacro("class A { QOBJECT_MACRO };\nvoid A::f()\n{\n    tr(\"Next \xe2\x86\x92\");\n}\n"));
    ToolResult result = RunTool({"scan", "--sources", folder.File("src"), "--program", "\xc4\x8c"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, Crlf("[LANGUAGE]\nPROGRAM=\xc4\x8c\nCodepage=UTF-8\n[ITEMS]\n1:section \"A\"\n"
                               "/Context=A\n/Location=a.cpp:4\n2:message \"Next \xe2\x86\x92\"\n"));

    // An old windows-1250 template is turned whole, its own texts included.
    folder.Write("old.lnd", "[LANGUAGE]\r\nPROGRAM=\xc8\r\n[ITEMS]\r\n3:message \"\xe8\"\r\n");
    result = RunTool({"scan", "--sources", folder.File("src"), "--update", folder.File("old.lnd")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(folder.Read("old.lnd"),
              Crlf("[LANGUAGE]\nCodepage=UTF-8\nPROGRAM=\xc4\x8c\n[ITEMS]\n3:message \"\xc4\x8d\"\n"
                   "4:section \"A\"\n/Context=A\n/Location=a.cpp:4\n5:message \"Next \xe2\x86\x92\"\n"));

    result = RunTool({"scan", "--sources", folder.File("src"), "--code-page", "windows-1250", "-o",
                      folder.File("new.lnd")});
    EXPECT_EQ(result.Status, 1);
    EXPECT_NE(result.Err.find("a.cpp:4"), std::string::npos) << result.Err;
    EXPECT_NE(result.Err.find("Next \xe2\x86\x92"), std::string::npos) << result.Err;
    EXPECT_FALSE(std::ifstream(folder.File("new.lnd")).good());
}

} // namespace
