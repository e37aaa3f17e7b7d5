#include "translator/qt/QtComponentTree.h"

#include "formats/TextRules.h"
#include "translator/qt/FormOrder.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

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
        for (QWidget *form : FormOrder::Forms()) {
            const QString name = form->objectName();
            if (!name.isEmpty() && !visit(form, names_.EncodeLossy(name)))
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
            result.How = Target::MetaProperty;
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
        else if (qobject_cast<QPlainTextEdit *>(object))
            result.How = Target::PlainTextLines;
        else if (qobject_cast<QTextEdit *>(object))
            result.How = Target::TextEditLines;
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

void QtComponentTree::Write(QObject *object, const Resolved &resolved, const QVariant &value)
{
    switch (resolved.How) {
    case Target::MetaProperty:
        object->metaObject()->property(resolved.MetaIndex).write(object, value);
        break;
    case Target::DynamicProperty:
        object->setProperty(resolved.DynamicName.constData(), value);
        break;
    case Target::TabText:
        if (QTabWidget *tabs = TabWidgetOfPage(object))
            tabs->setTabText(tabs->indexOf(static_cast<QWidget *>(object)), value.toString());
        break;
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
        if (resolved.Kind == PropertyKind::Text)
            Write(object, resolved, values_.Decode(value));
    }
}

void QtComponentTree::SetInteger(Component component, std::string_view property, std::int32_t value)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind == PropertyKind::Integer)
            Write(object, resolved, QVariant(static_cast<int>(value)));
    }
}

void QtComponentTree::SetStringList(Component component, std::string_view property,
                                    const std::vector<std::string> &lines)
{
    if (QObject *object = ToObject(component)) {
        const Resolved resolved = Cached(object, property);
        if (resolved.Kind != PropertyKind::StringList)
            return;
        QStringList list;
        list.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string &line : lines)
            list.append(values_.Decode(line));
        Write(object, resolved, list);
    }
}

} // namespace verbaria::qt
