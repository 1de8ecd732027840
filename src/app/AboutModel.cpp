#include "AboutModel.h"

#include <algorithm>

namespace ql {

namespace {

char folded(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool beforeIgnoringCase(const ModelRow& a, const ModelRow& b)
{
    return std::lexicographical_compare(a.scope.begin(), a.scope.end(), b.scope.begin(),
                                        b.scope.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

}  // namespace

void AboutModel::opened()
{
    Result<std::vector<ModelRow>> listed = table_.listModels();
    if (listed) {
        models_ = std::move(listed.value());
    } else {
        models_.clear();
        host_.report(listed.failure());
    }
    // The table sorts with upper case before lower case; the list ignores case, and models
    // whose names differ only in case keep the table's order.
    std::stable_sort(models_.begin(), models_.end(), beforeIgnoringCase);
    chosen_ = models_.empty() ? -1 : 0;
}

AboutView AboutModel::view() const
{
    AboutView v;
    v.models = models_;
    v.chosen = chosen_;
    if (chosen_ >= 0) v.note = models_[static_cast<std::size_t>(chosen_)].memo;
    return v;
}

void AboutModel::rowChosen(int row)
{
    if (row >= 0 && row < static_cast<int>(models_.size())) chosen_ = row;
}

Followup AboutModel::ok() const
{
    Followup close;
    close.closeWindow = true;
    return close;
}

void AboutModel::homePageClicked()
{
    const Status opened = desktop_.openWebAddress(kSupportContact.homePage);
    if (!opened) host_.report(opened.failure());
}

}  // namespace ql
