#pragma once
// The "About/Support" window: the product's name and notice line, the supported models in a
// read-only list with the chosen model's note, the maker's support contact with a button that
// opens the home page, and "OK". A thin view over AboutModel.

#include <QDialog>

#include "ModelWindow.h"
#include "app/AboutModel.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace ql::gui {

class AboutWindow : public QDialog, public ModelWindow<AboutModel> {
    Q_OBJECT
public:
    AboutWindow(const ModelTable& table, Host& host, Desktop& desktop, QWidget* parent = nullptr);

    void opened() override;

private:
    void showView(const AboutView& v) override;

    std::vector<ModelRow> listed_;  // the models the list shows
    QLabel* noticeLabel_ = nullptr;
    QTableWidget* modelList_ = nullptr;
    QPlainTextEdit* noteBox_ = nullptr;
    QPushButton* homePageButton_ = nullptr;
};

}  // namespace ql::gui
