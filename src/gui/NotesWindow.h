#pragma once
// The "Notes" window: the notes in a multi-line text box with both scroll bars, and "&Clear",
// "E&xit", "&OK", "Print/Fax", "Send as e-mail" and "&User details..." (the contact details
// the support requests carry). A thin view over NotesModel; the support page goes to the
// program's printer and the e-mail to the desktop's mail program.

#include <QWidget>

#include "ModelWindow.h"
#include "app/NotesModel.h"

class QPushButton;

namespace ql::gui {

class NotesTextBox;
class UserDetailsDialog;

class NotesWindow : public QWidget, public ModelWindow<NotesModel> {
    Q_OBJECT
public:
    NotesWindow(ProgramState& state, Host& host, Printer& printer, Desktop& desktop,
                QWidget* parent = nullptr);

    void opened() override;
    void closed() override;

    NotesTextBox* textBox() const { return textBox_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* printFaxButton() const { return printFax_; }
    QPushButton* userDetailsButton() const { return userDetails_; }
    UserDetailsDialog* userDetailsDialog() const { return userDetailsDialog_; }

private:
    void showView(const NotesView& v) override;

    NotesTextBox* textBox_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* printFax_ = nullptr;
    QPushButton* mail_ = nullptr;
    QPushButton* userDetails_ = nullptr;
    UserDetailsDialog* userDetailsDialog_ = nullptr;
};

}  // namespace ql::gui
