#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QApplication;
class QObject;
class QWidget;

// What scan and apply share: the translatable texts of Qt Designer forms and the live widgets
// they describe.
namespace verbaria::tool {

// One translatable text of a form as the .ui file sets it, with the path a template names it by:
// form, object, property ("MainForm.buttonOK.text"; the form's own texts have no object part).
struct FormText
{
    QString Path;
    QString Object;     // objectName; empty for the form itself
    QString Property;   // "text", "title", ... "Caption" for a tab's or tool box page's text,
                        // "Items" for entries, "Columns" and "Rows" for header labels
    QStringList Values; // one value; the entries for Items
};

struct FormFile
{
    QString Name;                // objectName of the top-level widget
    std::vector<FormText> Texts; // in file order, each path once
};

// Reads a .ui file; texts marked notr="true" and empty ones are left out. Raises InOutError
// when the file cannot be read or is not a form.
FormFile ReadFormFile(const std::string &path);

// A form's texts as the code uic makes from it asks its translator for them.
struct FormMessage
{
    QString Source;
    QString Disambiguation; // the "comment" attribute
    QString Comment;        // the "extracomment" attribute, a note for the translator
    int Line = 0;
};

struct FormMessages
{
    QString Context; // the form's <class>
    std::vector<FormMessage> Messages;
};

// Every translatable text of a .ui file in file order; raises InOutError as ReadFormFile does.
FormMessages ReadFormMessages(const std::string &path);

// An application for loading forms, on the offscreen platform unless one is chosen.
std::unique_ptr<QApplication> MakeOffscreenApplication();

// The first named object below owner, depth first, as the translator finds it.
QObject *FindNamed(QObject *owner, const QString &name);

// FindNamed for many names over objects that do not change: indexed once, so that a large form
// costs one walk instead of one per text.
class NamedObjects final
{
public:
    explicit NamedObjects(QObject *owner);
    // The owner itself for an empty name.
    QObject *Find(const QString &name) const;

private:
    void Index(QObject *owner);
    QObject *owner_;
    std::unordered_map<QString, QObject *> objects_;
};

// The live value of a form text's property (after translation, say).
QStringList LiveValues(QWidget *form, const FormText &text);
QStringList LiveValues(const NamedObjects &named, const FormText &text);

} // namespace verbaria::tool
