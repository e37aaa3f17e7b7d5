#include "editor/ui/TAboutForm.h"

#include "platform/SystemShellOpen.h"
#include "ui_TAboutForm.h"
#include "widgets/OwnChildren.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace verbaria {

namespace {

const QColor Red(255, 0, 0);
const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);

void SetTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

TAboutForm::TAboutForm(QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TAboutForm>())
    , desktop_(std::make_unique<SystemShellOpen>())
    , shell_(desktop_.get())
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    SetTextColour(ui_->labelNazevProgramu, Red);
    for (QLabel *label : {ui_->labelVerze, ui_->labelVerze1, ui_->labelAutori})
        SetTextColour(label, Navy);

    ui_->labelEmailPriv->setText(QStringLiteral(VERBARIA_MAKER_EMAIL));
    ui_->labelWwwPriv->setText(QStringLiteral(VERBARIA_MAKER_WEB));
    for (QLabel *link : {ui_->labelEmailPriv, ui_->labelWwwPriv}) {
        SetTextColour(link, Blue);
        QFont font = link->font();
        font.setUnderline(true);
        link->setFont(font);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    connect(ui_->buttonOK, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutForm::~TAboutForm()
{
    DisconnectOwnChildren(*this);
}

void TAboutForm::SetShellOpen(ShellOpen *shell)
{
    shell_ = shell ? shell : desktop_.get();
}

void TAboutForm::PrejdiNaEmailNeboWww(QLabel *clicked)
{
    if (clicked != ui_->labelEmailPriv && clicked != ui_->labelWwwPriv)
        return;
    QString target = clicked->text();
    if (clicked == ui_->labelEmailPriv)
        target.prepend(u"mailto:"_s);
    // The desktop's answer is not looked at; a refused target simply opens nothing.
    shell_->OpenLink(target);
}

void TAboutForm::showEvent(QShowEvent *event)
{
    // The main window's icon, or the application's; a style picture where neither has one.
    QIcon icon = parentWidget() ? parentWidget()->window()->windowIcon() : QIcon();
    if (icon.isNull())
        icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = QIcon::fromTheme(u"accessories-dictionary"_s);
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_FileDialogInfoView, nullptr, this);
    ui_->ImageIkonaProgramu->setPixmap(icon.pixmap(32, 32));
    // The build's own version, whatever a language file wrote over it: a translation made for an
    // earlier release must not name that release.
    ui_->labelVerze1->setText(QStringLiteral(VERBARIA_SHOWN_VERSION));
    QDialog::showEvent(event);
}

bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        auto *label = qobject_cast<QLabel *>(watched);
        if (label && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            PrejdiNaEmailNeboWww(label);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace verbaria
