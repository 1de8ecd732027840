#pragma once
// The files printouts become where there is no printer: one PDF per printout in the user's
// files folder (AppPaths::userFilesDir), named after what was printed and when.

#include <string>
#include <string_view>

#include "Clock.h"
#include "Status.h"

namespace ql {

// "<kind>-YYYYMMDD-HHMMSS.pdf", with "-<number>" before the extension from number 2 on.
std::string printoutFileName(std::string_view kind, const DateTime& when, int number = 1);

// Makes the folder on first use and claims the first free name for a printout of `kind` made
// at `when` by creating the file empty ("-2", "-3", ... when the name is taken), so that two
// printouts of one second never share a file. A folder that cannot be made or written to is
// a failure that names it.
Result<std::string> claimPrintoutFile(const std::string& folder, std::string_view kind,
                                      const DateTime& when);

}  // namespace ql
