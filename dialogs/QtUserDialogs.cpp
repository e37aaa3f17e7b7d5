#include "dialogs/QtUserDialogs.h"

#include "dialogs/ProgramFileFilter.h"
#include "platform/CodePage.h"

#include <QStringDecoder>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QShortcut>

Q_LOGGING_CATEGORY(lcDialogs, "verbaria.window.dialogs", QtWarningMsg)

namespace verbaria {

QString QtUserDialogs::MessageText(const std::string &message)
{
    // The program's own texts are UTF-8; an error may quote a file's bytes, which are in the
    // default code page unless they happen to be UTF-8 too.
    // Bytes that are text in neither show as replacement characters.
    const QByteArrayView bytes(message.data(), static_cast<qsizetype>(message.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::Default().Decode(message);
}

QtUserDialogs::QtUserDialogs(QWidget *owner)
    : owner_(owner)
{
}

QString QtUserDialogs::Caption() const
{
    const QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Verbaria") : title;
}

namespace {

// A question is answered with one of its buttons. Qt would take Escape and the window's close
// button for No, and "Uložit změny ?" answered No by a reflex loses the edits; so neither answers.
class QuestionBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (!clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

} // namespace

bool QtUserDialogs::AskYesNo(const std::string &question)
{
    QuestionBox box(QMessageBox::Question, Caption(), MessageText(question),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowFlags((box.windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                       ~Qt::WindowCloseButtonHint);
    const bool yes = box.exec() == QMessageBox::Yes;
    qCDebug(lcDialogs) << "question answered" << (yes ? "yes" : "no");
    return yes;
}

void QtUserDialogs::Inform(const std::string &message)
{
    QMessageBox box(QMessageBox::NoIcon, Caption(), MessageText(message), QMessageBox::Ok, owner_);
    box.exec();
}

void QtUserDialogs::ReportError(const std::string &message)
{
    QMessageBox box(QMessageBox::Critical, Caption(), MessageText(message), QMessageBox::Ok, owner_);
    box.exec();
}

namespace {

[[maybe_unused]] bool IsProgramPattern(const QString &patterns)
{
    return patterns.trimmed().compare(u"*.exe", Qt::CaseInsensitive) == 0;
}

// Paths from the settings and from files take "\\" for a folder separator too.
QString DesktopPath(QString path)
{
#ifndef Q_OS_WIN
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    return path;
}

} // namespace

QStringList QtUserDialogs::QtFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; here it would hide every name without a dot, and so
        // every program, which has none. "*.exe" lists the programs, which ChooseFile filters.
        if (patterns.trimmed() == QStringLiteral("*.*") || IsProgramPattern(patterns))
            patterns = QStringLiteral("*");
#endif
        if (description.contains(QLatin1Char('(')) && description.endsWith(QLatin1Char(')')))
            result << description.left(description.lastIndexOf(QLatin1Char('('))).trimmed() +
                          QStringLiteral(" (") + patterns + QLatin1Char(')');
        else
            result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (result.isEmpty())
        result << QStringLiteral("* (*)");
    return result;
}

std::optional<std::string> QtUserDialogs::ChooseFile(const FileDialogState &state, bool save)
{
    QFileDialog dialog(owner_, QString::fromStdString(state.Title));
    const QString filter = QString::fromStdString(state.Filter);
    const QStringList filters = QtFilters(filter);
    dialog.setNameFilters(filters);
#ifndef Q_OS_WIN
    // The entries that stand for programs, by their place in the list.
    QStringList programFilters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size() && i / 2 < filters.size(); i += 2) {
        if (IsProgramPattern(parts[i + 1]))
            programFilters << filters[i / 2];
    }
    if (!save && !programFilters.isEmpty()) {
        // Only Qt's own dialog takes a filter of its list.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto *programs = new ProgramFileFilter(&dialog);
        dialog.setProxyModel(programs);
        programs->SetActive(programFilters.contains(filters.value(0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, programs,
                         [programs, programFilters](const QString &selected) {
                             programs->SetActive(programFilters.contains(selected));
                         });
    }
#endif
    QString suffix = QString::fromStdString(state.DefaultExtension);
    if (suffix.startsWith(QStringLiteral("*.")))
        suffix.remove(0, 2);
    dialog.setDefaultSuffix(suffix);
    if (!state.InitialFolder.empty())
        dialog.setDirectory(DesktopPath(QString::fromStdString(state.InitialFolder)));
    if (!state.FileName.empty()) {
        // A remembered "jazyky\czech.lng" is a file in a folder, not a name with a backslash.
        QString name = DesktopPath(QString::fromStdString(state.FileName));
        if (name.contains(QLatin1Char('/')))
            name = QFileInfo(name).absoluteFilePath();
        dialog.selectFile(name);
    }
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<std::string> QtUserDialogs::ChooseFileToOpen(const FileDialogState &dialog)
{
    return ChooseFile(dialog, false);
}

std::optional<std::string> QtUserDialogs::ChooseFileToSave(const FileDialogState &dialog)
{
    return ChooseFile(dialog, true);
}

std::optional<std::string> QtUserDialogs::AskText(const std::string &question, const std::string &text)
{
    QInputDialog dialog(owner_);
    dialog.setWindowTitle(Caption());
    dialog.setLabelText(QString::fromStdString(question));
    dialog.setOption(QInputDialog::UsePlainTextEditForTextInput);
    dialog.setTextValue(QString::fromStdString(text));
    // Enter makes a new line of the text; Tab goes on to the buttons and Ctrl+Enter takes the text.
    if (auto *edit = dialog.findChild<QPlainTextEdit *>())
        edit->setTabChangesFocus(true);
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        QObject::connect(new QShortcut(keys, &dialog), &QShortcut::activated, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

} // namespace verbaria
