#include "editor/ui/FindDialog.h"

#include "ui_FindDialog.h"
#include "widgets/OwnChildren.h"

namespace verbaria {

FindDialog::FindDialog(QWidget *parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::FindDialog>())
{
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(ui_->editHledanyText, &QLineEdit::textChanged, this,
            [this](const QString &text) { ui_->buttonNajitDalsi->setEnabled(!text.isEmpty()); });
    connect(ui_->buttonNajitDalsi, &QPushButton::clicked, this, [this] {
        if (!SearchText().isEmpty())
            emit FindNext();
    });
    connect(ui_->buttonZavrit, &QPushButton::clicked, this, &QDialog::close);
}

FindDialog::~FindDialog()
{
    DisconnectOwnChildren(*this);
}

QString FindDialog::SearchText() const
{
    return ui_->editHledanyText->text();
}

bool FindDialog::MatchCase() const
{
    return ui_->checkRozlisovatVelikost->isChecked();
}

void FindDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui_->editHledanyText->setFocus(Qt::OtherFocusReason);
    ui_->editHledanyText->selectAll();
}

} // namespace verbaria
