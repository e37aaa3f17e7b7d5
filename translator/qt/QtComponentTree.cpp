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

bool SameProperty(const auto &a, const auto &b)
{
    return a.How == b.How && a.MetaIndex == b.MetaIndex && a.DynamicName == b.DynamicName;
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

// Calls visit(item, column) for every item text of the tree that is not empty, depth first.
template <class Visit> void ForEachTreeText(QTreeWidget *tree, Visit visit)
{
    std::vector<QTreeWidgetItem *> stack;
    for (int i = tree->topLevelItemCount() - 1; i >= 0; --i)
        stack.push_back(tree->topLevelItem(i));
    while (!stack.empty()) {
        QTreeWidgetItem *item = stack.back();
        stack.pop_back();
        for (int column = 0; column < item->columnCount(); ++column) {
            if (!item->text(column).isEmpty())
                visit(item, column);
        }
        for (int i = item->childCount() - 1; i >= 0; --i)
            stack.push_back(item->child(i));
    }
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

// Returns false when the visitor asked to stop.
bool VisitNamedDescendants(QObject *owner, const CodePage &codePage,
                           const TComponentTree::OwnedVisitor &visit)
{
    for (QObject *child : owner->children()) {
        const QString name = child->objectName();
        if (!name.isEmpty()) {
            const std::string bytes = codePage.EncodeLossy(name);
            if (!visit(child, bytes))
                return false;
        }
        if (!VisitNamedDescendants(child, codePage, visit))
            return false;
    }
    return true;
}

} // namespace

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
    if (object == QCoreApplication::instance()) {
        const QList<QWidget *> forms = FormOrder::Forms();
        for (QWidget *form : forms) {
            const QString name = form->objectName();
            if (!name.isEmpty() && !visit(form, names_.EncodeLossy(name)))
                return;
        }
        // A form designed as a panel lives inside a window; the windows' own names come first.
        const OwnedVisitor widgetsOnly = [&visit](Component component, std::string_view name) {
            return !ToObject(component)->isWidgetType() || visit(component, name);
        };
        for (QWidget *form : forms) {
            if (!VisitNamedDescendants(form, names_, widgetsOnly))
                return;
        }
        return;
    }
    VisitNamedDescendants(object, names_, visit);
}

QtComponentTree::Resolved QtComponentTree::Resolve(QObject *object, std::string_view property)
{
    Resolved result;
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty candidate = meta->property(i);
        if (EqualsIgnoringAsciiCase(candidate.name(), property)) {
            result.Kind = candidate.isWritable() ? KindOf(candidate.metaType()) : PropertyKind::Other;
            result.How = candidate.metaType().id() == QMetaType::QKeySequence ? Target::KeySequence
                                                                              : Target::MetaProperty;
            result.MetaIndex = i;
            return result;
        }
    }
    for (const QByteArray &name : object->dynamicPropertyNames()) {
        if (EqualsIgnoringAsciiCase(std::string_view(name.constData(), static_cast<std::size_t>(name.size())),
                                    property)) {
            result.Kind = KindOf(object->property(name.constData()).metaType());
            result.How = Target::DynamicProperty;
            result.DynamicName = name;
            return result;
        }
    }

    auto metaNamed = [&](const char *name) {
        const int index = meta->indexOfProperty(name);
        if (index >= 0) {
            result.Kind = PropertyKind::Text;
            result.How = Target::MetaProperty;
            result.MetaIndex = index;
        }
        return result;
    };
    const std::string alias = UpperAscii(property);
    if (alias == "CAPTION") {
        if (qobject_cast<QAbstractButton *>(object) || qobject_cast<QLabel *>(object) ||
            qobject_cast<QAction *>(object))
            return metaNamed("text");
        if (qobject_cast<QMenu *>(object) || qobject_cast<QGroupBox *>(object))
            return metaNamed("title");
        if (TabWidgetOfPage(object)) {
            result.Kind = PropertyKind::Text;
            result.How = Target::TabText;
            return result;
        }
        if (ToolBoxOfPage(object)) {
            result.Kind = PropertyKind::Text;
            result.How = Target::ToolBoxText;
            return result;
        }
        auto *widget = qobject_cast<QWidget *>(object);
        if (widget && (widget->isWindow() || qobject_cast<QDockWidget *>(widget)))
            return metaNamed("windowTitle");
    } else if (alias == "HINT") {
        return metaNamed("toolTip");
    } else if (alias == "ITEMS" || alias == "LINES") {
        result.Kind = PropertyKind::StringList;
        if (qobject_cast<QComboBox *>(object))
            result.How = Target::ComboItems;
        else if (qobject_cast<QListWidget *>(object))
            result.How = Target::ListItems;
        else if (qobject_cast<QTreeWidget *>(object))
            result.How = Target::TreeItems;
        else if (qobject_cast<QTableWidget *>(object) && alias == "ITEMS")
            result.How = Target::TableItems;
        else if (qobject_cast<QPlainTextEdit *>(object))
            result.How = Target::PlainTextLines;
        else if (qobject_cast<QTextEdit *>(object))
            result.How = Target::TextEditLines;
        else
            result.Kind = PropertyKind::None;
    } else if (alias == "COLUMNS" || alias == "ROWS") {
        result.Kind = PropertyKind::StringList;
        if (alias == "COLUMNS" && qobject_cast<QTreeWidget *>(object))
            result.How = Target::TreeHeader;
        else if (qobject_cast<QTableWidget *>(object))
            result.How = alias == "COLUMNS" ? Target::TableColumns : Target::TableRows;
        else
            result.Kind = PropertyKind::None;
    } else if (alias == "TAG") {
        result.Kind = PropertyKind::Integer;
        result.How = Target::DynamicProperty;
        result.DynamicName = QByteArrayLiteral("Tag");
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
            if (original.WrittenInPass != pass_)
                Restore(it->Object, original.Property, original.Value);
        }
        ++it;
    }
}

QStringList QtComponentTree::TakeRefusals()
{
    return std::exchange(refusals_, {});
}

qsizetype QtComponentTree::EntryCount(QObject *object, const Resolved &resolved)
{
    switch (resolved.How) {
    case Target::ComboItems:
        return static_cast<QComboBox *>(object)->count();
    case Target::ListItems:
        return static_cast<QListWidget *>(object)->count();
    case Target::TreeHeader:
        return static_cast<QTreeWidget *>(object)->columnCount();
    case Target::TableColumns:
        return static_cast<QTableWidget *>(object)->columnCount();
    case Target::TableRows:
        return static_cast<QTableWidget *>(object)->rowCount();
    case Target::TreeItems:
    case Target::TableItems: {
        qsizetype count = 0;
        if (resolved.How == Target::TreeItems)
            ForEachTreeText(static_cast<QTreeWidget *>(object),
                            [&count](QTreeWidgetItem *, int) { ++count; });
        else
            ForEachTableItem(static_cast<QTableWidget *>(object), [&count](QTableWidgetItem *) { ++count; });
        return count;
    }
    default:
        return -1; // lines of a text edit, a string list property: any number
    }
}

void QtComponentTree::Remember(QObject *object, const Resolved &resolved)
{
    Originals &entry = originals_[object];
    if (entry.Object != object) {
        entry.Object = object;
        entry.Properties.clear();
    }
    for (Original &original : entry.Properties) {
        if (SameProperty(original.Property, resolved)) {
            original.WrittenInPass = pass_;
            return;
        }
    }
    entry.Properties.push_back(Original{resolved, Read(object, resolved), pass_});
}

QVariant QtComponentTree::Read(QObject *object, const Resolved &resolved) const
{
    switch (resolved.How) {
    case Target::MetaProperty:
        return object->metaObject()->property(resolved.MetaIndex).read(object);
    case Target::KeySequence:
        return object->metaObject()
            ->property(resolved.MetaIndex)
            .read(object)
            .value<QKeySequence>()
            .toString(QKeySequence::PortableText);
    case Target::DynamicProperty:
        return object->property(resolved.DynamicName.constData());
    case Target::TabText:
        if (QTabWidget *tabs = TabWidgetOfPage(object))
            return tabs->tabText(tabs->indexOf(static_cast<QWidget *>(object)));
        return {};
    case Target::ToolBoxText:
        if (QToolBox *box = ToolBoxOfPage(object))
            return box->itemText(box->indexOf(static_cast<QWidget *>(object)));
        return {};
    case Target::TreeHeader: {
        auto *tree = static_cast<QTreeWidget *>(object);
        QStringList texts;
        for (int i = 0; i < tree->columnCount(); ++i)
            texts.append(tree->headerItem()->text(i));
        return texts;
    }
    case Target::TableColumns: {
        auto *table = static_cast<QTableWidget *>(object);
        return HeaderTexts(table->columnCount(), [table](int i) { return table->horizontalHeaderItem(i); });
    }
    case Target::TableRows: {
        auto *table = static_cast<QTableWidget *>(object);
        return HeaderTexts(table->rowCount(), [table](int i) { return table->verticalHeaderItem(i); });
    }
    case Target::ComboItems: {
        auto *combo = static_cast<QComboBox *>(object);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }
    case Target::ListItems: {
        auto *list = static_cast<QListWidget *>(object);
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items.append(list->item(i)->text());
        return items;
    }
    case Target::TreeItems: {
        // Kept per item, so that giving back does not depend on which texts were empty.
        QVariantList texts;
        ForEachTreeText(static_cast<QTreeWidget *>(object), [&texts](QTreeWidgetItem *item, int column) {
            texts.append(QVariant::fromValue(
                QVariantList{QVariant::fromValue(static_cast<void *>(item)), column, item->text(column)}));
        });
        return texts;
    }
    case Target::TableItems: {
        QVariantList texts;
        ForEachTableItem(static_cast<QTableWidget *>(object), [&texts](QTableWidgetItem *item) {
            texts.append(QVariant::fromValue(
                QVariantList{QVariant::fromValue(static_cast<void *>(item)), item->text()}));
        });
        return texts;
    }
    case Target::PlainTextLines:
        return static_cast<QPlainTextEdit *>(object)->toPlainText();
    case Target::TextEditLines:
        return static_cast<QTextEdit *>(object)->toHtml();
    case Target::None:
        break;
    }
    return {};
}

void QtComponentTree::Restore(QObject *object, const Resolved &resolved, const QVariant &value)
{
    switch (resolved.How) {
    case Target::PlainTextLines:
        static_cast<QPlainTextEdit *>(object)->setPlainText(value.toString());
        break;
    case Target::TextEditLines:
        static_cast<QTextEdit *>(object)->setHtml(value.toString());
        break;
    case Target::TreeItems: {
        // Only items that are still in the tree are given their text back.
        auto *tree = static_cast<QTreeWidget *>(object);
        QHash<void *, QTreeWidgetItem *> alive;
        std::vector<QTreeWidgetItem *> all;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            all.push_back(tree->topLevelItem(i));
        for (std::size_t i = 0; i < all.size(); ++i) {
            alive.insert(all[i], all[i]);
            for (int c = 0; c < all[i]->childCount(); ++c)
                all.push_back(all[i]->child(c));
        }
        for (const QVariant &entry : value.toList()) {
            const QVariantList parts = entry.toList();
            if (QTreeWidgetItem *item = alive.value(parts.value(0).value<void *>()))
                item->setText(parts.value(1).toInt(), parts.value(2).toString());
        }
        break;
    }
    case Target::TableItems: {
        auto *table = static_cast<QTableWidget *>(object);
        QHash<void *, QTableWidgetItem *> alive;
        ForEachTableItem(table, [&alive](QTableWidgetItem *item) { alive.insert(item, item); });
        for (const QVariant &entry : value.toList()) {
            const QVariantList parts = entry.toList();
            if (QTableWidgetItem *item = alive.value(parts.value(0).value<void *>()))
                item->setText(parts.value(1).toString());
        }
        break;
    }
    case Target::DynamicProperty:
        // A property that was not there before goes away again.
        object->setProperty(resolved.DynamicName.constData(), value);
        break;
    default:
        Write(object, resolved, value);
        break;
    }
}

void QtComponentTree::Write(QObject *object, const Resolved &resolved, const QVariant &value)
{
    switch (resolved.How) {
    case Target::MetaProperty:
        object->metaObject()->property(resolved.MetaIndex).write(object, value);
        break;
    case Target::KeySequence:
        object->metaObject()
            ->property(resolved.MetaIndex)
            .write(object, QKeySequence::fromString(value.toString(), QKeySequence::PortableText));
        break;
    case Target::DynamicProperty:
        object->setProperty(resolved.DynamicName.constData(), value);
        break;
    case Target::TabText:
        if (QTabWidget *tabs = TabWidgetOfPage(object))
            tabs->setTabText(tabs->indexOf(static_cast<QWidget *>(object)), value.toString());
        break;
    case Target::ToolBoxText:
        if (QToolBox *box = ToolBoxOfPage(object))
            box->setItemText(box->indexOf(static_cast<QWidget *>(object)), value.toString());
        break;
    case Target::TreeHeader: {
        auto *tree = static_cast<QTreeWidget *>(object);
        const QStringList lines = value.toStringList();
        // The tree keeps its columns, as a table does.
        for (int i = 0; i < tree->columnCount() && i < lines.size(); ++i)
            tree->headerItem()->setText(i, lines[i]);
        break;
    }
    case Target::TableColumns: {
        auto *table = static_cast<QTableWidget *>(object);
        SetHeaderTexts(
            table->columnCount(), value.toStringList(),
            [table](int i) { return table->horizontalHeaderItem(i); },
            [table](int i, QTableWidgetItem *item) { table->setHorizontalHeaderItem(i, item); });
        break;
    }
    case Target::TableRows: {
        auto *table = static_cast<QTableWidget *>(object);
        SetHeaderTexts(
            table->rowCount(), value.toStringList(), [table](int i) { return table->verticalHeaderItem(i); },
            [table](int i, QTableWidgetItem *item) { table->setVerticalHeaderItem(i, item); });
        break;
    }
    case Target::ComboItems: {
        auto *combo = static_cast<QComboBox *>(object);
        const QStringList lines = value.toStringList();
        const int keep = std::min<int>(combo->count(), static_cast<int>(lines.size()));
        for (int i = 0; i < keep; ++i)
            combo->setItemText(i, lines[i]);
        while (combo->count() > keep)
            combo->removeItem(combo->count() - 1);
        for (qsizetype i = keep; i < lines.size(); ++i)
            combo->addItem(lines[i]);
        break;
    }
    case Target::ListItems: {
        auto *list = static_cast<QListWidget *>(object);
        const QStringList lines = value.toStringList();
        const int keep = std::min<int>(list->count(), static_cast<int>(lines.size()));
        for (int i = 0; i < keep; ++i)
            list->item(i)->setText(lines[i]);
        while (list->count() > keep)
            delete list->takeItem(list->count() - 1);
        for (qsizetype i = keep; i < lines.size(); ++i)
            list->addItem(lines[i]);
        break;
    }
    case Target::TreeItems: {
        const QStringList lines = value.toStringList();
        qsizetype next = 0;
        ForEachTreeText(static_cast<QTreeWidget *>(object), [&](QTreeWidgetItem *item, int column) {
            // An empty text would drop the item out of the count of texts.
            if (next < lines.size() && !lines[next].isEmpty())
                item->setText(column, lines[next]);
            ++next;
        });
        break;
    }
    case Target::TableItems: {
        const QStringList lines = value.toStringList();
        qsizetype next = 0;
        ForEachTableItem(static_cast<QTableWidget *>(object), [&](QTableWidgetItem *item) {
            if (next < lines.size())
                item->setText(lines[next++]);
        });
        break;
    }
    case Target::PlainTextLines:
        static_cast<QPlainTextEdit *>(object)->setPlainText(value.toStringList().join(QLatin1Char('\n')));
        break;
    case Target::TextEditLines:
        static_cast<QTextEdit *>(object)->setPlainText(value.toStringList().join(QLatin1Char('\n')));
        break;
    case Target::None:
        break;
    }
}

void QtComponentTree::SetText(Component component, std::string_view property, std::string_view value)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind == PropertyKind::Text) {
            QString text = values_.Decode(value);
            if (resolved.How != Target::KeySequence)
                text.replace(u'|', u'\n'); // the one-line form's line break
            Remember(object, resolved);
            Write(object, resolved, text);
        }
    }
}

void QtComponentTree::SetInteger(Component component, std::string_view property, std::int32_t value)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind == PropertyKind::Integer) {
            Remember(object, resolved);
            Write(object, resolved, QVariant(static_cast<int>(value)));
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
        const qsizetype count = EntryCount(object, resolved);
        if (count >= 0 && count != static_cast<qsizetype>(lines.size())) {
            refusals_.append(QStringLiteral("%1: %2 items for a list of %3; an item that holds the separator "
                                            "counts as two. The list keeps its entries.")
                                 .arg(PathOf(object, property))
                                 .arg(lines.size())
                                 .arg(count));
            return;
        }
        QStringList list;
        list.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string &line : lines)
            list.append(values_.Decode(line));
        Remember(object, resolved);
        Write(object, resolved, list);
    }
}

} // namespace verbaria::qt
