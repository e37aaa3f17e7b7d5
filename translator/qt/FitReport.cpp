#include "translator/qt/FitReport.h"

#include "formats/MessageInfo.h"
#include "formats/TextRules.h"
#include "translator/qt/FormOrder.h"
#include "translator/qt/QtComponentTree.h"
#include "translator/qt/TKVTranslator.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBox>
#include <QToolButton>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <unordered_map>

namespace verbaria::qt {

namespace {

// Which of an object's texts a measure is of, as the last segment of a template's path names it:
// Caption (or text, title) for the one text of a button, label, group box, tab page, action or
// menu; Items, Columns and Rows for lists and header labels.
enum class Part { Caption, Items, Columns, Rows };

struct Measure
{
    QObject *Owner = nullptr; // whose property holds the text; null when no path reaches it
    Part Kind = Part::Caption;
    QString Object;
    QString Text;
    int Missing = 0;
    bool Height = false;
};

using Measures = std::vector<Measure>;

bool IsQtOwnName(const QString &name)
{
    return name.startsWith(QLatin1String("qt_"));
}

// The named objects from the window down to object; a popup (a menu) is no window of its own.
QString NamedChain(const QObject *object)
{
    QStringList names;
    for (const QObject *at = object; at; at = at->parent()) {
        const QString name = at->objectName();
        if (!name.isEmpty() && !IsQtOwnName(name))
            names.prepend(name);
        const auto *widget = at->isWidgetType() ? static_cast<const QWidget *>(at) : nullptr;
        if (widget && widget->isWindow() && widget->windowType() != Qt::Popup)
            break;
    }
    return names.join(u'.');
}

QString Indexed(const QString &chain, int index)
{
    return chain + u'[' + QString::number(index) + u']';
}

// The width a text takes as widgets draw it: an & marks the mnemonic and takes no room.
int TextWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.size(Qt::TextShowMnemonic, text).width();
}

// What a style adds around the contents of a widget of that type: asked with contents far wider
// than any minimum the style imposes (Fusion's push buttons are at least 80 pixels wide).
int Chrome(const QWidget *widget, QStyle::ContentsType type, const QStyleOption &option)
{
    constexpr int Wide = 100000;
    return widget->style()->sizeFromContents(type, &option, QSize(Wide, 16), widget).width() - Wide;
}

void Add(Measures &out, QObject *owner, Part kind, QString object, QString text, int missing,
         bool height = false)
{
    if (missing > 0)
        out.push_back({owner, kind, std::move(object), std::move(text), missing, height});
}

// The step every text of one widget ends with: widget shows text, lacking missing pixels; the
// template names it by owner (the widget itself unless given).
void AddCaption(Measures &out, QWidget *widget, const QString &text, int missing, bool height = false,
                QObject *owner = nullptr)
{
    Add(out, owner ? owner : widget, Part::Caption, NamedChain(widget), text, missing, height);
}

// The width of a button's label: its text, and its icon beside it.
int LabelWidth(const QFontMetrics &metrics, const QString &text, const QIcon &icon, QSize iconSize)
{
    int width = TextWidth(metrics, text);
    if (!icon.isNull())
        width += iconSize.width() + 4;
    return width;
}

template <class Option> void InitButtonOption(Option &option, QAbstractButton *button)
{
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
}

void MeasureLabel(QLabel *label, Measures &out)
{
    const QString text = label->text();
    if (text.isEmpty())
        return;
    if (label->wordWrap()) {
        const int needed = label->heightForWidth(label->width());
        AddCaption(out, label, text, needed - label->height(), true);
        return;
    }
    // The room QLabel gives its text: the contents less the margin, and less the indent on the
    // side it aligns to (half an x when it has a frame and no indent of its own).
    QRect room =
        label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth())
        indent = label->fontMetrics().horizontalAdvance(u'x') / 2 - label->margin();
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    if (indent > 0) {
        if (align & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        if (align & Qt::AlignRight)
            room.setRight(room.right() - indent);
        if (align & Qt::AlignTop)
            room.setTop(room.top() + indent);
        if (align & Qt::AlignBottom)
            room.setBottom(room.bottom() - indent);
    }
    QSize needed;
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        needed = document.size().toSize();
    } else {
        const int flags = label->buddy() ? Qt::TextShowMnemonic : 0;
        needed = label->fontMetrics().size(flags, text);
    }
    const int wide = needed.width() - room.width();
    const int high = needed.height() - room.height();
    AddCaption(out, label, text, wide > 0 ? wide : high, wide <= 0);
}

void MeasurePushButton(QPushButton *button, Measures &out)
{
    const QString text = button->text();
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    InitButtonOption(option, button);
    if (button->isFlat())
        option.features |= QStyleOptionButton::Flat;
    if (button->menu())
        option.features |= QStyleOptionButton::HasMenu;
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    // The label is drawn into the button's contents, clipped there: the frame is no room for it.
    int needed = LabelWidth(button->fontMetrics(), text, option.icon, option.iconSize);
    if (button->menu())
        needed += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, button);
    const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    AddCaption(out, button, text, needed - room);
}

void MeasureCheckable(QAbstractButton *button, QStyle::SubElement contents, Measures &out)
{
    const QString text = button->text();
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    InitButtonOption(option, button);
    // The room right of the indicator.
    const int needed = LabelWidth(button->fontMetrics(), text, option.icon, option.iconSize);
    const int room = button->style()->subElementRect(contents, &option, button).width();
    AddCaption(out, button, text, needed - room);
}

void MeasureToolButton(QToolButton *button, Measures &out)
{
    const QString text = button->text();
    Qt::ToolButtonStyle style = button->toolButtonStyle();
    if (style == Qt::ToolButtonFollowStyle)
        style = static_cast<Qt::ToolButtonStyle>(
            button->style()->styleHint(QStyle::SH_ToolButtonStyle, nullptr, button));
    if (text.isEmpty() || style == Qt::ToolButtonIconOnly)
        return;
    QStyleOptionToolButton option;
    InitButtonOption(option, button);
    option.toolButtonStyle = style;
    const int textWidth = TextWidth(button->fontMetrics(), text);
    const bool icon = !option.icon.isNull();
    int needed = textWidth;
    if (style == Qt::ToolButtonTextBesideIcon && icon)
        needed += option.iconSize.width() + 4;
    else if (style == Qt::ToolButtonTextUnderIcon && icon)
        needed = std::max(needed, option.iconSize.width());
    const int room = button->width() - Chrome(button, QStyle::CT_ToolButton, option);
    // A tool button usually shows an action: a template names the action.
    QObject *owner = button->defaultAction() ? static_cast<QObject *>(button->defaultAction()) : button;
    AddCaption(out, button, text, needed - room, false, owner);
}

void MeasureGroupBox(QGroupBox *box, Measures &out)
{
    const QString title = box->title();
    if (title.isEmpty())
        return;
    // Where the style puts the check box and the title when they stand on the left: what is left
    // of the box's width, with as much room on the right as the style leaves on the left.
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = title;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::AlignLeft;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (box->isFlat())
        option.features |= QStyleOptionFrame::Flat;
    option.direction = Qt::LeftToRight;
    QStyle *style = box->style();
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    const QRect first = box->isCheckable() ? style->subControlRect(QStyle::CC_GroupBox, &option,
                                                                   QStyle::SC_GroupBoxCheckBox, box)
                                           : label;
    const int margin = std::max(0, first.left() - option.rect.left());
    AddCaption(out, box, title, label.right() + margin - option.rect.right());
}

void MeasureTabBar(QTabBar *bar, Measures &out)
{
    auto *tabs = qobject_cast<QTabWidget *>(bar->parentWidget());
    const bool vertical = bar->shape() == QTabBar::RoundedWest || bar->shape() == QTabBar::RoundedEast ||
                          bar->shape() == QTabBar::TriangularWest || bar->shape() == QTabBar::TriangularEast;
    for (int i = 0; i < bar->count(); ++i) {
        const QString text = bar->tabText(i);
        if (text.isEmpty() || !bar->isTabVisible(i))
            continue;
        QStyleOptionTab option;
        option.initFrom(bar);
        option.rect = bar->tabRect(i);
        option.text = text;
        option.icon = bar->tabIcon(i);
        option.iconSize = bar->iconSize();
        option.shape = bar->shape();
        option.documentMode = bar->documentMode();
        if (const QWidget *button = bar->tabButton(i, QTabBar::LeftSide))
            option.leftButtonSize = button->size();
        if (const QWidget *button = bar->tabButton(i, QTabBar::RightSide))
            option.rightButtonSize = button->size();
        const QRect room = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
        const int missing = TextWidth(bar->fontMetrics(), text) - (vertical ? room.height() : room.width());
        // A tab widget's tab is its page's Caption.
        QWidget *page = tabs ? tabs->widget(i) : nullptr;
        Add(out, page, Part::Caption, page ? NamedChain(page) : Indexed(NamedChain(bar), i), text, missing);
    }
}

// A menu's entry and a menu bar's are named by the menu they open, else by their action.
QObject *OwnerOfEntry(QAction *action)
{
    return action->menu() ? static_cast<QObject *>(action->menu()) : action;
}

QString ObjectOfEntry(QWidget *shownIn, QAction *action, int index)
{
    QObject *owner = OwnerOfEntry(action);
    const QString name = owner->objectName();
    return name.isEmpty() || IsQtOwnName(name) ? Indexed(NamedChain(shownIn), index)
                                               : NamedChain(shownIn) + u'.' + name;
}

// Each entry of a menu or menu bar that shows a text, with the pixels missing(action) says it
// lacks (nullopt for an entry not laid out).
template <class Missing> void MeasureEntries(QWidget *shownIn, Measures &out, Missing &&missing)
{
    const QList<QAction *> actions = shownIn->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction *action = actions[i];
        if (!action->isVisible() || action->isSeparator() || action->text().isEmpty())
            continue;
        if (const std::optional<int> lacking = missing(action))
            Add(out, OwnerOfEntry(action), Part::Caption, ObjectOfEntry(shownIn, action, i), action->text(),
                *lacking);
    }
}

void MeasureMenuBar(QMenuBar *bar, Measures &out)
{
    // The entries the bar has no room for go to its extension menu ("»"): how far each reaches
    // past the room the bar has left of the extension's button.
    int room = bar->width();
    if (const auto *extension = bar->findChild<QWidget *>(QStringLiteral("qt_menubar_ext_button"));
        extension && extension->isVisible())
        room = bar->isRightToLeft() ? bar->width() - extension->geometry().right() - 1 : extension->x();
    MeasureEntries(bar, out, [&](QAction *action) -> std::optional<int> {
        const QRect entry = bar->actionGeometry(action);
        if (entry.isEmpty())
            return std::nullopt;
        const int reach = bar->isRightToLeft() ? bar->width() - entry.left() : entry.right() + 1;
        return reach - room;
    });
}

// A menu is as wide as its widest entry: only the screen limits it.
void MeasureMenu(QMenu *menu, Measures &out)
{
    const QScreen *screen = menu->screen();
    if (!screen)
        return;
    const int room = screen->availableGeometry().width();
    MeasureEntries(menu, out, [&](QAction *action) -> std::optional<int> {
        QStyleOptionMenuItem option;
        option.initFrom(menu);
        option.menuItemType = action->menu() ? QStyleOptionMenuItem::SubMenu : QStyleOptionMenuItem::Normal;
        option.text = action->text();
        const QFontMetrics &metrics = menu->fontMetrics();
        int width = TextWidth(metrics, option.text);
        if (!action->shortcut().isEmpty())
            width += metrics.horizontalAdvance(action->shortcut().toString(QKeySequence::NativeText));
        const int needed =
            menu->style()
                ->sizeFromContents(QStyle::CT_MenuItem, &option, QSize(width, metrics.height()), menu)
                .width();
        return needed - room;
    });
}

void MeasureComboBox(QComboBox *combo, Measures &out)
{
    if (combo->isEditable()) // the line edit scrolls what the user types
        return;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    option.frame = combo->hasFrame();
    option.iconSize = combo->iconSize();
    option.subControls = QStyle::SC_All;
    const QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    const int room = field.width() - 2; // the label is drawn one pixel in from either side
    const QString chain = NamedChain(combo);
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        if (text.isEmpty())
            continue;
        int needed = combo->fontMetrics().horizontalAdvance(text);
        if (!combo->itemIcon(i).isNull())
            needed += option.iconSize.width() + 4;
        Add(out, combo, Part::Items, Indexed(chain, i), text, needed - room);
    }
}

void MeasureHeader(QHeaderView *header, Measures &out)
{
    QAbstractItemModel *model = header->model();
    if (!model)
        return;
    const Qt::Orientation orientation = header->orientation();
    auto *view = qobject_cast<QAbstractItemView *>(header->parentWidget());
    QObject *owner = view ? static_cast<QObject *>(view) : header;
    const Part kind = orientation == Qt::Horizontal ? Part::Columns : Part::Rows;
    const QString chain = NamedChain(owner) + (kind == Part::Columns ? u".Columns"_qs : u".Rows"_qs);
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section))
            continue;
        const QString text = model->headerData(section, orientation, Qt::DisplayRole).toString();
        if (text.isEmpty())
            continue;
        QStyleOptionHeader option;
        option.initFrom(header);
        option.section = section;
        option.text = text;
        option.orientation = orientation;
        option.textAlignment = header->defaultAlignment();
        option.icon = model->headerData(section, orientation, Qt::DecorationRole).value<QIcon>();
        const QVariant font = model->headerData(section, orientation, Qt::FontRole);
        option.fontMetrics = QFontMetrics(font.isValid() ? font.value<QFont>() : header->font());
        QSize needed = header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header);
        if (header->isSortIndicatorShown()) // as QHeaderView keeps room for the arrow
            needed.rwidth() +=
                needed.height() + header->style()->pixelMetric(QStyle::PM_HeaderMargin, &option, header);
        const int room = orientation == Qt::Horizontal ? header->sectionSize(section) : header->width();
        Add(out, owner, kind, Indexed(chain, section), text, needed.width() - room);
    }
}

void MeasureWidget(QWidget *widget, Measures &out)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        MeasureLabel(label, out);
    else if (auto *push = qobject_cast<QPushButton *>(widget))
        MeasurePushButton(push, out);
    else if (auto *check = qobject_cast<QCheckBox *>(widget))
        MeasureCheckable(check, QStyle::SE_CheckBoxContents, out);
    else if (auto *radio = qobject_cast<QRadioButton *>(widget))
        MeasureCheckable(radio, QStyle::SE_RadioButtonContents, out);
    else if (auto *tool = qobject_cast<QToolButton *>(widget))
        MeasureToolButton(tool, out);
    else if (auto *box = qobject_cast<QGroupBox *>(widget))
        MeasureGroupBox(box, out);
    else if (auto *bar = qobject_cast<QTabBar *>(widget))
        MeasureTabBar(bar, out);
    else if (auto *menuBar = qobject_cast<QMenuBar *>(widget))
        MeasureMenuBar(menuBar, out);
    else if (auto *combo = qobject_cast<QComboBox *>(widget))
        MeasureComboBox(combo, out);
    else if (auto *header = qobject_cast<QHeaderView *>(widget))
        MeasureHeader(header, out);
}

// The visible widgets below root (root too) in root's window: a dialog made with this window as
// its parent is a window of its own. Menus, shown only when opened, are measured by the caller.
void MeasureVisible(QWidget *root, Measures &out)
{
    const QWidget *window = root->window();
    if (root->isVisible() && !qobject_cast<QMenu *>(root))
        MeasureWidget(root, out);
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (widget->isVisible() && !qobject_cast<QMenu *>(widget) && widget->window() == window)
            MeasureWidget(widget, out);
    }
}

// Shows page `index` of a container and lays it out as showing it in a program would.
void ShowPage(QWidget *container, int index)
{
    if (auto *stack = qobject_cast<QStackedWidget *>(container))
        stack->setCurrentIndex(index);
    else if (auto *box = qobject_cast<QToolBox *>(container))
        box->setCurrentIndex(index);
    if (QLayout *layout = container->layout()) {
        layout->invalidate();
        layout->activate();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

// The pages that are not current: each shown in turn and measured with the pages inside it.
void MeasureHiddenPages(QWidget *root, Measures &out)
{
    for (QWidget *container : root->findChildren<QWidget *>()) {
        auto *stack = qobject_cast<QStackedWidget *>(container);
        auto *box = qobject_cast<QToolBox *>(container);
        if ((!stack && !box) || !container->isVisible())
            continue;
        const int count = stack ? stack->count() : box->count();
        const int current = stack ? stack->currentIndex() : box->currentIndex();
        for (int i = 0; i < count; ++i) {
            if (i == current)
                continue;
            ShowPage(container, i);
            QWidget *page = stack ? stack->widget(i) : box->widget(i);
            MeasureVisible(page, out);
            MeasureHiddenPages(page, out);
        }
        ShowPage(container, current);
    }
}

// What a path of the template names: the object and which of its texts.
using Target = std::pair<QObject *, Part>;

std::optional<Part> PartOf(std::string_view property)
{
    const std::string name = UpperAscii(TrimControl(property));
    if (name == "CAPTION" || name == "TEXT" || name == "TITLE")
        return Part::Caption;
    if (name == "ITEMS")
        return Part::Items;
    if (name == "COLUMNS")
        return Part::Columns;
    if (name == "ROWS")
        return Part::Rows;
    return std::nullopt;
}

QString PartName(Part part)
{
    switch (part) {
    case Part::Items:
        return u"Items"_qs;
    case Part::Columns:
        return u"Columns"_qs;
    case Part::Rows:
        return u"Rows"_qs;
    case Part::Caption:
        break;
    }
    return u"Caption"_qs;
}

// The path a template would name a text by: window, object, property.
QString PathOf(const Measure &measure, const QWidget *window)
{
    if (!measure.Owner)
        return {};
    const QString name = measure.Owner->objectName();
    if (name.isEmpty() || IsQtOwnName(name) || window->objectName().isEmpty())
        return {};
    return window->objectName() + u'.' + name + u'.' + PartName(measure.Kind);
}

std::vector<FitProblem> Report(const Measures &measures, const QWidget *window, TKVTranslator *translator)
{
    std::map<Target, std::pair<std::int32_t, QString>> entries;
    std::unordered_map<QString, std::int32_t> messages;
    if (translator && !measures.empty()) {
        verbaria::TKVTranslator &core = translator->Core();
        for (const TTemplateItem &item : core.Items()) {
            if (item.Kind == ikComponent) {
                std::string_view property;
                const auto component = core.ResolveComponent(item.Text, property);
                const std::optional<Part> part = PartOf(property);
                if (component && part)
                    entries.try_emplace({QtComponentTree::ToObject(component), *part}, item.Number,
                                        translator->TemplateCodePage().Decode(item.Text));
            } else if (item.Kind == ikMessage && !item.Translation.empty()) {
                const MessageInfo *info =
                    item.Message >= 0 ? &core.Messages()[static_cast<std::size_t>(item.Message)] : nullptr;
                const std::string shown =
                    info && info->HasSource ? UnescapeMessageValue(item.Translation) : item.Translation;
                messages.try_emplace(translator->Decode(shown), item.Number);
            }
        }
    }
    std::vector<FitProblem> problems;
    for (const Measure &measure : measures) {
        FitProblem problem;
        problem.Object = measure.Object;
        problem.Text = measure.Text;
        problem.Missing = measure.Missing;
        problem.Height = measure.Height;
        if (const auto found = entries.find({measure.Owner, measure.Kind}); found != entries.end()) {
            problem.Number = found->second.first;
            problem.Path = found->second.second;
        } else {
            problem.Path = PathOf(measure, window);
            if (const auto message = messages.find(measure.Text); message != messages.end())
                problem.Number = message->second;
        }
        problems.push_back(std::move(problem));
    }
    return problems;
}

} // namespace

std::vector<FitProblem> MeasureFit(QWidget *window, TKVTranslator *translator, const FitOptions &options)
{
    Measures measures;
    if (!window)
        return {};
    MeasureVisible(window, measures);
    if (options.EveryPage)
        MeasureHiddenPages(window, measures);
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        if (menu->parentWidget() && menu->parentWidget()->window() == window)
            MeasureMenu(menu, measures);
    }
    return Report(measures, window, translator);
}

std::vector<FitProblem> MeasureFit(TKVTranslator &translator)
{
    std::vector<FitProblem> problems;
    for (QWidget *form : FormOrder::Forms()) {
        if (!form->isVisible())
            continue;
        std::vector<FitProblem> found = MeasureFit(form, &translator);
        std::move(found.begin(), found.end(), std::back_inserter(problems));
    }
    return problems;
}

} // namespace verbaria::qt
