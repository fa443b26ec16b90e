#include "support/getdata_reader.h"

namespace vellora::test {
namespace {

// Takes the text from Pos up to Until, moving Pos past Until; false when
// Until does not follow.
bool Take(std::string_view body, std::size_t& pos, std::string_view until, std::string& out) {
    std::size_t end = body.find(until, pos);
    if (end == std::string_view::npos) return false;
    out = std::string(body.substr(pos, end - pos));
    pos = end + until.size();
    return true;
}

bool Expect(std::string_view body, std::size_t& pos, std::string_view what) {
    if (body.substr(pos, what.size()) != what) return false;
    pos += what.size();
    return true;
}

}  // namespace

bool GetDataPage::HasUser(std::string_view name) const {
    for (const auto& u : users) {
        if (u.name == name) return true;
    }
    return false;
}

std::vector<std::string> GetDataPage::Messages() const {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.msg);
    return out;
}

const PageLine* GetDataPage::FindLine(std::string_view msg) const {
    for (const auto& l : lines) {
        if (l.msg == msg) return &l;
    }
    return nullptr;
}

GetDataPage ReadGetData(std::string_view body) {
    GetDataPage page;
    page.endsWithHtml = body.size() >= 7 && body.substr(body.size() - 7) == "</html>";
    page.denied = body.find("Denied, please login.") != std::string_view::npos;

    std::size_t pos = body.find("top.showUser({'user':[");
    if (pos != std::string_view::npos) {
        pos += 22;
        while (Expect(body, pos, "{'id':'")) {
            PageUser u;
            if (!Take(body, pos, "','name':'", u.id) || !Take(body, pos, "','src':'", u.name) ||
                !Take(body, pos, "'}", u.src)) {
                break;
            }
            page.users.push_back(u);
            if (!Expect(body, pos, ",")) break;
        }
    }

    pos = body.find("var chats={'chats':[");
    if (pos != std::string_view::npos) {
        pos += 20;
        while (Expect(body, pos, "{'mtype':'")) {
            PageLine l;
            std::string type;
            if (!Take(body, pos, "','msg':'", type) || !Take(body, pos, "','id':'", l.msg) ||
                !Take(body, pos, "','name':'", l.id) || !Take(body, pos, "','nameStyle':'", l.name) ||
                !Take(body, pos, "'}", l.style)) {
                break;
            }
            l.type = type.size() == 1 && type[0] >= '0' && type[0] <= '9' ? type[0] - '0' : -1;
            page.lines.push_back(l);
            if (!Expect(body, pos, ",")) break;
        }
    }

    pos = body.find("top.setUserCounts({'count':{'active':'");
    if (pos != std::string_view::npos) {
        pos += 38;
        page.hasCounts = Take(body, pos, "', 'passive':'", page.active) && Take(body, pos, "', 'total':'", page.passive) &&
                         Take(body, pos, "'", page.total);
    }
    return page;
}

}  // namespace vellora::test
