#pragma once
// The rules of the "User details" dialog, opened from the notes window: the twelve fields of
// the user's contact details that the support page and the support e-mail carry, 80
// characters each. The dialog opens with the stored values trimmed; "OK" keeps each entry
// trimmed (longer than 80 characters, its end is cut), "Cancel" drops the entries. The
// parameter file keeps the details for the next start.

#include <array>
#include <string>

#include "state/ProgramState.h"
#include "state/WindowModel.h"

namespace ql {

inline constexpr const char* kUserDetailsCaption = "User details";
inline constexpr int kUserFieldCount = 12;
inline constexpr int kUserFieldLength = 80;

struct UserDetailsView {
    struct Field {
        std::string label;  // "Company", "First name", ...
        std::string text;
    };
    std::array<Field, kUserFieldCount> fields;
};

class UserDetailsModel {
public:
    explicit UserDetailsModel(ProgramState& state) : s_(state) {}

    // The dialog opens with the stored details.
    void opened();
    UserDetailsView view() const;

    // Field `index` (0..11, in the order of the view) now reads `text`; another index changes
    // nothing.
    Followup fieldEdited(int index, std::string text);
    Followup ok();
    Followup cancel() const;

private:
    ProgramState& s_;
    std::array<std::string, kUserFieldCount> entries_;
};

}  // namespace ql
