#include "ModelWindow.h"

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>

#include "StepList.h"

namespace ql::gui {

ModelWindowBase::ModelWindowBase(QWidget& window, Host& host, ToolWindow id)
    : window_(window), host_(host), id_(id), changes_(&window)
{
}

void ModelWindowBase::applyView()
{
    const Followup settled = settle();
    paintView();
    followUp(settled);
}

void ModelWindowBase::paintView()
{
    const UserChanges::Painting painting = changes_.painting();
    paint();
}

void ModelWindowBase::followUp(const Followup& followup)
{
    carryOut(host_, followup);
    if (!followup.closeWindow) return;
    if (auto* dialog = qobject_cast<QDialog*>(&window_))
        dialog->accept();
    else
        host_.closeWindow(id_);
}

// --- Showing values --------------------------------------------------------------------------

void ModelWindowBase::showText(QLineEdit* box, const std::string& text) const
{
    if (box != entered_ && box->hasFocus()) return;
    const QString shown = QString::fromStdString(text);
    if (box->text() != shown) box->setText(shown);
}

void ModelWindowBase::showText(QPlainTextEdit* box, const std::string& text) const
{
    if (box != entered_ && box->hasFocus()) return;
    const QString shown = QString::fromStdString(text);
    if (box->toPlainText() != shown) box->setPlainText(shown);
}

std::string ModelWindowBase::textOf(const QLineEdit* box)
{
    return box->text().toStdString();
}

std::string ModelWindowBase::textOf(const QPlainTextEdit* box)
{
    return box->toPlainText().toStdString();
}

void ModelWindowBase::showValue(QLabel* label, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    label->setText(shown);
    label->setAccessibleDescription(shown);
}

void ModelWindowBase::showOption(QButtonGroup* group, int option)
{
    // An exclusive group cannot show "none selected"; it is exclusive again at once.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(group->id(button) == option);
    group->setExclusive(true);
}

void ModelWindowBase::showList(StepList* list, const std::vector<std::string>& entries, int step,
                               const std::string& text)
{
    list->showSteps(entries, step, text);
}

void ModelWindowBase::showBackground(QWidget* widget, Rgb colour)
{
    const QColor c(colour.r, colour.g, colour.b);
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, c);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace ql::gui
