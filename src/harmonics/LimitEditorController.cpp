#include "LimitEditorController.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "HarmonicTexts.h"
#include "state/Numeric.h"
#include "state/Text.h"

namespace ql {

namespace {

constexpr std::string_view kTitle = "Limitdefinition";
// The title of the messages that have none of their own.
constexpr std::string_view kProgramTitle = "QL240";

// The prompts say 70 characters, the longest name New takes.
constexpr std::string_view kNamePrompt = "Input name of the limitdefinition\n(Max 70 characters)";
constexpr std::string_view kMultiplierPrompt = "Input multiplier for Max-Limits\n(1 - 5)";
constexpr std::string_view kRelativeQuestion = "Is this a relativ definition (Limit in %) ?";

constexpr double kMinMultiplier = 1.0;
constexpr double kMaxMultiplier = 5.0;
constexpr double kMaxRelativeLimit = 100.0;

// A name as the program keeps it: trimmed, every character one Windows-1252 character (one
// outside it becomes "?"), so the list, HarmLimitName and the database spell it alike.
std::string keptName(std::string_view typed)
{
    return trim(cp1252ToUtf8(utf8ToCp1252(typed)));
}

// A harmonic order: the number rounded to the nearest, halves to even, in 16 bits.
std::optional<int> orderOf(std::optional<double> value)
{
    if (!value) return std::nullopt;
    const double rounded = roundHalfEven(*value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<int>(rounded);
}

// A limit as the database holds it: single precision, finite.
std::optional<float> limitOf(std::optional<double> value)
{
    if (!value) return std::nullopt;
    const auto single = static_cast<float>(*value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

}  // namespace

Followup judgedAgain(bool changed)
{
    Followup followup;
    if (changed) followup.refresh.push_back(ToolWindow::HarmonicsWindow);
    return followup;
}

LimitEditorController::LimitEditorController(ProgramState& state, Host& host, LimitStore& store,
                                             InputPrompt& prompt, char decimalSign)
    : s_(state), host_(host), store_(store), prompt_(prompt), decimalSign_(decimalSign)
{
}

LimitEditorView LimitEditorController::view() const
{
    LimitEditorView v;
    v.names = names_;
    v.listText = listText_;
    v.hasDefinition = current_.has_value();
    if (current_) {
        v.multiplierText = boxNumberText(static_cast<float>(current_->multiplier), decimalSign_);
        v.relative = current_->relative;
        v.memo = current_->memo;
    }
    for (const LimitRow& r : rows_)
        v.rows.push_back(LimitRowView{r.name, std::to_string(r.order),
                                      boxNumberText(r.limit, decimalSign_), r.memo});
    v.currentRow = currentRow_;
    v.orderText = orderText_;
    v.limitText = limitText_;
    return v;
}

LimitEditorFocus LimitEditorController::takeFocus()
{
    const LimitEditorFocus f = focus_;
    focus_ = LimitEditorFocus::Unchanged;
    return f;
}

std::optional<double> LimitEditorController::number(std::string_view text) const
{
    return numberInText(text, decimalSign_);
}

void LimitEditorController::reloadNames()
{
    Result<std::vector<std::string>> all = store_.names();
    names_ = all ? std::move(all.value()) : std::vector<std::string>{};
}

void LimitEditorController::choose(std::optional<LimitHead> head)
{
    current_ = std::move(head);
    requeryRows();
}

void LimitEditorController::requeryRows()
{
    rows_.clear();
    if (current_) {
        Result<std::vector<LimitRow>> all = store_.rows(current_->name);
        if (all) rows_ = std::move(all.value());
    }
    currentRow_ = rows_.empty() ? -1 : 0;
}

void LimitEditorController::useName(std::string_view name)
{
    s_.harm.harmLimitName.assign(trim(name));
}

bool LimitEditorController::succeeded(const Status& status)
{
    if (status) return true;
    host_.report(status.failure());
    // The views show what the database holds after the rollback.
    reloadNames();
    if (current_) {
        Result<std::optional<LimitHead>> again = store_.head(current_->name);
        current_ = again ? again.value() : std::nullopt;
    }
    requeryRows();
    return false;
}

void LimitEditorController::refuse(std::string_view text, std::string_view title)
{
    host_.showMessage(text, title, MessageIcon::Information);
}

int LimitEditorController::rowOfOrder(int order) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].order == order) return static_cast<int>(i);
    return -1;
}

void LimitEditorController::opened()
{
    if (Status s = store_.open(); !s) host_.report(s.failure());
}

bool LimitEditorController::activated()
{
    reloadNames();
    listText_ = s_.harm.harmLimitName.trimmed();
    Result<std::optional<LimitHead>> found = store_.head(listText_);
    useName(listText_);
    std::optional<LimitHead> head = found ? found.value() : std::nullopt;
    if (head) listText_ = head->name;
    choose(std::move(head));
    return true;
}

bool LimitEditorController::selected(std::string_view listText)
{
    const std::string name = trim(listText);
    Result<std::optional<LimitHead>> found = store_.head(name);
    useName(name);
    listText_ = name;
    choose(found ? found.value() : std::nullopt);
    return true;
}

bool LimitEditorController::newDefinition()
{
    std::string name;
    for (;;) {
        const std::optional<std::string> answer = prompt_.askText(kNamePrompt, kTitle, "");
        if (!answer) return false;
        name = keptName(*answer);
        if (name.empty()) return false;
        if (characterCount(name) > kLimitNameLength) continue;
        Result<std::optional<LimitHead>> existing = store_.head(name);
        if (existing && existing.value()) {
            refuse("A limit definition named \"" + existing.value()->name +
                       "\" exists already. Please choose another name.",
                   kTitle);
            continue;
        }
        break;
    }
    double multiplier = 0.0;
    for (;;) {
        const std::optional<std::string> answer = prompt_.askText(kMultiplierPrompt, kTitle, "1");
        if (!answer) return false;
        const std::optional<double> value = number(*answer);
        if (value && *value >= kMinMultiplier && *value <= kMaxMultiplier) {
            multiplier = *value;
            break;
        }
    }
    const bool relative = host_.askYesNo(kRelativeQuestion, kTitle);
    if (!succeeded(store_.insertHead(LimitHead{name, relative, multiplier, ""}))) return false;
    reloadNames();
    Result<std::optional<LimitHead>> made = store_.head(name);
    choose(made ? made.value() : std::nullopt);
    listText_ = current_ ? current_->name : name;
    useName(listText_);
    return true;
}

bool LimitEditorController::deleteDefinition()
{
    if (!host_.askYesNo("Are you sure to delete " + listText_ + "?", kTitle)) return false;
    if (current_) {
        const Result<bool> removed = store_.deleteDefinition(current_->name);
        if (!removed) {
            succeeded(removed.status());
            return false;
        }
    }
    reloadNames();
    // The first definition in name order becomes current; with none left the list keeps the
    // deleted name and the grid comes up empty.
    std::optional<LimitHead> first;
    if (!names_.empty()) {
        Result<std::optional<LimitHead>> head = store_.head(names_.front());
        if (head) first = head.value();
    }
    if (first) {
        listText_ = first->name;
        useName(listText_);
    }
    choose(std::move(first));
    return true;
}

bool LimitEditorController::store()
{
    focus_ = LimitEditorFocus::LimitBox;
    if (!current_) {
        refuse(
            "Choose a limit definition in the list, or make one with \"New\", before storing "
            "a limit.",
            kTitle);
        return false;
    }
    const std::optional<double> value = number(limitText_);
    if (value && current_->relative && *value > kMaxRelativeLimit) {
        refuse("Max Limit = 100%", kProgramTitle);
        limitText_ = "100";
        return false;
    }
    const std::optional<float> limit = limitOf(value);
    if (!limit) {
        refuse("The harmonic limit must be a number.", kTitle);
        return false;
    }
    const std::optional<int> order = orderOf(number(orderText_));
    if (!order) {
        refuse("The harmonic order must be a whole number from -32768 to 32767.", kTitle);
        focus_ = LimitEditorFocus::OrderBox;
        return false;
    }
    if (const int existing = rowOfOrder(*order); existing >= 0) {
        refuse("Value exist", kProgramTitle);
        currentRow_ = existing;
        return false;
    }
    const std::string memo =
        current_->relative && *value < 0 ? std::string(kPowerFactorMemo) : std::string();
    if (!succeeded(store_.insertRow(LimitRow{current_->name, *order, *limit, memo}))) return false;
    requeryRows();
    currentRow_ = rowOfOrder(*order);
    orderText_ = std::to_string(*order + 1);
    return true;
}

bool LimitEditorController::multiplierEntered(std::string_view text)
{
    if (!current_) return false;
    const std::optional<double> value = number(text);
    if (!value || *value < kMinMultiplier || *value > kMaxMultiplier) {
        refuse("The multiplier must be a number from 1 to 5.", kTitle);
        return false;
    }
    if (*value == current_->multiplier) return false;
    if (!succeeded(store_.updateHead(current_->name, *value, current_->memo))) return false;
    current_->multiplier = *value;
    return true;
}

bool LimitEditorController::memoEntered(std::string_view text)
{
    if (!current_ || text == current_->memo) return false;
    if (!succeeded(store_.updateHead(current_->name, current_->multiplier, text))) return false;
    current_->memo = text;
    return true;
}

bool LimitEditorController::cellEdited(int row, LimitColumn column, std::string_view text)
{
    if (!current_ || row < 0 || row >= static_cast<int>(rows_.size())) return false;
    const LimitRow before = rows_[static_cast<std::size_t>(row)];
    LimitRow now = before;
    switch (column) {
        case LimitColumn::Name: return false;
        case LimitColumn::Order: {
            const std::optional<int> order = orderOf(number(text));
            if (!order) {
                refuse("The harmonic order must be a whole number from -32768 to 32767.", kTitle);
                return false;
            }
            if (*order != before.order && rowOfOrder(*order) >= 0) {
                refuse("Value exist", kProgramTitle);
                return false;
            }
            now.order = *order;
            break;
        }
        case LimitColumn::Limit: {
            const std::optional<double> value = number(text);
            const std::optional<float> limit = limitOf(value);
            if (!limit) {
                refuse("The harmonic limit must be a number.", kTitle);
                return false;
            }
            if (current_->relative && *value > kMaxRelativeLimit) {
                refuse("Max Limit = 100%", kProgramTitle);
                return false;
            }
            now.limit = *limit;
            break;
        }
        case LimitColumn::Memo: now.memo = text; break;
    }
    if (now.order == before.order && now.limit == before.limit && now.memo == before.memo)
        return false;
    if (!succeeded(store_.updateRow(current_->name, before.order, now))) return false;
    requeryRows();
    currentRow_ = rowOfOrder(now.order);
    return true;
}

bool LimitEditorController::rowDeleted(int row)
{
    if (!current_ || row < 0 || row >= static_cast<int>(rows_.size())) return false;
    const int order = rows_[static_cast<std::size_t>(row)].order;
    if (!succeeded(store_.deleteRow(current_->name, order))) return false;
    requeryRows();
    currentRow_ = rows_.empty() ? -1 : std::min(row, static_cast<int>(rows_.size()) - 1);
    return true;
}

void LimitEditorController::rowChosen(int row)
{
    if (row >= -1 && row < static_cast<int>(rows_.size())) currentRow_ = row;
}

}  // namespace ql
