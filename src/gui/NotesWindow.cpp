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
    : QWidget(parent),
      ModelWindow(*this, host, ToolWindow::NotesWindow, state, host, printer, desktop)
{
    setObjectName(QStringLiteral("notesWindow"));
    setWindowTitle(QString::fromUtf8(kNotesCaption));
    setAccessibleName(windowTitle());

    textBox_ = new NotesTextBox(fitNotesInsertion, this);
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
    onEdited(textBox_, [this](const std::string& text) { return model_.edited(text); });

    QPushButton* clear = namedButton(this, "&Clear", "clearButton");
    QPushButton* exit = namedButton(this, "E&xit", "exitButton");
    ok_ = namedButton(this, "&OK", "okButton");
    printFax_ = namedButton(this, "Print/Fax", "printFaxButton");
    mail_ = namedButton(this, "Send as e-mail", "mailButton");
    userDetails_ = namedButton(this, "&User details...", "userDetailsButton");
    userDetails_->setToolTip(QStringLiteral("Your contact details on the fax page and the e-mail"));
    userDetailsDialog_ = new UserDetailsDialog(state, host, this);

    onPressed(clear, [this] { return model_.clear(); });
    onPressed(exit, [this] { return model_.exit(); });
    onPressed(ok_, [this] { return model_.ok(); });
    onPressed(printFax_, [this] { return model_.printFax(); });
    onPressed(mail_, [this] { return model_.sendMail(); });
    onPressed(userDetails_, [this] { userDetailsDialog_->showDetails(); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {clear, exit, ok_, printFax_, mail_}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(userDetails_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textBox_, 1);
    layout->addLayout(buttons);
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

void NotesWindow::showView(const NotesView& v)
{
    // The box holds the model's text after every edit; it differs only where the model changed
    // it (opening, "&Clear"), and shows that even while it has the focus.
    const QString text = QString::fromStdString(v.text);
    if (textBox_->toPlainText() != text) textBox_->setPlainText(text);
    printFax_->setEnabled(v.supportEnabled);
    mail_->setEnabled(v.supportEnabled);
}

}  // namespace ql::gui
