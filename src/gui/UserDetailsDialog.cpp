#include "UserDetailsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ModalBoxes.h"

namespace ql::gui {

namespace {

constexpr int kFieldCharacters = 40;

}  // namespace

// The dialog belongs to the notes window's row; closing it after a handler accepts it.
UserDetailsDialog::UserDetailsDialog(ProgramState& state, Host& host, QWidget* parent)
    : QDialog(parent), ModelWindow(*this, host, ToolWindow::NotesWindow, state)
{
    setObjectName(QStringLiteral("userDetailsDialog"));
    setWindowTitle(QString::fromUtf8(kUserDetailsCaption));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);
    // However it closes, the keys go back to the window it belongs to.
    connect(this, &QDialog::finished, this, [this] { giveBackKeyboard(*this); });

    auto* form = new QFormLayout;
    const UserDetailsView v = model_.view();
    for (int i = 0; i < kUserFieldCount; ++i) {
        const QString label = QString::fromStdString(v.fields[static_cast<std::size_t>(i)].label);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("userField%1").arg(i + 1));
        box->setAccessibleName(label);
        box->setMaxLength(kUserFieldLength);
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * kFieldCharacters);
        auto* caption = new QLabel(label + QLatin1Char(':'), this);
        caption->setBuddy(box);
        form->addRow(caption, box);
        fields_[static_cast<std::size_t>(i)] = box;
        onEdited(box, [this, i](const std::string& text) { return model_.fieldEdited(i, text); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("userDetailsButtons"));
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    onPressed(ok, [this] { return model_.ok(); });
    onPressed(cancel, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void UserDetailsDialog::showDetails()
{
    model_.opened();
    applyView();
    fields_.front()->setFocus();
    open();
}

void UserDetailsDialog::showView(const UserDetailsView& v)
{
    for (std::size_t i = 0; i < fields_.size(); ++i) showText(fields_[i], v.fields[i].text);
}

void UserDetailsDialog::reject()
{
    // Cancel, Escape and the close box drop the entries: the dialog is rejected, not accepted.
    if (model_.cancel().closeWindow) QDialog::reject();
}

}  // namespace ql::gui
