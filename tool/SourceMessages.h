#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The texts a Qt program hands to its translator in C++ and QML: what scan writes as messages.
namespace verbaria::tool {

// One message as the program asks for it; every text in UTF-8.
struct SourceMessage
{
    std::string Context; // empty for TranslateText, which has none
    std::string Source;
    std::string Disambiguation;
    std::string Comment;  // the programmer's note for the translator ("//:" lines)
    std::string Location; // "FILE:LINE"; empty for TranslateText, whose lines never carried one
    bool Plural = false;  // asked for with a count, and the text has a place for it (%n)
    bool ByText = false;  // TranslateText's: the runtime finds it by the quoted text alone
};

// The classes of a program's C++ sources, gathered over all its files before any message is
// placed: a member defined in a .cpp file takes its context from the class its header declares.
struct ClassIndex
{
    std::set<std::string> Known;                  // every class and struct, namespaces joined by "::"
    std::map<std::string, std::string> TrContext; // classes with Q_OBJECT and the like -> context
};

// displayName is what a message's location names the file by.
void IndexCppClasses(std::string_view source, ClassIndex &index);
std::vector<SourceMessage> ScanCppMessages(std::string_view source, const std::string &displayName,
                                           const ClassIndex &index);

// A .qml or .js file; qsTr() takes its context from the file's name, as lupdate gives it.
std::vector<SourceMessage> ScanQmlMessages(std::string_view source, const std::string &displayName,
                                           const std::string &fileContext);

} // namespace verbaria::tool
