#include "editor/ui/TextPane.h"

#include "dialogs/UiText.h"
#include "editor/core/UserDialogs.h"
#include "editor/ui/DocumentSpelling.h"
#include "editor/ui/SpellingHighlighter.h"
#include "editor/ui/SpellingMenu.h"
#include "platform/CodePage.h"
#include "widgets/OwnChildren.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextBlock>

namespace verbaria {

TextPane::TextPane(const TextService &texts, QWidget *parent)
    : QWidget(parent)
    , texts_(texts)
    , labelPuvodni_(new QLabel(this))
    , labelNovy_(new QLabel(this))
    , memoPuvodniText_(new QPlainTextEdit(this))
    , memoNovyText_(new QPlainTextEdit(this))
    , tabTvary_(new QTabBar(this))
    , labelPoznamky_(new QLabel(this))
{
    setObjectName(QStringLiteral("panelTexty"));
    memoPuvodniText_->setObjectName(QStringLiteral("memoPuvodniText"));
    memoNovyText_->setObjectName(QStringLiteral("memoNovyText"));
    memoPuvodniText_->setReadOnly(true);
    for (QPlainTextEdit *memo : {memoPuvodniText_, memoNovyText_}) {
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        memo->setTabChangesFocus(true);
        memo->setFixedHeight(4 * memo->fontMetrics().lineSpacing() + 10);
    }
    labelNovy_->setBuddy(memoNovyText_);
    // The forms of a plural text: the tabs, or Ctrl+Page Down and Ctrl+Page Up in the text.
    tabTvary_->setObjectName(QStringLiteral("tabTvary"));
    tabTvary_->setDrawBase(false);
    tabTvary_->setExpanding(false);
    tabTvary_->setUsesScrollButtons(true);
    tabTvary_->setFocusPolicy(Qt::NoFocus);
    tabTvary_->hide();
    connect(tabTvary_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index != form_)
            SelectForm(index);
    });
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(2);
    layout->addWidget(labelPuvodni_, 0, 0);
    auto *newHeading = new QHBoxLayout;
    newHeading->setContentsMargins(0, 0, 0, 0);
    newHeading->setSpacing(8);
    newHeading->addWidget(labelNovy_);
    newHeading->addWidget(tabTvary_, 1);
    layout->addLayout(newHeading, 0, 1);
    layout->addWidget(memoPuvodniText_, 1, 0);
    layout->addWidget(memoNovyText_, 1, 1);
    labelPoznamky_->setObjectName(QStringLiteral("labelPoznamky"));
    labelPoznamky_->setTextFormat(Qt::RichText);
    labelPoznamky_->setWordWrap(true);
    labelPoznamky_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelPoznamky_->hide();
    layout->addWidget(labelPoznamky_, 2, 0, 1, 2);
    memoNovyText_->installEventFilter(this);
    connect(memoNovyText_, &QPlainTextEdit::textChanged, this, &TextPane::UserChanged);
    Retranslate();
    ShowRow(-1, {}, {}, false);
}

TextPane::~TextPane()
{
    DisconnectOwnChildren(*this);
}

void TextPane::Retranslate()
{
    labelPuvodni_->setText(UiText(texts_.TranslateText("Původní text")));
    labelNovy_->setText(UiText(texts_.TranslateText("&Nový text")));
    tabTvary_->setToolTip(
        UiText(texts_.TranslateText("Množné tvary: Ctrl+Page Down další, Ctrl+Page Up předchozí")));
}

void TextPane::SetNotes(const QString &richText)
{
    if (labelPoznamky_->text() != richText)
        labelPoznamky_->setText(richText);
    // The pane takes no more room than its parts ask for: the notes ask for their lines.
    labelPoznamky_->setMinimumHeight((static_cast<int>(richText.count(QStringLiteral("<br>"))) + 1) *
                                         labelPoznamky_->fontMetrics().lineSpacing() +
                                     4);
    labelPoznamky_->setVisible(!richText.isEmpty());
}

void TextPane::SetSpelling(DocumentSpelling &spelling)
{
    spelling_ = &spelling;
    new SpellingHighlighter(spelling, memoNovyText_->document());
    memoNovyText_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memoNovyText_, &QWidget::customContextMenuRequested, this, &TextPane::ShowTranslationMenu);
}

void TextPane::ShowTranslationMenu(const QPoint &position)
{
    QMenu *menu = memoNovyText_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QTextCursor at = memoNovyText_->cursorForPosition(position);
    const QTextBlock block = at.block();
    const QString text = block.text();
    if (const auto word = SpellingMenu::WordAt(spelling_->Misspelled(text), at.positionInBlock())) {
        std::function<void(const QString &)> replace;
        if (!memoNovyText_->isReadOnly() && row_ >= 1) {
            const int start = block.position() + word->Start;
            const int end = start + word->Length;
            const int row = row_;
            replace = [this, start, end, row, text](const QString &replacement) {
                if (row != row_ || memoNovyText_->document()->findBlock(start).text() != text)
                    return;
                // Typed as the user would type it, and ended at once: one step of its own.
                QTextCursor cursor(memoNovyText_->document());
                cursor.setPosition(start);
                cursor.setPosition(end, QTextCursor::KeepAnchor);
                cursor.insertText(replacement);
                memoNovyText_->setTextCursor(cursor);
                EndEdit();
            };
        }
        const std::optional<CodePage> codePage = CodePage::Named(codePage_);
        SpellingMenu::AddEntries(
            *menu, *spelling_, texts_, *word, text.mid(word->Start, word->Length),
            [codePage](const QString &replacement) { return !codePage || codePage->CanEncode(replacement); },
            replace);
    }
    menu->popup(memoNovyText_->viewport()->mapToGlobal(position));
}

void TextPane::SetTranslationQuietly(const QString &text)
{
    quiet_ = true;
    memoNovyText_->setPlainText(text);
    quiet_ = false;
}

void TextPane::ShowRow(int row, const QString &original, const QString &translation, bool editable)
{
    ShowRow(row, original, QStringList{translation}, {}, editable);
}

void TextPane::ShowRow(int row, const QString &original, const QStringList &forms, const QStringList &labels,
                       bool editable)
{
    QStringList texts = forms.isEmpty() ? QStringList{QString()} : forms;
    // Another row starts on its first form; the same row shown again keeps the tab it is on.
    const bool sameForms = row == row_ && texts.size() == formTexts_.size();
    const int form = sameForms ? std::min(form_, static_cast<int>(texts.size()) - 1) : 0;
    const QString &shown = texts[form];
    if (editing_ && sameForms && memoNovyText_->toPlainText() == shown) {
        formTexts_ = std::move(texts);
        return;
    }
    if (editing_)
        EndEdit();
    // The row shown again as it is (after an edit ended here) keeps its cursor and undo.
    const bool same = sameForms && form == form_ && memoNovyText_->toPlainText() == shown;
    row_ = row;
    form_ = form;
    formTexts_ = std::move(texts);
    if (memoPuvodniText_->toPlainText() != original)
        memoPuvodniText_->setPlainText(original);
    {
        const QSignalBlocker blocker(tabTvary_);
        const bool plural = labels.size() >= 2 && labels.size() == formTexts_.size();
        if (plural) {
            bool sameLabels = tabTvary_->count() == labels.size();
            for (int i = 0; sameLabels && i < labels.size(); ++i)
                sameLabels = tabTvary_->tabText(i) == labels[i];
            if (!sameLabels) {
                while (tabTvary_->count() > 0)
                    tabTvary_->removeTab(0);
                for (const QString &label : labels)
                    tabTvary_->addTab(label);
            }
            tabTvary_->setCurrentIndex(form_);
        }
        tabTvary_->setVisible(plural);
    }
    if (!same)
        SetTranslationQuietly(formTexts_[form_]);
    lastAccepted_ = formTexts_[form_];
    memoNovyText_->setReadOnly(!editable || row < 1);
}

void TextPane::SelectForm(int form)
{
    if (form < 0 || form >= formTexts_.size() || (form == form_ && tabTvary_->currentIndex() == form))
        return;
    EndEdit();
    form_ = form;
    {
        const QSignalBlocker blocker(tabTvary_);
        tabTvary_->setCurrentIndex(form);
    }
    SetTranslationQuietly(formTexts_[form]);
    lastAccepted_ = formTexts_[form];
    memoNovyText_->moveCursor(QTextCursor::End);
}

void TextPane::EmitEdit(const QString &text)
{
    if (form_ < formTexts_.size())
        formTexts_[form_] = text;
    if (form_ == 0)
        emit TranslationEdited(row_, text);
    else
        emit FormEdited(row_, form_, text);
}

void TextPane::UserChanged()
{
    if (quiet_ || row_ < 1)
        return;
    QString text = memoNovyText_->toPlainText();
    // Redrawn underlines tell of a change too, where the text is the same: that is no edit.
    if (!editing_ && text == lastAccepted_)
        return;
    // No line break ever reaches a line of a language file.
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
        text.contains(QChar::ParagraphSeparator) || text.contains(QChar::LineSeparator)) {
        const int position = memoNovyText_->textCursor().position();
        for (const QChar breakCharacter :
             {QChar(u'\r'), QChar(u'\n'), QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator)})
            text.replace(breakCharacter, QLatin1Char(' '));
        SetTranslationQuietly(text);
        QTextCursor cursor = memoNovyText_->textCursor();
        cursor.setPosition(std::min(position, static_cast<int>(text.size())));
        memoNovyText_->setTextCursor(cursor);
    }
    const std::optional<CodePage> codePage = CodePage::Named(codePage_);
    if (codePage && !codePage->CanEncode(text)) {
        QString refused;
        for (const char32_t code : text.toUcs4()) {
            const QString character = QString::fromUcs4(&code, 1);
            if (!codePage->CanEncode(character) && !refused.contains(character))
                refused += character;
        }
        const int position = memoNovyText_->textCursor().position();
        SetTranslationQuietly(lastAccepted_);
        QTextCursor cursor = memoNovyText_->textCursor();
        cursor.setPosition(std::min(position, static_cast<int>(lastAccepted_.size())));
        memoNovyText_->setTextCursor(cursor);
        emit UnrepresentableCharacter(refused);
        return;
    }
    if (!editing_) {
        editing_ = true;
        textBeforeEdit_ = lastAccepted_;
    }
    lastAccepted_ = text;
    EmitEdit(text);
}

void TextPane::EndEdit()
{
    if (!editing_)
        return;
    editing_ = false;
    emit EditEnded(row_);
}

bool TextPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == memoNovyText_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                EndEdit();
                return true;
            }
            if (key == Qt::Key_Escape && editing_) {
                editing_ = false;
                SetTranslationQuietly(textBeforeEdit_);
                lastAccepted_ = textBeforeEdit_;
                EmitEdit(textBeforeEdit_);
                return true;
            }
            const auto *keyEvent = static_cast<QKeyEvent *>(event);
            if (tabTvary_->isVisible() && keyEvent->modifiers() == Qt::ControlModifier &&
                (key == Qt::Key_PageDown || key == Qt::Key_PageUp)) {
                const int count = static_cast<int>(formTexts_.size());
                SelectForm((form_ + (key == Qt::Key_PageDown ? 1 : count - 1)) % count);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            EndEdit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace verbaria
