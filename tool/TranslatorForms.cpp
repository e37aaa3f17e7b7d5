#include "tool/TranslatorForms.h"

#include "formats/Errors.h"
#include "formats/FileIO.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QMetaProperty>
#include <QStackedWidget>
#include <QTabWidget>
#include <QXmlStreamReader>

#include <cstdlib>
#include <set>

namespace verbaria::tool {

namespace {

const QStringList &TextPropertyNames()
{
    static const QStringList names{QStringLiteral("text"),        QStringLiteral("title"),
                                   QStringLiteral("windowTitle"), QStringLiteral("toolTip"),
                                   QStringLiteral("statusTip"),   QStringLiteral("placeholderText")};
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
        if (isForm)
            form_.Name = xml_.attributes().value(QLatin1String("name")).toString();
        // An object without a name cannot be reached, but the named ones inside it can.
        const bool reachable = isForm || !object.trimmed().isEmpty();
        QStringList items;
        while (xml_.readNextStartElement()) {
            const auto element = xml_.name();
            if (element == u"widget" || element == u"action") {
                ReadObject(false);
            } else if (element == u"layout") {
                ReadLayout();
            } else if (element == u"property") {
                const QString property = xml_.attributes().value(QLatin1String("name")).toString();
                QString value;
                if (ReadString(xml_, value) && reachable && TextPropertyNames().contains(property))
                    Add(object, property, {value});
            } else if (element == u"attribute") {
                const bool title = xml_.attributes().value(QLatin1String("name")) == u"title";
                QString value;
                if (ReadString(xml_, value) && reachable && title)
                    Add(object, QStringLiteral("Caption"), {value});
            } else if (element == u"item") {
                ReadItem(items);
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (!items.isEmpty() && reachable)
            Add(object, QStringLiteral("Items"), items);
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

} // namespace

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

QStringList LiveValues(QWidget *form, const FormText &text)
{
    QObject *object = text.Object.isEmpty() ? form : FindNamed(form, text.Object);
    if (!object)
        return {};
    if (text.Property == u"Caption") {
        if (QTabWidget *tabs = TabWidgetOfPage(object))
            return {tabs->tabText(tabs->indexOf(static_cast<QWidget *>(object)))};
        return {};
    }
    if (text.Property == u"Items") {
        QStringList items;
        if (auto *combo = qobject_cast<QComboBox *>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                items.append(combo->itemText(i));
        } else if (auto *list = qobject_cast<QListWidget *>(object)) {
            for (int i = 0; i < list->count(); ++i)
                items.append(list->item(i)->text());
        }
        return items;
    }
    return {object->property(text.Property.toLatin1().constData()).toString()};
}

} // namespace verbaria::tool
