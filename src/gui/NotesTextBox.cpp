#include "NotesTextBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace ql::gui {

namespace {

// The text a key puts into the box, or nothing for a key that edits or moves otherwise.
QString insertedBy(const QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return QStringLiteral("\n");
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return {};
    const QString text = event->text();
    if (text.isEmpty()) return {};
    for (const QChar c : text)
        if (!c.isPrint() && c != QLatin1Char('\t')) return {};
    return text;
}

}  // namespace

NotesTextBox::NotesTextBox(Fit fit, QWidget* parent) : QPlainTextEdit(parent), fit_(std::move(fit))
{
}

QString NotesTextBox::fitting(const QString& text) const
{
    const QTextCursor cursor = textCursor();
    const QString all = toPlainText();
    const std::string before = all.left(cursor.selectionStart()).toStdString();
    const std::string after = all.mid(cursor.selectionEnd()).toStdString();
    return QString::fromStdString(fit_(before, text.toStdString(), after));
}

void NotesTextBox::keyPressEvent(QKeyEvent* event)
{
    const QString inserted = insertedBy(event);
    if (inserted.isEmpty() || isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString kept = fitting(inserted);
    if (kept == inserted) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Nothing of it fits: the key is dropped.
    if (!kept.isEmpty()) textCursor().insertText(kept);
    event->accept();
}

void NotesTextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly()) return;
    const QString kept = fitting(source->text());
    if (kept.isEmpty()) return;
    QTextCursor cursor = textCursor();
    cursor.insertText(kept);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void NotesTextBox::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString kept = fitting(commit);
    if (kept == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
}

}  // namespace ql::gui
