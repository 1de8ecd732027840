#include "UserDetailsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ql::gui {

namespace {

constexpr int kFieldCharacters = 40;

}  // namespace

UserDetailsDialog::UserDetailsDialog(ProgramState& state, QWidget* parent)
    : QDialog(parent), model_(state)
{
    setObjectName(QStringLiteral("userDetailsDialog"));
    setWindowTitle(QString::fromUtf8(kUserDetailsCaption));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);

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
        changes_.onEdited(
            box, [this, i](const QString& text) { model_.fieldEdited(i, text.toStdString()); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("userDetailsButtons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

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

void UserDetailsDialog::applyView()
{
    const UserDetailsView v = model_.view();
    const UserChanges::Painting painting = changes_.painting();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(v.fields[i].text));
    }
}

void UserDetailsDialog::accept()
{
    if (model_.ok().closeWindow) QDialog::accept();
}

void UserDetailsDialog::reject()
{
    if (model_.cancel().closeWindow) QDialog::reject();
}

}  // namespace ql::gui
