#include "AboutWindow.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ScrollBarNames.h"

namespace ql::gui {

namespace {

QLabel* addLabel(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

AboutWindow::AboutWindow(const ModelTable& table, Host& host, Desktop& desktop, QWidget* parent)
    : QDialog(parent), ModelWindow(*this, host, ToolWindow::AboutWindow, table, host, desktop)
{
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QString::fromUtf8(kAboutCaption));
    setAccessibleName(windowTitle());

    QLabel* product =
        addLabel(this, QString::fromUtf8(kProductName), QStringLiteral("productLabel"));
    QFont large = product->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    product->setFont(large);
    noticeLabel_ = addLabel(this, QString(), QStringLiteral("noticeLabel"));

    QLabel* devices =
        addLabel(this, QStringLiteral("Supported devices:"), QStringLiteral("devicesLabel"));
    modelList_ = new QTableWidget(0, 2, this);
    modelList_->setObjectName(QStringLiteral("modelList"));
    modelList_->setAccessibleName(QStringLiteral("Supported devices"));
    modelList_->setHorizontalHeaderLabels({QStringLiteral("Model"), QStringLiteral("Note")});
    modelList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    modelList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    modelList_->setSelectionMode(QAbstractItemView::SingleSelection);
    modelList_->setTabKeyNavigation(false);  // Tab leaves the list for the next control
    modelList_->verticalHeader()->hide();
    modelList_->horizontalHeader()->setStretchLastSection(true);
    modelList_->setMinimumSize(600, 240);
    devices->setBuddy(modelList_);
    nameScrollBars(modelList_);

    noteBox_ = new QPlainTextEdit(this);
    noteBox_->setObjectName(QStringLiteral("noteBox"));
    noteBox_->setAccessibleName(QStringLiteral("Note"));
    noteBox_->setReadOnly(true);
    // Read-only, but reached by Tab and read with the keyboard.
    noteBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    noteBox_->setFocusPolicy(Qt::StrongFocus);
    noteBox_->setTabChangesFocus(true);
    noteBox_->setFixedHeight(noteBox_->fontMetrics().lineSpacing() * 3 + 12);
    nameScrollBars(noteBox_);

    const SupportContact& c = std::as_const(model_).view().contact;
    auto* contact = new QGridLayout;
    contact->addWidget(addLabel(this, QStringLiteral("Support:"), QStringLiteral("supportLabel")),
                       0, 0);
    contact->addWidget(addLabel(this, QString::fromUtf8(c.company), QStringLiteral("companyLabel")),
                       0, 1);
    contact->addWidget(
        addLabel(this, QStringLiteral("Telephone: ") + QString::fromUtf8(c.telephone),
                 QStringLiteral("telephoneLabel")),
        1, 1);
    contact->addWidget(addLabel(this, QStringLiteral("Fax: ") + QString::fromUtf8(c.fax),
                                QStringLiteral("faxLabel")),
                       2, 1);
    contact->addWidget(addLabel(this, QStringLiteral("E-mail: ") + QString::fromUtf8(c.email),
                                QStringLiteral("emailLabel")),
                       3, 1);
    contact->addWidget(addLabel(this, QStringLiteral("Homepage:"), QStringLiteral("homePageLabel")),
                       4, 0);
    homePageButton_ = new QPushButton(QString::fromUtf8(c.homePage), this);
    homePageButton_->setObjectName(QStringLiteral("homePageButton"));
    homePageButton_->setFlat(true);
    homePageButton_->setCursor(Qt::PointingHandCursor);
    homePageButton_->setToolTip(QStringLiteral("Opens the home page in your web browser"));
    QFont link = homePageButton_->font();
    link.setUnderline(true);
    homePageButton_->setFont(link);
    homePageButton_->setStyleSheet(QStringLiteral("text-align: left; color: palette(link);"));
    contact->addWidget(homePageButton_, 4, 1);
    contact->setColumnStretch(1, 1);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(noticeLabel_);
    layout->addSpacing(8);
    layout->addWidget(devices);
    layout->addWidget(modelList_, 1);
    layout->addWidget(noteBox_);
    layout->addSpacing(8);
    layout->addLayout(contact);
    layout->addLayout(buttons);

    onChosen(modelList_, [this](int row) { model_.rowChosen(row); });
    onPressed(homePageButton_, [this] { model_.homePageClicked(); });
    onPressed(okButton, [this] { return model_.ok(); });
}

void AboutWindow::opened()
{
    model_.opened();
    applyView();
}

void AboutWindow::showView(const AboutView& v)
{
    noticeLabel_->setText(fromUtf8(v.notice));
    // The list is filled again only when the models read differ (each opening reads them), so
    // a choice leaves it as it stands.
    if (v.models != listed_) {
        listed_ = v.models;
        modelList_->setRowCount(static_cast<int>(v.models.size()));
        for (int row = 0; row < static_cast<int>(v.models.size()); ++row) {
            const ModelRow& m = v.models[static_cast<std::size_t>(row)];
            modelList_->setItem(row, 0, new QTableWidgetItem(fromUtf8(m.scope)));
            modelList_->setItem(row, 1, new QTableWidgetItem(fromUtf8(m.memo)));
        }
        modelList_->resizeColumnToContents(0);
    }
    if (v.chosen >= 0 && modelList_->currentRow() != v.chosen)
        modelList_->setCurrentCell(v.chosen, 0);
    // Read-only: the chosen model's note, whatever has the focus.
    if (noteBox_->toPlainText() != fromUtf8(v.note)) noteBox_->setPlainText(fromUtf8(v.note));
}

}  // namespace ql::gui
