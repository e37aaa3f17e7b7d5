#include "tool/TranslatorForms.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QListWidget>
#include <QMetaProperty>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBox>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace verbaria::tool {

namespace {

const QStringList &TextPropertyNames()
{
    static const QStringList names{QStringLiteral("text"),        QStringLiteral("title"),
                                   QStringLiteral("windowTitle"), QStringLiteral("toolTip"),
                                   QStringLiteral("statusTip"),   QStringLiteral("placeholderText"),
                                   QStringLiteral("whatsThis"),   QStringLiteral("prefix"),
                                   QStringLiteral("suffix"),      QStringLiteral("specialValueText")};
    return names;
}

// Reads the <string> inside the current element; nullopt-like empty flag for notr strings.
bool ReadString(QXmlStreamReader &xml, QString &value)
{
    bool translatable = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"string") {
            translatable = xml.attributes().value(QLatin1String("notr")) != u"true";
            value = xml.readElementText();
        } else {
            xml.skipCurrentElement();
        }
    }
    return translatable && !value.isEmpty();
}

class FormReader final
{
public:
    FormReader(QXmlStreamReader &xml, FormFile &form)
        : xml_(xml)
        , form_(form)
    {
    }

    // At a <widget> or <action> start element.
    void ReadObject(bool isForm)
    {
        const QString object = isForm ? QString() : xml_.attributes().value(QLatin1String("name")).toString();
        const bool tree = xml_.attributes().value(QLatin1String("class")) == u"QTreeWidget";
        const bool action = xml_.name() == u"action";
        if (isForm)
            form_.Name = xml_.attributes().value(QLatin1String("name")).toString();
        // An object without a name cannot be reached, but the named ones inside it can.
        const bool reachable = isForm || !object.trimmed().isEmpty();
        QStringList items;
        QStringList columns;
        QStringList rows;
        struct Cell
        {
            int Row;
            int Column;
            QString Text;
        };
        std::vector<Cell> cells;
        while (xml_.readNextStartElement()) {
            const auto element = xml_.name();
            if (element == u"widget" || element == u"action") {
                ReadObject(false);
            } else if (element == u"layout") {
                ReadLayout();
            } else if (element == u"property") {
                const QString property = xml_.attributes().value(QLatin1String("name")).toString();
                QString value;
                // An action's shortcut is a text too: uic has it translated, as lupdate finds it.
                const bool text =
                    TextPropertyNames().contains(property) || (action && property == u"shortcut");
                if (ReadString(xml_, value) && reachable && text)
                    Add(object, property, {value});
            } else if (element == u"attribute") {
                // A tab page's title, a tool box page's label.
                const auto attribute = xml_.attributes().value(QLatin1String("name"));
                const bool caption = attribute == u"title" || attribute == u"label";
                QString value;
                if (ReadString(xml_, value) && reachable && caption)
                    Add(object, QStringLiteral("Caption"), {value});
            } else if (element == u"item" && tree) {
                ReadTreeItem(items);
            } else if (element == u"item" && xml_.attributes().hasAttribute(QLatin1String("row"))) {
                // A table widget's cell; the form may list them in any order.
                const int row = xml_.attributes().value(QLatin1String("row")).toInt();
                const int column = xml_.attributes().value(QLatin1String("column")).toInt();
                QStringList text;
                ReadItem(text);
                cells.push_back({row, column, text.value(0)});
            } else if (element == u"item") {
                ReadItem(items);
            } else if (element == u"column") {
                ReadItem(columns); // header labels of a tree or table widget
            } else if (element == u"row") {
                ReadItem(rows);
            } else {
                xml_.skipCurrentElement();
            }
        }
        // Cells row by row, each row left to right; cells the form does not set are not there.
        std::stable_sort(cells.begin(), cells.end(), [](const Cell &a, const Cell &b) {
            return a.Row != b.Row ? a.Row < b.Row : a.Column < b.Column;
        });
        for (const Cell &cell : cells)
            items.append(cell.Text);
        if (!items.isEmpty() && reachable)
            Add(object, QStringLiteral("Items"), items);
        auto anyText = [](const QStringList &texts) {
            return std::any_of(texts.begin(), texts.end(),
                               [](const QString &text) { return !text.isEmpty(); });
        };
        if (anyText(columns) && reachable)
            Add(object, QStringLiteral("Columns"), columns);
        if (anyText(rows) && reachable)
            Add(object, QStringLiteral("Rows"), rows);
    }

private:
    void ReadLayout()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"item") {
                while (xml_.readNextStartElement()) {
                    if (xml_.name() == u"widget")
                        ReadObject(false);
                    else if (xml_.name() == u"layout")
                        ReadLayout();
                    else
                        xml_.skipCurrentElement();
                }
            } else if (xml_.name() == u"layout") {
                ReadLayout();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    // A combo box or list widget entry: <item><property name="text"><string>.
    void ReadItem(QStringList &items)
    {
        QString text;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"property" && xml_.attributes().value(QLatin1String("name")) == u"text") {
                QString value;
                ReadString(xml_, value);
                text = value;
            } else {
                xml_.skipCurrentElement();
            }
        }
        items.append(text);
    }

    // A tree widget item: the texts of its columns that are not empty, then its children's.
    void ReadTreeItem(QStringList &texts)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"property" && xml_.attributes().value(QLatin1String("name")) == u"text") {
                QString value;
                if (ReadString(xml_, value))
                    texts.append(value);
            } else if (xml_.name() == u"item") {
                ReadTreeItem(texts);
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    void Add(const QString &object, const QString &property, const QStringList &values)
    {
        if (!isFormObjectNamed(object))
            return;
        FormText text;
        text.Object = object;
        text.Property = property;
        text.Path =
            object.isEmpty() ? form_.Name + u'.' + property : form_.Name + u'.' + object + u'.' + property;
        text.Values = values;
        if (seen_.insert(text.Path).second)
            form_.Texts.push_back(std::move(text));
    }

    bool isFormObjectNamed(const QString &object) const
    {
        // Qt's own internal objects are no business of a template.
        return !form_.Name.isEmpty() && !object.startsWith(QLatin1String("qt_"));
    }

    QXmlStreamReader &xml_;
    FormFile &form_;
    std::set<QString> seen_;
};

QTabWidget *TabWidgetOfPage(QObject *object)
{
    auto *page = qobject_cast<QWidget *>(object);
    auto *stack = page ? qobject_cast<QStackedWidget *>(page->parentWidget()) : nullptr;
    return stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
}

QToolBox *ToolBoxOfPage(QObject *object)
{
    auto *page = qobject_cast<QWidget *>(object);
    for (QWidget *parent = page ? page->parentWidget() : nullptr; parent; parent = parent->parentWidget()) {
        if (auto *box = qobject_cast<QToolBox *>(parent))
            return box->indexOf(page) >= 0 ? box : nullptr;
    }
    return nullptr;
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

} // namespace

FormMessages ReadFormMessages(const std::string &path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        throw InOutError("File not found: " + path);
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    FormMessages form;
    bool isForm = false;
    // uic hands every <string> to QCoreApplication::translate, each entry of a <stringlist> alone,
    // with the attributes of the string or of its list.
    QXmlStreamAttributes listAttributes;
    auto attribute = [&](const QXmlStreamAttributes &own, QLatin1String name) {
        return own.hasAttribute(name) ? own.value(name).toString() : listAttributes.value(name).toString();
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"stringlist")
            listAttributes.clear();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"ui") {
            isForm = true;
        } else if (xml.name() == u"class" && form.Context.isEmpty()) {
            form.Context = xml.readElementText().trimmed();
        } else if (xml.name() == u"stringlist") {
            listAttributes = xml.attributes();
        } else if (xml.name() == u"string") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const int line = static_cast<int>(xml.lineNumber());
            const bool untranslatable = attribute(attributes, QLatin1String("notr")) == u"true";
            FormMessage message{xml.readElementText(), attribute(attributes, QLatin1String("comment")),
                                attribute(attributes, QLatin1String("extracomment")), line};
            if (!untranslatable && !message.Source.isEmpty())
                form.Messages.push_back(std::move(message));
        }
    }
    if (xml.hasError() || !isForm || form.Context.isEmpty())
        throw InOutError(path + " is not a Qt Designer form with a class name");
    return form;
}

FormFile ReadFormFile(const std::string &path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        throw InOutError("File not found: " + path);
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    FormFile form;
    bool found = false;
    if (xml.readNextStartElement() && xml.name() == u"ui") {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"widget" && !found) {
                FormReader(xml, form).ReadObject(true);
                found = true;
            } else {
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError() || !found || form.Name.isEmpty())
        throw InOutError(path + " is not a Qt Designer form with a named top-level widget");
    return form;
}

std::unique_ptr<QApplication> MakeOffscreenApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "verbaria-tool";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

QObject *FindNamed(QObject *owner, const QString &name)
{
    for (QObject *child : owner->children()) {
        if (child->objectName() == name)
            return child;
        if (QObject *found = FindNamed(child, name))
            return found;
    }
    return nullptr;
}

NamedObjects::NamedObjects(QObject *owner)
    : owner_(owner)
{
    Index(owner);
}

void NamedObjects::Index(QObject *owner)
{
    for (QObject *child : owner->children()) {
        if (!child->objectName().isEmpty())
            objects_.try_emplace(child->objectName(), child); // depth first, the first one wins
        Index(child);
    }
}

QObject *NamedObjects::Find(const QString &name) const
{
    if (name.isEmpty())
        return owner_;
    const auto found = objects_.find(name);
    return found == objects_.end() ? nullptr : found->second;
}

QStringList LiveValues(QWidget *form, const FormText &text)
{
    return LiveValues(NamedObjects(form), text);
}

QStringList LiveValues(const NamedObjects &named, const FormText &text)
{
    QObject *object = named.Find(text.Object);
    if (!object)
        return {};
    if (text.Property == u"Caption") {
        if (QTabWidget *tabs = TabWidgetOfPage(object))
            return {tabs->tabText(tabs->indexOf(static_cast<QWidget *>(object)))};
        if (QToolBox *box = ToolBoxOfPage(object))
            return {box->itemText(box->indexOf(static_cast<QWidget *>(object)))};
        return {};
    }
    if (text.Property == u"Columns" || text.Property == u"Rows") {
        if (auto *tree = qobject_cast<QTreeWidget *>(object); tree && text.Property == u"Columns") {
            QStringList texts;
            for (int i = 0; i < tree->columnCount(); ++i)
                texts.append(tree->headerItem()->text(i));
            return texts;
        }
        if (auto *table = qobject_cast<QTableWidget *>(object)) {
            if (text.Property == u"Columns")
                return HeaderTexts(table->columnCount(),
                                   [table](int i) { return table->horizontalHeaderItem(i); });
            return HeaderTexts(table->rowCount(), [table](int i) { return table->verticalHeaderItem(i); });
        }
        return {};
    }
    if (text.Property == u"Items") {
        QStringList items;
        if (auto *tree = qobject_cast<QTreeWidget *>(object)) {
            std::vector<QTreeWidgetItem *> stack;
            for (int i = tree->topLevelItemCount() - 1; i >= 0; --i)
                stack.push_back(tree->topLevelItem(i));
            while (!stack.empty()) {
                QTreeWidgetItem *item = stack.back();
                stack.pop_back();
                for (int column = 0; column < item->columnCount(); ++column) {
                    if (!item->text(column).isEmpty())
                        items.append(item->text(column));
                }
                for (int i = item->childCount() - 1; i >= 0; --i)
                    stack.push_back(item->child(i));
            }
        } else if (auto *combo = qobject_cast<QComboBox *>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
        } else if (auto *list = qobject_cast<QListWidget *>(object)) {
            for (int i = 0; i < list->count(); ++i)
                items.append(list->item(i)->text());
        } else if (auto *table = qobject_cast<QTableWidget *>(object)) {
            // The cells that have an item, row by row, as the form lists them.
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int column = 0; column < table->columnCount(); ++column) {
                    if (const QTableWidgetItem *item = table->item(row, column))
                        items.append(item->text());
                }
            }
        }
        return items;
    }
    const QVariant value = object->property(text.Property.toLatin1().constData());
    if (value.metaType().id() == QMetaType::QKeySequence)
        return {value.value<QKeySequence>().toString(QKeySequence::PortableText)};
    return {value.toString()};
}

} // namespace verbaria::tool
