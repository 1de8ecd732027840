#include "UserDetailsModel.h"

#include "state/Text.h"

namespace ql {

namespace {

using Field = FixedText<kUserFieldLength> UserContact::*;

struct FieldRow {
    const char* label;
    Field field;
};

// In the order of the parameter file and of the support page's contact lines.
constexpr std::array<FieldRow, kUserFieldCount> kFields{{
    {"Company", &UserContact::userCompany},
    {"First name", &UserContact::userFirstName},
    {"Last name", &UserContact::userLastName},
    {"Street", &UserContact::userStreet},
    {"House number", &UserContact::userHouseNumber},
    {"Postal code", &UserContact::userPostalCode},
    {"City", &UserContact::userCity},
    {"Country", &UserContact::userCountry},
    {"VAT number", &UserContact::userVatId},
    {"Phone", &UserContact::userPhone},
    {"Fax", &UserContact::userFax},
    {"E-mail", &UserContact::userEmail},
}};

Followup closing()
{
    Followup close;
    close.closeWindow = true;
    return close;
}

}  // namespace

void UserDetailsModel::opened()
{
    for (std::size_t i = 0; i < kFields.size(); ++i)
        entries_[i] = (s_.user.*kFields[i].field).trimmed();
}

UserDetailsView UserDetailsModel::view() const
{
    UserDetailsView v;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        v.fields[i] = UserDetailsView::Field{kFields[i].label, entries_[i]};
    return v;
}

Followup UserDetailsModel::fieldEdited(int index, std::string text)
{
    if (index >= 0 && index < kUserFieldCount)
        entries_[static_cast<std::size_t>(index)] = std::move(text);
    return {};
}

Followup UserDetailsModel::ok()
{
    for (std::size_t i = 0; i < kFields.size(); ++i)
        (s_.user.*kFields[i].field).assign(trim(entries_[i]));
    return closing();
}

Followup UserDetailsModel::cancel() const
{
    return closing();
}

}  // namespace ql
