#pragma once
// The text box of the notes window: a plain multi-line box whose every insertion (a typed
// character, Enter, a paste, a drop, an input method's text) first asks `Fit` how much of it
// the text can take, and takes only that; a key whose text does not fit at all does nothing.
// Deleting goes through unchanged.

#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <string_view>

namespace ql::gui {

class NotesTextBox : public QPlainTextEdit {
public:
    // The part of `inserted` the box may take between `before` and `after` (UTF-8).
    using Fit = std::function<std::string(std::string_view before, std::string_view inserted,
                                          std::string_view after)>;

    NotesTextBox(Fit fit, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // What of `text` fits in place of the current selection.
    QString fitting(const QString& text) const;

    Fit fit_;
};

}  // namespace ql::gui
