#pragma once
// The rules of the "About/Support" window: the product's name and notice line, every model of
// the model table with its note (also models the program cannot use), the note of the chosen
// model, and the maker's support contact with the home page, which opens in the user's web
// browser. The window writes nothing.
//
// The models are read each time the window opens and listed by name ignoring case. A model
// table that cannot be read gives one message and an empty list; the window opens all the same.

#include <string>
#include <vector>

#include "AppController.h"
#include "link/ModelTable.h"
#include "state/Desktop.h"
#include "state/WindowModel.h"

namespace ql {

inline constexpr const char* kAboutCaption = "About/Support";
inline constexpr const char* kProductName = "QL240";

struct AboutView {
    std::string notice = kNoticeLine;
    std::vector<ModelRow> models;
    int chosen = -1;   // the row whose note shows; -1 with no models
    std::string note;  // the note of that row
    SupportContact contact = kSupportContact;
};

class AboutModel {
public:
    AboutModel(const ModelTable& table, Host& host, Desktop& desktop)
        : table_(table), host_(host), desktop_(desktop)
    {
    }

    // The window opens: the models are read afresh and the first one is chosen.
    void opened();
    AboutView view() const;

    // Another row of the list; a row the list does not have changes nothing.
    void rowChosen(int row);
    // The home page address: handed to the desktop; what kept it from opening is said once.
    void homePageClicked();
    // "OK".
    Followup ok() const;

private:
    const ModelTable& table_;
    Host& host_;
    Desktop& desktop_;
    std::vector<ModelRow> models_;
    int chosen_ = -1;
};

static_assert(WindowModel<AboutModel>);

}  // namespace ql
