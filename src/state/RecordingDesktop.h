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

    std::vector<Request> requests;
    Status answer;  // success unless a test says otherwise
};

}  // namespace ql
