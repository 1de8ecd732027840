#pragma once
// The rules of the limit-definition editor on the harmonics window's "Settings" tab: the list
// of definitions and the one in use (HarmLimitName), New, Delete and Store, the multiplier and
// memo boxes, the rows grid and the order and limit boxes with their Enter keys. Everything
// goes through LimitStore; a refused entry changes nothing in the database and says why.
//
// The handlers return true when they changed the definitions or chose another one; what follows
// is then judgedAgain(): the harmonics window runs the analysis again, so its table shows the
// verdicts of the definition as it is now.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LimitStore.h"
#include "state/Host.h"
#include "state/NumberFormat.h"
#include "state/ProgramState.h"
#include "state/WindowModel.h"

namespace ql {

// An input box: the answer as typed, or nullopt for Cancel.
class InputPrompt {
public:
    virtual ~InputPrompt() = default;
    virtual std::optional<std::string> askText(std::string_view prompt, std::string_view title,
                                               std::string_view defaultText) = 0;
};

// The longest name New takes.
inline constexpr std::size_t kLimitNameLength = 70;

// Where the focus goes after a handler.
enum class LimitEditorFocus { Unchanged, OrderBox, LimitBox, StoreButton };

// The columns of the rows grid, in its order; the name is read-only.
enum class LimitColumn { Name = 0, Order = 1, Limit = 2, Memo = 3 };
inline constexpr int kLimitColumnCount = 4;

struct LimitRowView {
    std::string name, order, limit, memo;
};

struct LimitEditorView {
    std::vector<std::string> names;  // the list, in order ignoring case
    std::string listText;            // the name the list shows
    bool hasDefinition = false;      // a definition is current (its boxes are editable)
    std::string multiplierText;
    bool relative = false;
    std::string memo;
    std::vector<LimitRowView> rows;
    int currentRow = -1;  // the grid's current row, -1 when it has none
    std::string orderText = "1";
    std::string limitText = "0";
};

// What a handler's answer asks of the program: a refresh of the harmonics window, which judges
// its table again, when the definitions changed or another one was chosen.
Followup judgedAgain(bool changed);

class LimitEditorController {
public:
    LimitEditorController(ProgramState& state, Host& host, LimitStore& store, InputPrompt& prompt,
                          char decimalSign = systemDecimalSign());

    LimitEditorView view() const;
    // The focus the last handler asks for, once.
    LimitEditorFocus takeFocus();

    // The window opens: a database that cannot be read says so here, once; the views stay empty.
    void opened();
    // Every activation of the window: the definition named by HarmLimitName becomes current
    // again, when there is one of that name.
    bool activated();
    // A name chosen in the list (Enter, or a choice with the mouse).
    bool selected(std::string_view listText);
    // "New": name (1 to 70 characters, not one that exists), multiplier (1 to 5) and "relative?";
    // Cancel at any question ends it without a change.
    bool newDefinition();
    // "Delete", after the question: the current definition with all its rows.
    bool deleteDefinition();
    // "<<< Store <<<": the limit box's value as the limit of the order box's harmonic.
    bool store();

    // The order and limit boxes as typed; Enter in the order box moves to the limit box, Enter
    // there to Store.
    void orderEdited(std::string_view text) { orderText_ = text; }
    void limitEdited(std::string_view text) { limitText_ = text; }
    void orderEntered() { focus_ = LimitEditorFocus::LimitBox; }
    void limitEntered() { focus_ = LimitEditorFocus::StoreButton; }

    // The multiplier and memo boxes, when left: a multiplier outside 1 to 5 is put back.
    bool multiplierEntered(std::string_view text);
    bool memoEntered(std::string_view text);
    // A cell of the grid edited (the order, limit and memo columns): a refused value is put
    // back with a message.
    bool cellEdited(int row, LimitColumn column, std::string_view text);
    // A row of the grid deleted; a grid row chosen.
    bool rowDeleted(int row);
    void rowChosen(int row);

private:
    void reloadNames();
    void choose(std::optional<LimitHead> head);
    void requeryRows();
    void useName(std::string_view name);
    // True when the status is a success; otherwise it is reported and the views read again.
    bool succeeded(const Status& status);
    void refuse(std::string_view text, std::string_view title);
    std::optional<double> number(std::string_view text) const;
    int rowOfOrder(int order) const;

    ProgramState& s_;
    Host& host_;
    LimitStore& store_;
    InputPrompt& prompt_;
    char decimalSign_;

    std::vector<std::string> names_;
    std::string listText_;
    std::optional<LimitHead> current_;
    std::vector<LimitRow> rows_;
    int currentRow_ = -1;
    std::string orderText_ = "1";
    std::string limitText_ = "0";
    LimitEditorFocus focus_ = LimitEditorFocus::Unchanged;
};

static_assert(WindowModel<LimitEditorController>);

}  // namespace ql
