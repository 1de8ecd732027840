#include "NotesWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "FixedPlaces.h"
#include "NotesTextBox.h"
#include "ScrollBarNames.h"
#include "UserDetailsDialog.h"

namespace ql::gui {

namespace {

constexpr int kBoxColumns = 64;
constexpr int kBoxRows = 14;

}  // namespace

NotesWindow::NotesWindow(ProgramState& state, Host& host, Printer& printer, Desktop& desktop,
                         QWidget* parent)
    : QWidget(parent), model_(state, host, printer, desktop), host_(host)
{
    setObjectName(QStringLiteral("notesWindow"));
    setWindowTitle(QString::fromUtf8(kNotesCaption));
    setAccessibleName(windowTitle());

    textBox_ = new NotesTextBox(
        [](std::string_view before, std::string_view inserted, std::string_view after) {
            return fitNotesInsertion(before, inserted, after);
        },
        this);
    textBox_->setObjectName(QStringLiteral("notesBox"));
    textBox_->setAccessibleName(QString::fromUtf8(kNotesCaption));
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setTabChangesFocus(true);
    textBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(textBox_->font());
    textBox_->setMinimumSize(metrics.averageCharWidth() * kBoxColumns,
                             metrics.lineSpacing() * kBoxRows);
    nameScrollBars(textBox_);
    changes_.onEdited(textBox_, [this] {
        model_.edited(textBox_->toPlainText().toStdString());
        const NotesView v = model_.view();
        printFax_->setEnabled(v.supportEnabled);
        mail_->setEnabled(v.supportEnabled);
    });

    clear_ = namedButton(this, "&Clear", "clearButton");
    exit_ = namedButton(this, "E&xit", "exitButton");
    ok_ = namedButton(this, "&OK", "okButton");
    printFax_ = namedButton(this, "Print/Fax", "printFaxButton");
    mail_ = namedButton(this, "Send as e-mail", "mailButton");
    userDetails_ = namedButton(this, "&User details...", "userDetailsButton");
    userDetails_->setToolTip(QStringLiteral("Your contact details on the fax page and the e-mail"));
    userDetailsDialog_ = new UserDetailsDialog(state, this);

    connect(clear_, &QPushButton::clicked, this, [this] { carry(model_.clear()); });
    connect(exit_, &QPushButton::clicked, this, [this] { carry(model_.exit()); });
    connect(ok_, &QPushButton::clicked, this, [this] { carry(model_.ok()); });
    connect(printFax_, &QPushButton::clicked, this, [this] { carry(model_.printFax()); });
    connect(mail_, &QPushButton::clicked, this, [this] { carry(model_.sendMail()); });
    connect(userDetails_, &QPushButton::clicked, userDetailsDialog_,
            &UserDetailsDialog::showDetails);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {clear_, exit_, ok_, printFax_, mail_}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(userDetails_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textBox_, 1);
    layout->addLayout(buttons);
    applyView();
}

void NotesWindow::opened()
{
    model_.opened();
    applyView();
    textBox_->moveCursor(QTextCursor::Start);
    textBox_->setFocus();
}

void NotesWindow::closed()
{
    if (userDetailsDialog_->isVisible()) userDetailsDialog_->reject();
}

void NotesWindow::applyView()
{
    const NotesView v = model_.view();
    const QString text = QString::fromStdString(v.text);
    if (textBox_->toPlainText() != text) {
        const UserChanges::Painting painting = changes_.painting();
        textBox_->setPlainText(text);
    }
    printFax_->setEnabled(v.supportEnabled);
    mail_->setEnabled(v.supportEnabled);
}

void NotesWindow::carry(const Followup& followup)
{
    applyView();
    carryOut(host_, followup);
    if (followup.closeWindow) host_.closeWindow(ToolWindow::NotesWindow);
}

}  // namespace ql::gui
