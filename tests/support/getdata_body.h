#pragma once
// Builds getdata bodies the way the chat server writes them.

#include <string>

namespace vellora::test {

class Body {
public:
    Body& User(const std::string& name, const std::string& src = "", const std::string& id = "1") {
        users_ += (users_.empty() ? "" : ",") + ("{'id':'" + id + "','name':'" + name + "','src':'" + src + "'}");
        hasUsers_ = true;
        return *this;
    }
    Body& EmptyUserList() {
        hasUsers_ = true;
        return *this;
    }
    Body& Line(int type, const std::string& name, const std::string& msg) {
        chats_ += (chats_.empty() ? "" : ",") + ("{'mtype':'" + std::to_string(type) + "','msg':'" + msg +
                                                 "','id':'5','name':'" + name + "','nameStyle':'n'}");
        return *this;
    }
    Body& Counts(const std::string& active, const std::string& passive) {
        counts_ = "top.setUserCounts({'count':{'active':'" + active + "', 'passive':'" + passive +
                  "', 'total':'9'}});\n";
        return *this;
    }
    Body& Text(const std::string& text) {
        extra_ += text;
        return *this;
    }
    std::string Incomplete() const { return Page(); }
    std::string Complete() const { return Page() + "</html>"; }

private:
    std::string Page() const {
        std::string page = "<html><head><script>\n" + extra_;
        if (hasUsers_) page += "top.showUser({'user':[" + users_ + "]});\n";
        if (!chats_.empty()) page += "var chats={'chats':[" + chats_ + "]};\n";
        page += counts_;
        return page + "</script></head><body></body>";
    }
    std::string users_, chats_, counts_, extra_;
    bool hasUsers_ = false;
};

}  // namespace vellora::test
