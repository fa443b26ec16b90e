#pragma once
// A test-side reader of the getdata page: the user list, the chat lines and
// the counts, taken apart by the page's fixed separators.

#include <string>
#include <string_view>
#include <vector>

namespace vellora::test {

struct PageUser {
    std::string id, name, src;
};

struct PageLine {
    int type = 0;
    std::string msg, id, name, style;
};

struct GetDataPage {
    bool endsWithHtml = false;
    bool denied = false;
    bool hasCounts = false;
    std::vector<PageUser> users;
    std::vector<PageLine> lines;
    std::string active, passive, total;

    bool HasUser(std::string_view name) const;
    // The messages of the lines, in order.
    std::vector<std::string> Messages() const;
    const PageLine* FindLine(std::string_view msg) const;
};

GetDataPage ReadGetData(std::string_view body);

}  // namespace vellora::test
