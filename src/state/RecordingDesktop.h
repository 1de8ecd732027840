#pragma once
// A Desktop for tests: records every request as it arrived and answers each with `answer`.

#include <string>
#include <vector>

#include "Desktop.h"

namespace ql {

class RecordingDesktop : public Desktop {
public:
    struct Request {
        bool webAddress = false;
        std::string target;  // the path or address exactly as handed over
        bool mail = false;   // a mailto: address for the mail program
    };

    Status openFile(const std::string& path) override
    {
        requests.push_back(Request{false, path});
        return answer;
    }
    Status openWebAddress(const std::string& address) override
    {
        requests.push_back(Request{true, address});
        return answer;
    }
    Status openMail(const std::string& mailtoAddress) override
    {
        requests.push_back(Request{false, mailtoAddress, true});
        return answer;
    }

    std::vector<Request> requests;
    Status answer;  // success unless a test says otherwise
};

}  // namespace ql
