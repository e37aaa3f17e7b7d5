#include "translator/qt/QtComponentTree.h"

#include "formats/TextRules.h"
#include "translator/qt/FormOrder.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBox>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace verbaria::qt {

namespace {

PropertyKind KindOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::QString:
        return PropertyKind::Text;
    case QMetaType::Int:
        return PropertyKind::Integer;
    case QMetaType::QStringList:
        return PropertyKind::StringList;
    case QMetaType::QKeySequence:
        return PropertyKind::Text;
    default:
        return PropertyKind::Other;
    }
}

QTabWidget *TabWidgetOfPage(QObject *object)
{
    auto *page = qobject_cast<QWidget *>(object);
    if (!page)
        return nullptr;
    auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
    auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

QToolBox *ToolBoxOfPage(QObject *object)
{
    auto *page = qobject_cast<QWidget *>(object);
    if (!page)
        return nullptr;
    // A tool box keeps its pages in a scroll area's viewport: look up the parents for it.
    for (QWidget *parent = page->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto *box = qobject_cast<QToolBox *>(parent))
            return box->indexOf(page) >= 0 ? box : nullptr;
    }
    return nullptr;
}

// Sets the header texts in place (icons stay), with new header items where there were none.
template <class ItemAt, class SetItem>
void SetHeaderTexts(int count, const QStringList &lines, ItemAt itemAt, SetItem setItem)
{
    for (int i = 0; i < count && i < lines.size(); ++i) {
        if (QTableWidgetItem *item = itemAt(i))
            item->setText(lines[i]);
        else
            setItem(i, new QTableWidgetItem(lines[i]));
    }
}

template <class ItemAt> QStringList HeaderTexts(int count, ItemAt itemAt)
{
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        const QTableWidgetItem *item = itemAt(i);
        texts.append(item ? item->text() : QString());
    }
    return texts;
}

// Calls visit(item) for every item of the tree, depth first.
template <class Visit> void ForEachTreeItem(QTreeWidget *tree, Visit visit)
{
    std::vector<QTreeWidgetItem *> stack;
    for (int i = tree->topLevelItemCount() - 1; i >= 0; --i)
        stack.push_back(tree->topLevelItem(i));
    while (!stack.empty()) {
        QTreeWidgetItem *item = stack.back();
        stack.pop_back();
        visit(item);
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.push_back(item->child(i));
    }
}

// Calls visit(item, column) for every item text of the tree that is not empty, depth first.
template <class Visit> void ForEachTreeText(QTreeWidget *tree, Visit visit)
{
    ForEachTreeItem(tree, [&visit](QTreeWidgetItem *item) {
        for (int column = 0; column < item->columnCount(); ++column) {
            if (!item->text(column).isEmpty())
                visit(item, column);
        }
    });
}

// Calls visit(item) for every cell of the table that has an item, row by row, as a form lists them.
template <class Visit> void ForEachTableItem(QTableWidget *table, Visit visit)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem *item = table->item(row, column))
                visit(item);
        }
    }
}

// Replaces the first texts in place, removes the entries past the new count, adds the new ones.
template <class SetText, class Remove, class Add>
void ReplaceEntries(int count, const QStringList &lines, SetText setText, Remove removeLast, Add add)
{
    const int keep = std::min<int>(count, static_cast<int>(lines.size()));
    for (int i = 0; i < keep; ++i)
        setText(i, lines[i]);
    for (int i = count; i > keep; --i)
        removeLast();
    for (qsizetype i = keep; i < lines.size(); ++i)
        add(lines[i]);
}

// The path a refused list is told by: the window, the object, the property.
QString PathOf(QObject *object, std::string_view property)
{
    QString path = object->objectName();
    for (QObject *parent = object->parent(); parent; parent = parent->parent()) {
        if (parent->isWidgetType() && static_cast<QWidget *>(parent)->isWindow()) {
            path = parent->objectName() + u'.' + path;
            break;
        }
    }
    return path + u'.' + QString::fromLatin1(property.data(), static_cast<qsizetype>(property.size()));
}

// The one walk of the object tree: every named object below the owner, depth first in the order
// of QObject::children() (only the widgets when widgetsOnly). Returns false when the visitor
// asked to stop.
bool VisitNamedDescendants(QObject *owner, bool widgetsOnly, const CodePage &codePage,
                           const TComponentTree::OwnedVisitor &visit)
{
    for (QObject *child : owner->children()) {
        if (!widgetsOnly || child->isWidgetType()) {
            const QString name = child->objectName();
            if (!name.isEmpty() && !visit(child, codePage.EncodeLossy(name)))
                return false;
        }
        if (!VisitNamedDescendants(child, widgetsOnly, codePage, visit))
            return false;
    }
    return true;
}

// What an adapter is asked about: the object, the property's name as the path gives it, the
// Q_PROPERTY of that name (-1 when none) and, once no property has the name, the name in upper
// case for the aliases.
struct Query
{
    QObject *Object;
    std::string_view Property;
    int MetaIndex;
    std::string Alias;
};

int MetaIndexOf(QObject *object, std::string_view property)
{
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (EqualsIgnoringAsciiCase(meta->property(i).name(), property))
            return i;
    }
    return -1;
}

bool IsKeySequence(const QMetaProperty &property)
{
    return property.metaType().id() == QMetaType::QKeySequence;
}

} // namespace

// One kind of target. MatchName serves a property by its own name, MatchAlias by an alias; each
// fills in the result (its Kind and where the value lives) and says whether it took the property.
// Every name is tried on every adapter first, then every alias, each in the order of the table.
struct QtComponentTree::Adapter
{
    bool (*MatchName)(const Query &query, Resolved &result);
    bool (*MatchAlias)(const Query &query, Resolved &result);
    QVariant (*Read)(QObject *object, const Resolved &resolved);
    void (*Write)(QObject *object, const Resolved &resolved, const QVariant &value);
    // Gives back the value Read returned before the first write; null: Write does.
    void (*Restore)(QObject *object, const Resolved &resolved, const QVariant &value);
    // How many items a translation of the list must have; null: any number.
    qsizetype (*EntryCount)(QObject *object);
    // A "|" in a text is the one-line form's line break (not in a key sequence).
    bool BarIsLineBreak;

    static const Adapter Table[];
};

const QtComponentTree::Adapter QtComponentTree::Adapter::Table[] = {
    // A Q_PROPERTY: QString is text, int a whole number, QStringList a string list. The aliases
    // that name one: Caption of a button, label or action (text), of a menu or group box (title),
    // of a window or dock widget that is no tab or tool box page (windowTitle); Hint (toolTip).
    {
        .MatchName =
            [](const Query &query, Resolved &result) {
                if (query.MetaIndex < 0)
                    return false;
                const QMetaProperty property = query.Object->metaObject()->property(query.MetaIndex);
                if (IsKeySequence(property))
                    return false;
                result.Kind = property.isWritable() ? KindOf(property.metaType()) : PropertyKind::Other;
                result.MetaIndex = query.MetaIndex;
                return true;
            },
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                QObject *object = query.Object;
                const char *name = nullptr;
                if (query.Alias == "CAPTION") {
                    if (qobject_cast<QAbstractButton *>(object) || qobject_cast<QLabel *>(object) ||
                        qobject_cast<QAction *>(object))
                        name = "text";
                    else if (qobject_cast<QMenu *>(object) || qobject_cast<QGroupBox *>(object))
                        name = "title";
                    else if (auto *widget = qobject_cast<QWidget *>(object);
                             widget && (widget->isWindow() || qobject_cast<QDockWidget *>(widget)) &&
                             !TabWidgetOfPage(object) && !ToolBoxOfPage(object))
                        name = "windowTitle";
                } else if (query.Alias == "HINT") {
                    name = "toolTip";
                }
                if (!name)
                    return false;
                // A property missing on such an object is no property at all.
                const int index = object->metaObject()->indexOfProperty(name);
                if (index >= 0) {
                    result.Kind = PropertyKind::Text;
                    result.MetaIndex = index;
                }
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &resolved) {
                return object->metaObject()->property(resolved.MetaIndex).read(object);
            },
        .Write =
            [](QObject *object, const Resolved &resolved, const QVariant &value) {
                object->metaObject()->property(resolved.MetaIndex).write(object, value);
            },
        .Restore = nullptr,
        .EntryCount = nullptr,
        .BarIsLineBreak = true,
    },
    // A Q_PROPERTY holding a key sequence, as text in the portable form ("Ctrl+O").
    {
        .MatchName =
            [](const Query &query, Resolved &result) {
                if (query.MetaIndex < 0)
                    return false;
                const QMetaProperty property = query.Object->metaObject()->property(query.MetaIndex);
                if (!IsKeySequence(property))
                    return false;
                result.Kind = property.isWritable() ? PropertyKind::Text : PropertyKind::Other;
                result.MetaIndex = query.MetaIndex;
                return true;
            },
        .MatchAlias = nullptr,
        .Read =
            [](QObject *object, const Resolved &resolved) {
                return QVariant(object->metaObject()
                                    ->property(resolved.MetaIndex)
                                    .read(object)
                                    .value<QKeySequence>()
                                    .toString(QKeySequence::PortableText));
            },
        .Write =
            [](QObject *object, const Resolved &resolved, const QVariant &value) {
                object->metaObject()
                    ->property(resolved.MetaIndex)
                    .write(object, QKeySequence::fromString(value.toString(), QKeySequence::PortableText));
            },
        .Restore = nullptr,
        .EntryCount = nullptr,
        .BarIsLineBreak = false,
    },
    // A dynamic property, its kind the one of the value it holds; the alias Tag is the whole-number
    // dynamic property "Tag". Given back, a property that was not there before goes away again.
    {
        .MatchName =
            [](const Query &query, Resolved &result) {
                for (const QByteArray &name : query.Object->dynamicPropertyNames()) {
                    if (EqualsIgnoringAsciiCase(
                            std::string_view(name.constData(), static_cast<std::size_t>(name.size())),
                            query.Property)) {
                        result.Kind = KindOf(query.Object->property(name.constData()).metaType());
                        result.DynamicName = name;
                        return true;
                    }
                }
                return false;
            },
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "TAG")
                    return false;
                result.Kind = PropertyKind::Integer;
                result.DynamicName = QByteArrayLiteral("Tag");
                return true;
            },
        .Read = [](QObject *object,
                   const Resolved &resolved) { return object->property(resolved.DynamicName.constData()); },
        .Write = [](QObject *object, const Resolved &resolved,
                    const QVariant &value) { object->setProperty(resolved.DynamicName.constData(), value); },
        .Restore = nullptr, // an invalid value removes the property
        .EntryCount = nullptr,
        .BarIsLineBreak = true,
    },
    // Caption of a tab page: its tab's text.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "CAPTION" || !TabWidgetOfPage(query.Object))
                    return false;
                result.Kind = PropertyKind::Text;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                if (QTabWidget *tabs = TabWidgetOfPage(object))
                    return QVariant(tabs->tabText(tabs->indexOf(static_cast<QWidget *>(object))));
                return QVariant();
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                if (QTabWidget *tabs = TabWidgetOfPage(object))
                    tabs->setTabText(tabs->indexOf(static_cast<QWidget *>(object)), value.toString());
            },
        .Restore = nullptr,
        .EntryCount = nullptr,
        .BarIsLineBreak = true,
    },
    // Caption of a tool box page: its item text.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "CAPTION" || !ToolBoxOfPage(query.Object))
                    return false;
                result.Kind = PropertyKind::Text;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                if (QToolBox *box = ToolBoxOfPage(object))
                    return QVariant(box->itemText(box->indexOf(static_cast<QWidget *>(object))));
                return QVariant();
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                if (QToolBox *box = ToolBoxOfPage(object))
                    box->setItemText(box->indexOf(static_cast<QWidget *>(object)), value.toString());
            },
        .Restore = nullptr,
        .EntryCount = nullptr,
        .BarIsLineBreak = true,
    },
    // Columns of a tree widget: its header labels (the tree keeps its columns).
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "COLUMNS" || !qobject_cast<QTreeWidget *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                auto *tree = static_cast<QTreeWidget *>(object);
                QStringList texts;
                for (int i = 0; i < tree->columnCount(); ++i)
                    texts.append(tree->headerItem()->text(i));
                return QVariant(texts);
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                auto *tree = static_cast<QTreeWidget *>(object);
                const QStringList lines = value.toStringList();
                for (int i = 0; i < tree->columnCount() && i < lines.size(); ++i)
                    tree->headerItem()->setText(i, lines[i]);
            },
        .Restore = nullptr,
        .EntryCount = [](QObject *object) -> qsizetype {
            return static_cast<QTreeWidget *>(object)->columnCount();
        },
        .BarIsLineBreak = true,
    },
    // Columns of a table widget: its column header labels.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "COLUMNS" || !qobject_cast<QTableWidget *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                auto *table = static_cast<QTableWidget *>(object);
                return QVariant(HeaderTexts(table->columnCount(),
                                            [table](int i) { return table->horizontalHeaderItem(i); }));
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                auto *table = static_cast<QTableWidget *>(object);
                SetHeaderTexts(
                    table->columnCount(), value.toStringList(),
                    [table](int i) { return table->horizontalHeaderItem(i); },
                    [table](int i, QTableWidgetItem *item) { table->setHorizontalHeaderItem(i, item); });
            },
        .Restore = nullptr,
        .EntryCount = [](QObject *object) -> qsizetype {
            return static_cast<QTableWidget *>(object)->columnCount();
        },
        .BarIsLineBreak = true,
    },
    // Rows of a table widget: its row header labels.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "ROWS" || !qobject_cast<QTableWidget *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                auto *table = static_cast<QTableWidget *>(object);
                return QVariant(
                    HeaderTexts(table->rowCount(), [table](int i) { return table->verticalHeaderItem(i); }));
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                auto *table = static_cast<QTableWidget *>(object);
                SetHeaderTexts(
                    table->rowCount(), value.toStringList(),
                    [table](int i) { return table->verticalHeaderItem(i); },
                    [table](int i, QTableWidgetItem *item) { table->setVerticalHeaderItem(i, item); });
            },
        .Restore = nullptr,
        .EntryCount = [](QObject *object) -> qsizetype {
            return static_cast<QTableWidget *>(object)->rowCount();
        },
        .BarIsLineBreak = true,
    },
    // Items or Lines of a combo box: its entries' texts, replaced in place (data and icons stay).
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if ((query.Alias != "ITEMS" && query.Alias != "LINES") ||
                    !qobject_cast<QComboBox *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                auto *combo = static_cast<QComboBox *>(object);
                QStringList items;
                for (int i = 0; i < combo->count(); ++i)
                    items.append(combo->itemText(i));
                return QVariant(items);
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                auto *combo = static_cast<QComboBox *>(object);
                ReplaceEntries(
                    combo->count(), value.toStringList(),
                    [combo](int i, const QString &text) { combo->setItemText(i, text); },
                    [combo] { combo->removeItem(combo->count() - 1); },
                    [combo](const QString &text) { combo->addItem(text); });
            },
        .Restore = nullptr,
        .EntryCount = [](QObject *object) -> qsizetype { return static_cast<QComboBox *>(object)->count(); },
        .BarIsLineBreak = true,
    },
    // Items or Lines of a list widget: its items' texts, replaced in place.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if ((query.Alias != "ITEMS" && query.Alias != "LINES") ||
                    !qobject_cast<QListWidget *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                auto *list = static_cast<QListWidget *>(object);
                QStringList items;
                for (int i = 0; i < list->count(); ++i)
                    items.append(list->item(i)->text());
                return QVariant(items);
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                auto *list = static_cast<QListWidget *>(object);
                ReplaceEntries(
                    list->count(), value.toStringList(),
                    [list](int i, const QString &text) { list->item(i)->setText(text); },
                    [list] { delete list->takeItem(list->count() - 1); },
                    [list](const QString &text) { list->addItem(text); });
            },
        .Restore = nullptr,
        .EntryCount = [](QObject *object) -> qsizetype {
            return static_cast<QListWidget *>(object)->count();
        },
        .BarIsLineBreak = true,
    },
    // Items or Lines of a tree widget: the texts of its items that are not empty, depth first,
    // each item's columns in order, replaced in place (the tree keeps its shape).
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if ((query.Alias != "ITEMS" && query.Alias != "LINES") ||
                    !qobject_cast<QTreeWidget *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                // Kept per item, so that giving back does not depend on which texts were empty.
                QVariantList texts;
                ForEachTreeText(
                    static_cast<QTreeWidget *>(object), [&texts](QTreeWidgetItem *item, int column) {
                        texts.append(QVariant::fromValue(QVariantList{
                            QVariant::fromValue(static_cast<void *>(item)), column, item->text(column)}));
                    });
                return QVariant(texts);
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                const QStringList lines = value.toStringList();
                qsizetype next = 0;
                ForEachTreeText(static_cast<QTreeWidget *>(object), [&](QTreeWidgetItem *item, int column) {
                    // An empty text would drop the item out of the count of texts.
                    if (next < lines.size() && !lines[next].isEmpty())
                        item->setText(column, lines[next]);
                    ++next;
                });
            },
        .Restore =
            [](QObject *object, const Resolved &, const QVariant &value) {
                // Only items that are still in the tree are given their text back.
                QHash<void *, QTreeWidgetItem *> alive;
                ForEachTreeItem(static_cast<QTreeWidget *>(object),
                                [&alive](QTreeWidgetItem *item) { alive.insert(item, item); });
                for (const QVariant &entry : value.toList()) {
                    const QVariantList parts = entry.toList();
                    if (QTreeWidgetItem *item = alive.value(parts.value(0).value<void *>()))
                        item->setText(parts.value(1).toInt(), parts.value(2).toString());
                }
            },
        .EntryCount =
            [](QObject *object) {
                qsizetype count = 0;
                ForEachTreeText(static_cast<QTreeWidget *>(object),
                                [&count](QTreeWidgetItem *, int) { ++count; });
                return count;
            },
        .BarIsLineBreak = true,
    },
    // Items of a table widget: the texts of its cells that have an item, row by row, in place.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if (query.Alias != "ITEMS" || !qobject_cast<QTableWidget *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                QVariantList texts;
                ForEachTableItem(static_cast<QTableWidget *>(object), [&texts](QTableWidgetItem *item) {
                    texts.append(QVariant::fromValue(
                        QVariantList{QVariant::fromValue(static_cast<void *>(item)), item->text()}));
                });
                return QVariant(texts);
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                const QStringList lines = value.toStringList();
                qsizetype next = 0;
                ForEachTableItem(static_cast<QTableWidget *>(object), [&](QTableWidgetItem *item) {
                    if (next < lines.size())
                        item->setText(lines[next++]);
                });
            },
        .Restore =
            [](QObject *object, const Resolved &, const QVariant &value) {
                QHash<void *, QTableWidgetItem *> alive;
                ForEachTableItem(static_cast<QTableWidget *>(object),
                                 [&alive](QTableWidgetItem *item) { alive.insert(item, item); });
                for (const QVariant &entry : value.toList()) {
                    const QVariantList parts = entry.toList();
                    if (QTableWidgetItem *item = alive.value(parts.value(0).value<void *>()))
                        item->setText(parts.value(1).toString());
                }
            },
        .EntryCount =
            [](QObject *object) {
                qsizetype count = 0;
                ForEachTableItem(static_cast<QTableWidget *>(object),
                                 [&count](QTableWidgetItem *) { ++count; });
                return count;
            },
        .BarIsLineBreak = true,
    },
    // Items or Lines of a plain-text edit: its lines, any number of them.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if ((query.Alias != "ITEMS" && query.Alias != "LINES") ||
                    !qobject_cast<QPlainTextEdit *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read =
            [](QObject *object, const Resolved &) {
                return QVariant(static_cast<QPlainTextEdit *>(object)->toPlainText());
            },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                static_cast<QPlainTextEdit *>(object)->setPlainText(
                    value.toStringList().join(QLatin1Char('\n')));
            },
        .Restore =
            [](QObject *object, const Resolved &, const QVariant &value) {
                static_cast<QPlainTextEdit *>(object)->setPlainText(value.toString());
            },
        .EntryCount = nullptr,
        .BarIsLineBreak = true,
    },
    // Items or Lines of a rich-text edit: its lines, any number of them; given back with its
    // formatting.
    {
        .MatchName = nullptr,
        .MatchAlias =
            [](const Query &query, Resolved &result) {
                if ((query.Alias != "ITEMS" && query.Alias != "LINES") ||
                    !qobject_cast<QTextEdit *>(query.Object))
                    return false;
                result.Kind = PropertyKind::StringList;
                return true;
            },
        .Read = [](QObject *object,
                   const Resolved &) { return QVariant(static_cast<QTextEdit *>(object)->toHtml()); },
        .Write =
            [](QObject *object, const Resolved &, const QVariant &value) {
                static_cast<QTextEdit *>(object)->setPlainText(value.toStringList().join(QLatin1Char('\n')));
            },
        .Restore = [](QObject *object, const Resolved &,
                      const QVariant &value) { static_cast<QTextEdit *>(object)->setHtml(value.toString()); },
        .EntryCount = nullptr,
        .BarIsLineBreak = true,
    },
};

QtComponentTree::QtComponentTree(const CodePage &codePage)
    : QtComponentTree(codePage, codePage)
{
}

QtComponentTree::QtComponentTree(const CodePage &names, const CodePage &values)
    : names_(names)
    , values_(values)
{
}

TComponentTree::Component QtComponentTree::Root()
{
    return QCoreApplication::instance();
}

void QtComponentTree::ForEachOwned(Component owner, const OwnedVisitor &visit)
{
    QObject *object = ToObject(owner);
    if (!object)
        return;
    if (object != QCoreApplication::instance()) {
        VisitNamedDescendants(object, false, names_, visit);
        return;
    }
    const QList<QWidget *> forms = FormOrder::Forms();
    for (QWidget *form : forms) {
        const QString name = form->objectName();
        if (!name.isEmpty() && !visit(form, names_.EncodeLossy(name)))
            return;
    }
    // A form designed as a panel lives inside a window; the windows' own names come first.
    for (QWidget *form : forms) {
        if (!VisitNamedDescendants(form, true, names_, visit))
            return;
    }
}

QtComponentTree::Resolved QtComponentTree::Resolve(QObject *object, std::string_view property)
{
    Resolved result;
    Query query{object, property, MetaIndexOf(object, property), {}};
    for (const Adapter &adapter : Adapter::Table) {
        if (adapter.MatchName && adapter.MatchName(query, result)) {
            result.How = &adapter;
            return result;
        }
    }
    query.Alias = UpperAscii(property);
    for (const Adapter &adapter : Adapter::Table) {
        if (adapter.MatchAlias && adapter.MatchAlias(query, result)) {
            result.How = &adapter;
            return result;
        }
    }
    return result;
}

QtComponentTree::Resolved QtComponentTree::Cached(QObject *object, std::string_view property)
{
    if (cachedObject_ == object && cachedName_ == property) {
        cachedObject_ = nullptr;
        return cached_;
    }
    return Resolve(object, property);
}

PropertyKind QtComponentTree::FindProperty(Component component, std::string_view property)
{
    QObject *object = ToObject(component);
    if (!object)
        return PropertyKind::None;
    cached_ = Resolve(object, property);
    cachedObject_ = object;
    cachedName_.assign(property);
    return cached_.Kind;
}

void QtComponentTree::BeginTranslation()
{
    ++pass_;
}

void QtComponentTree::EndTranslation()
{
    for (auto it = originals_.begin(); it != originals_.end();) {
        if (!it->Object) {
            it = originals_.erase(it);
            continue;
        }
        for (const Original &original : it->Properties) {
            if (original.WrittenInPass == pass_)
                continue;
            const Adapter &how = *original.Property.How;
            (how.Restore ? how.Restore : how.Write)(it->Object, original.Property, original.Value);
        }
        ++it;
    }
}

QStringList QtComponentTree::TakeRefusals()
{
    return std::exchange(refusals_, {});
}

void QtComponentTree::Remember(QObject *object, const Resolved &resolved)
{
    Originals &entry = originals_[object];
    if (entry.Object != object) {
        entry.Object = object;
        entry.Properties.clear();
    }
    for (Original &original : entry.Properties) {
        const Resolved &known = original.Property;
        if (known.How == resolved.How && known.MetaIndex == resolved.MetaIndex &&
            known.DynamicName == resolved.DynamicName) {
            original.WrittenInPass = pass_;
            return;
        }
    }
    entry.Properties.push_back(Original{resolved, resolved.How->Read(object, resolved), pass_});
}

QVariant QtComponentTree::ReadValue(Component component, std::string_view property)
{
    QObject *object = ToObject(component);
    if (!object)
        return {};
    const Resolved resolved = Resolve(object, property);
    if (!resolved.How || !resolved.How->Read || resolved.Kind == PropertyKind::None)
        return {};
    return resolved.How->Read(object, resolved);
}

void QtComponentTree::SetText(Component component, std::string_view property, std::string_view value)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind == PropertyKind::Text) {
            QString text = values_.Decode(value);
            if (resolved.How->BarIsLineBreak)
                text.replace(u'|', u'\n'); // the one-line form's line break
            Remember(object, resolved);
            resolved.How->Write(object, resolved, text);
        }
    }
}

void QtComponentTree::SetInteger(Component component, std::string_view property, std::int32_t value)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind == PropertyKind::Integer) {
            Remember(object, resolved);
            resolved.How->Write(object, resolved, QVariant(static_cast<int>(value)));
        }
    }
}

void QtComponentTree::SetStringList(Component component, std::string_view property,
                                    const std::vector<std::string> &lines)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind != PropertyKind::StringList)
            return;
        if (resolved.How->EntryCount) {
            const qsizetype count = resolved.How->EntryCount(object);
            if (count != static_cast<qsizetype>(lines.size())) {
                refusals_.append(
                    QStringLiteral("%1: %2 items for a list of %3; an item that holds the separator "
                                   "counts as two. The list keeps its entries.")
                        .arg(PathOf(object, property))
                        .arg(lines.size())
                        .arg(count));
                return;
            }
        }
        QStringList list;
        list.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string &line : lines)
            list.append(values_.Decode(line));
        Remember(object, resolved);
        resolved.How->Write(object, resolved, list);
    }
}

} // namespace verbaria::qt
