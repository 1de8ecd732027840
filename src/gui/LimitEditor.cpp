#include "LimitEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "FixedPlaces.h"
#include "MainWindow.h"
#include "ScrollBarNames.h"

namespace ql::gui {

namespace {

const QColor kMultiplierColour(255, 255, 128);
const QColor kBoxColour(255, 255, 192);
const QColor kCaptionColour(255, 128, 128);
const QColor kGridColour(255, 192, 192);

// The grid's columns are the fields of the rows, under their names.
constexpr const char* kColumnHeaders[kLimitColumnCount] = {"name", "Harmonic", "limit", "memo"};
// Widths in twips: order and limit beside a short name; the memo runs on to the right.
constexpr int kColumnTwips[kLimitColumnCount] = {1125, 795, 795, 2400};

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

void colour(QWidget* w, const QColor& background)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, background);
    w->setPalette(p);
}

QLineEdit* box(QWidget* parent, const char* name, const char* accessibleName,
               const QColor& background)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAccessibleName(QString::fromUtf8(accessibleName));
    colour(b, background);
    return b;
}

bool isEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

std::optional<std::string> QtInputPrompt::askText(std::string_view prompt, std::string_view title,
                                                  std::string_view defaultText)
{
    QInputDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("inputBox"));
    dialog.setWindowTitle(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
    dialog.setLabelText(QString::fromUtf8(prompt.data(), static_cast<int>(prompt.size())));
    dialog.setTextValue(
        QString::fromUtf8(defaultText.data(), static_cast<int>(defaultText.size())));
    if (runModal(MainWindow::modalBoxesOf(*parent_), dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

LimitEditor::LimitEditor(ProgramState& state, Host& host, LimitStore& store, char decimalSign,
                         QWidget* parent)
    : QWidget(parent),
      QtInputPrompt(this),
      ModelWindow(*this, host, ToolWindow::HarmonicsWindow, state, host, store,
                  static_cast<InputPrompt&>(*this), decimalSign)
{
    setObjectName(QStringLiteral("limitEditor"));
    setFont(toolWindowFont());
    // Places in twips from the top left corner of the editor's area on the tab.
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("definitionList"));
    list_->setAccessibleName(QStringLiteral("Limit definition"));
    list_->installEventFilter(this);
    placeInTwips(*list_, 0, 0, 5175, 315);
    newButton_ = namedButton(this, "New", "newDefinitionButton");
    placeInTwips(*newButton_, 0, 360, 1155, 255);
    deleteButton_ = namedButton(this, "Delete", "deleteDefinitionButton");
    placeInTwips(*deleteButton_, 1380, 360, 1215, 255);
    multiplierBox_ = box(this, "multiplierBox", "Multiplier for Max-Limits", kMultiplierColour);
    placeInTwips(*multiplierBox_, 3480, 360, 675, 285);
    relativeBox_ = new QCheckBox(QStringLiteral("Relativ"), this);
    relativeBox_->setObjectName(QStringLiteral("relativeBox"));
    relativeBox_->setEnabled(false);  // written once, by New
    placeInTwips(*relativeBox_, 4260, 360, 915, 255);
    memoBox_ = new QPlainTextEdit(this);
    memoBox_->setObjectName(QStringLiteral("memoBox"));
    memoBox_->setAccessibleName(QStringLiteral("Memo of the limit definition"));
    memoBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoBox_->setTabChangesFocus(true);
    colour(memoBox_, kBoxColour);
    nameScrollBars(memoBox_);
    placeInTwips(*memoBox_, 0, 660, 5175, 1035);

    grid_ = new QTableWidget(0, kLimitColumnCount, this);
    grid_->setObjectName(QStringLiteral("limitRows"));
    grid_->setAccessibleName(QStringLiteral("Limits of the definition"));
    QStringList headers;
    for (const char* h : kColumnHeaders) headers << QString::fromUtf8(h);
    grid_->setHorizontalHeaderLabels(headers);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    grid_->installEventFilter(this);
    colour(grid_, kGridColour);
    nameScrollBars(grid_);
    placeInTwips(*grid_, 0, 1740, 3375, 2895);
    for (int c = 0; c < kLimitColumnCount; ++c)
        grid_->setColumnWidth(c, twipsRect(*this, 0, 0, kColumnTwips[c], 0).width());

    const auto caption = [&](const char* t, int top) {
        QLabel* label = colouredCell(this, QString::fromUtf8(t), kCaptionColour, false);
        placeInTwips(*label, 3480, top, 1695, 255);
    };
    caption("Harmonic order", 1800);
    orderBox_ = box(this, "orderBox", "Harmonic order", kBoxColour);
    placeInTwips(*orderBox_, 3480, 2040, 1695, 315);
    caption("Harmonic Limit", 2400);
    limitBox_ = box(this, "limitBox", "Harmonic Limit", kBoxColour);
    placeInTwips(*limitBox_, 3480, 2640, 1695, 315);
    storeButton_ = namedButton(this, "<<< Store <<<", "storeButton");
    storeButton_->installEventFilter(this);
    placeInTwips(*storeButton_, 3480, 3060, 1695, 315);

    // A choice in the list, with the mouse or the arrow keys; Enter is taken by the filter.
    onChosen(list_, [this](int index) {
        return withBoxes([&] { return model_.selected(list_->itemText(index).toStdString()); });
    });
    onPressed(newButton_, [this] { return withBoxes([this] { return model_.newDefinition(); }); });
    onPressed(deleteButton_,
              [this] { return withBoxes([this] { return model_.deleteDefinition(); }); });
    onPressed(storeButton_, [this] { return withBoxes([this] { return model_.store(); }); });
    onEntered(multiplierBox_, [this](const std::string& text) {
        return handled([&] { return model_.multiplierEntered(text); });
    });
    onEntered(memoBox_, [this](const std::string& text) {
        return handled([&] { return model_.memoEntered(text); });
    });
    // The order and limit boxes follow every edit; Enter walks on to the next control.
    const auto walkOn = [this](auto entered) {
        return [this, entered](const std::string&) {
            return handled([&] {
                entered();
                return false;
            });
        };
    };
    onEdited(
        orderBox_, [this](const std::string& text) { model_.orderEdited(text); },
        walkOn([this] { model_.orderEntered(); }));
    onEdited(
        limitBox_, [this](const std::string& text) { model_.limitEdited(text); },
        walkOn([this] { model_.limitEntered(); }));
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        run([this, item] {
            return handled([&] {
                return model_.cellEdited(item->row(), static_cast<LimitColumn>(item->column()),
                                         item->text().toStdString());
            });
        });
    });
    onChosen(grid_, [this](int row) {
        if (row >= 0) model_.rowChosen(row);
    });
}

void LimitEditor::opened()
{
    model_.opened();
    activated();
}

void LimitEditor::activated()
{
    model_.activated();
    applyView();
}

template <class Action>
Followup LimitEditor::handled(Action action)
{
    // A box that loses the focus to a message of the handler in progress does not start
    // another one.
    if (handling_) return {};
    handling_ = true;
    const bool changed = action();
    handling_ = false;
    return judgedAgain(changed);
}

template <class Action>
Followup LimitEditor::withBoxes(Action action)
{
    // The multiplier and memo go in before another definition is chosen or changed.
    return handled([&] {
        const bool multiplier = model_.multiplierEntered(multiplierBox_->text().toStdString());
        const bool memo = model_.memoEntered(memoBox_->toPlainText().toStdString());
        return action() || multiplier || memo;
    });
}

bool LimitEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (watched == list_) {
            if (isEnter(key)) {
                run([this] {
                    return withBoxes(
                        [this] { return model_.selected(list_->currentText().toStdString()); });
                });
                return true;
            }
            // Typed characters are discarded: the list is chosen from, not typed into.
            if (!key.text().isEmpty() && key.text().at(0).isPrint()) return true;
        } else if (watched == storeButton_ && isEnter(key)) {
            storeButton_->click();
            return true;
        } else if (watched == grid_ && key.key() == Qt::Key_Delete) {
            // Delete on the grid (not in a cell being edited) removes the current row.
            run([this] {
                return handled([this] { return model_.rowDeleted(grid_->currentRow()); });
            });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LimitEditor::showView(const LimitEditorView& v)
{
    list_->clear();
    for (const std::string& name : v.names) list_->addItem(text(name));
    const int index = list_->findText(text(v.listText), Qt::MatchFixedString);
    list_->setCurrentIndex(index);
    // A name no definition has stays shown as the list's text.
    if (index < 0) list_->setPlaceholderText(text(v.listText));
    list_->setAccessibleDescription(text(v.listText));
    // Every handler takes the boxes as they stand first, so they show the model's texts even
    // while one has the focus.
    multiplierBox_->setText(text(v.multiplierText));
    multiplierBox_->setEnabled(v.hasDefinition);
    relativeBox_->setChecked(v.relative);
    if (memoBox_->toPlainText() != text(v.memo)) memoBox_->setPlainText(text(v.memo));
    memoBox_->setEnabled(v.hasDefinition);
    grid_->setRowCount(static_cast<int>(v.rows.size()));
    for (int r = 0; r < static_cast<int>(v.rows.size()); ++r) {
        const LimitRowView& row = v.rows[static_cast<std::size_t>(r)];
        const std::string* cells[kLimitColumnCount] = {&row.name, &row.order, &row.limit,
                                                       &row.memo};
        for (int c = 0; c < kLimitColumnCount; ++c) {
            auto* item = new QTableWidgetItem(text(*cells[c]));
            if (c == static_cast<int>(LimitColumn::Name))
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grid_->setItem(r, c, item);
        }
    }
    if (v.currentRow >= 0)
        grid_->setCurrentCell(v.currentRow,
                              grid_->currentColumn() < 0 ? 1 : grid_->currentColumn());
    if (orderBox_->text() != text(v.orderText)) orderBox_->setText(text(v.orderText));
    if (limitBox_->text() != text(v.limitText)) limitBox_->setText(text(v.limitText));
    // The focus a handler asks for moves once its view is shown.
    if (handling_) return;
    switch (model_.takeFocus()) {
        case LimitEditorFocus::OrderBox: orderBox_->setFocus(); break;
        case LimitEditorFocus::LimitBox: limitBox_->setFocus(); break;
        case LimitEditorFocus::StoreButton: storeButton_->setFocus(); break;
        case LimitEditorFocus::Unchanged: break;
    }
}

}  // namespace ql::gui
