#include "editor/ui/TextPane.h"

#include "editor/core/UserDialogs.h"
#include "editor/ui/UiText.h"
#include "platform/CodePage.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace verbaria {

TextPane::TextPane(const TextService &texts, QWidget *parent)
    : QWidget(parent)
    , texts_(texts)
    , labelPuvodni_(new QLabel(this))
    , labelNovy_(new QLabel(this))
    , memoPuvodniText_(new QPlainTextEdit(this))
    , memoNovyText_(new QPlainTextEdit(this))
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
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(2);
    layout->addWidget(labelPuvodni_, 0, 0);
    layout->addWidget(labelNovy_, 0, 1);
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

void TextPane::Retranslate()
{
    labelPuvodni_->setText(UiText(texts_.TranslateText("Původní text")));
    labelNovy_->setText(UiText(texts_.TranslateText("&Nový text")));
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

void TextPane::SetTranslationQuietly(const QString &text)
{
    quiet_ = true;
    memoNovyText_->setPlainText(text);
    quiet_ = false;
}

void TextPane::ShowRow(int row, const QString &original, const QString &translation, bool editable)
{
    if (editing_ && row == row_ && memoNovyText_->toPlainText() == translation)
        return;
    if (editing_)
        EndEdit();
    row_ = row;
    memoPuvodniText_->setPlainText(original);
    SetTranslationQuietly(translation);
    lastAccepted_ = translation;
    memoNovyText_->setReadOnly(!editable || row < 1);
}

void TextPane::UserChanged()
{
    if (quiet_ || row_ < 1)
        return;
    QString text = memoNovyText_->toPlainText();
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
    emit TranslationEdited(row_, text);
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
                emit TranslationEdited(row_, textBeforeEdit_);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            EndEdit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace verbaria
