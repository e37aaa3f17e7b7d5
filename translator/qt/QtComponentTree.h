#pragma once

#include "platform/CodePage.h"
#include "translator/TComponentTree.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace verbaria::qt {

// The live QObject tree as the translator addresses it.
//
// - The root is the application object; a path without "." names one of its properties.
// - The application owns the forms: the top-level windows in the order they were created (see
//   FormOrder), named by their objectName; after them every named widget inside those windows,
//   window by window, depth first. So a form made as a panel and placed inside a window
//   ("Panel.labelX.text") is found where it sits when no window has its name.
// - Any other object owns every named object below it in the object tree (widgets, actions,
//   menus, the widgets of its layouts), depth first in the order of QObject::children(). So
//   "Form.object.Property" reaches any named object of a form, however deeply it is nested.
// - Properties are found without regard to ASCII case: first the Q_PROPERTYs (QString is text,
//   int is a whole number, QStringList a string list, anything else has no meaning), then the
//   dynamic properties, then these aliases:
//     Caption  the text of a button, label or action; the title of a menu or group box; the tab
//              text of a tab page; the item text of a tool box page; the title of a window or
//              dock widget
//     Hint     the tool tip
//     Items, Lines  the entries of a combo box or list widget (texts replaced in place, so item
//              data and icons stay), the lines of a plain-text or rich-text edit; of a tree
//              widget, the texts of its items that are not empty, depth first, each item's
//              columns in order (in place; the tree keeps its shape); of a table widget, the
//              texts of its cells that have an item, row by row
//     Columns  the header labels of a tree widget, the column header labels of a table widget
//     Rows     the row header labels of a table widget
//     Tag      the whole-number dynamic property "Tag"
//   Spin boxes' prefix, suffix and specialValueText and every widget's whatsThis are ordinary
//   Q_PROPERTYs and are found by those names.
// - Every property the translator writes keeps the value it had before its first write; a
//   Translate that no longer writes it (the new language lacks the entry) gives that value back.
// - A "|" in a text (not in a list entry) is a line break, as the one-line form of the files has it.
// - A list of entries or header labels (not the lines of a text edit) takes a translation only
//   with as many items as it has: one with fewer would delete entries, one with more has an
//   item split at the separator. Such a translation is refused, the list keeps its entries, and
//   TakeRefusals tells of it.
// Texts are decoded from the files' code page before they reach a QString.
//
// Each kind of target is one adapter in the table of QtComponentTree.cpp: it tells which names
// (or aliases) of which objects it serves, and reads, writes, gives back and counts the value. A
// new widget kind is one new entry in that table (and its alias in the list above); nothing else
// changes. The objects a path reaches are walked by one function there as well.
class QtComponentTree final : public TComponentTree
{
public:
    explicit QtComponentTree(const CodePage &codePage);
    // Paths (object names) come from the template, values from the language file: each file's
    // bytes in its own code page.
    QtComponentTree(const CodePage &names, const CodePage &values);

    Component Root() override;
    void ForEachOwned(Component owner, const OwnedVisitor &visit) override;
    PropertyKind FindProperty(Component component, std::string_view property) override;
    void SetText(Component component, std::string_view property, std::string_view value) override;
    void SetInteger(Component component, std::string_view property, std::int32_t value) override;
    void SetStringList(Component component, std::string_view property,
                       const std::vector<std::string> &lines) override;
    void BeginTranslation() override;
    void EndTranslation() override;

    // The live value of a property as the aliases above reach it (a QString, a QStringList, an
    // int), or an invalid QVariant when the object has no such property.
    QVariant ReadValue(Component component, std::string_view property);

    // The list translations refused since the last call, one message each (English).
    QStringList TakeRefusals();

    static QObject *ToObject(Component component) { return static_cast<QObject *>(component); }
    static Component ToComponent(QObject *object) { return object; }

private:
    struct Adapter; // one kind of target, defined with the table of them in QtComponentTree.cpp
    struct Resolved
    {
        PropertyKind Kind = PropertyKind::None;
        const Adapter *How = nullptr;
        int MetaIndex = -1;
        QByteArray DynamicName;
    };

    static Resolved Resolve(QObject *object, std::string_view property);
    Resolved Cached(QObject *object, std::string_view property);
    void Remember(QObject *object, const Resolved &resolved);

    struct Original
    {
        Resolved Property;
        QVariant Value;
        unsigned WrittenInPass = 0;
    };
    struct Originals
    {
        QPointer<QObject> Object; // null once the object is gone (its address may be reused)
        std::vector<Original> Properties;
    };
    QHash<QObject *, Originals> originals_;
    unsigned pass_ = 0;
    QStringList refusals_;

    const CodePage &names_;
    const CodePage &values_;
    // FindProperty is followed by one setter for the same property: remember the answer once.
    QPointer<QObject> cachedObject_;
    std::string cachedName_;
    Resolved cached_;
};

} // namespace verbaria::qt
