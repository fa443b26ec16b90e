#include "club.h"

#include "avatars.h"
#include "text_coding.h"

namespace vellora::sim {
namespace {

constexpr std::string_view kAvatarPath = "/sendrix/incl/images/club/avatar/";

std::string Page(std::string_view title, std::string_view content) {
    return "<html>\r\n<head><title>" + std::string(title) +
           "</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"></head>\r\n<body>\r\n" +
           std::string(content) + "\r\n</body>\r\n</html>";
}

Answer HtmlAnswer(int status, std::string body) {
    Answer a;
    a.status = status;
    a.body = std::move(body);
    return a;
}

// The login form sends name and password as typed, without percent-encoding,
// so "&" and "=" may stand inside them: take the fields by their fixed
// frame "login_username=" N "&login_password=" P "&login=login". A browser
// would encode them, so the decoded reading is tried as well.
bool SplitLoginForm(std::string_view body, std::string& name, std::string& password) {
    constexpr std::string_view kUser = "login_username=";
    constexpr std::string_view kPass = "&login_password=";
    constexpr std::string_view kEnd = "&login=login";
    if (!StartsWith(body, kUser)) return false;
    std::string_view rest = body.substr(kUser.size());
    if (rest.size() >= kEnd.size() && rest.substr(rest.size() - kEnd.size()) == kEnd) {
        rest.remove_suffix(kEnd.size());
    }
    std::size_t split = rest.find(kPass);
    if (split == std::string_view::npos) return false;
    name = std::string(rest.substr(0, split));
    password = std::string(rest.substr(split + kPass.size()));
    return true;
}

}  // namespace

std::string RandomToken(std::mt19937& rng, std::size_t length, bool hexUpper) {
    static const char kLowerAlnum[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static const char kHex[] = "0123456789ABCDEF";
    std::string token;
    for (std::size_t i = 0; i < length; ++i) {
        token += hexUpper ? kHex[rng() % 16] : kLowerAlnum[rng() % 36];
    }
    return token;
}

std::string Club::NewSession(long long uid) {
    std::string id;
    do {
        id = RandomToken(rng_, 26, false);
    } while (sessions_.count(id));
    if (sessionOrder_.size() >= kMaxWebSessions) {
        sessions_.erase(sessionOrder_.front());
        sessionOrder_.pop_front();
    }
    sessions_[id] = uid;
    sessionOrder_.push_back(id);
    return id;
}

const Person* Club::SessionUser(std::string_view sessionId) const {
    auto it = sessions_.find(sessionId);
    if (it == sessions_.end() || it->second == 0) return nullptr;
    return people_.ByUid(it->second);
}

std::string Club::AvatarUrl(const Person& p) const {
    return "http://" + host_ + std::string(kAvatarPath) + "s/" + AvatarFile(p);
}

Answer Club::Login(const Request& r) {
    std::string name, password;
    const Person* who = nullptr;
    if (SplitLoginForm(r.body, name, password)) {
        who = people_.ByName(name);
        bool matches = who && !who->password.empty() && who->password == password;
        if (!matches) {
            // A browser encodes its form fields.
            auto fields = ParseForm(r.body);
            auto n = FieldValue(fields, "login_username");
            auto pw = FieldValue(fields, "login_password");
            who = n ? people_.ByName(*n) : nullptr;
            matches = who && pw && !who->password.empty() && who->password == *pw;
        }
        if (!matches) who = nullptr;
    }
    // Like a PHP site, every answer starts a session; only a good login
    // makes it a logged-in one.
    std::string sid = NewSession(who ? who->uid : 0);
    Answer a;
    a.headers.push_back("Set-Cookie: PHPSESSID=" + sid + "; path=/");
    a.headers.push_back("Expires: Thu, 19 Nov 1981 08:52:00 GMT");
    if (who) {
        a.status = 302;
        a.headers.push_back("Location: /sendrix/club/home/index.php");
        a.body = Page("Login", "<p>Willkommen zur&uuml;ck, " + HtmlEscape(who->name) +
                                   "! Weiter zur <a href=\"/sendrix/club/home/index.php\">Startseite</a>.</p>");
    } else {
        a.body = Page("Login", "<p class=\"error\">Benutzername oder Passwort falsch.</p>\r\n" + LoginPage().body);
    }
    return a;
}

Answer Club::LoginPage() const {
    return HtmlAnswer(200, Page("SENDRIX TALMOR Club - Login",
                                "<div id=\"loginContent\"><form method=\"post\" action=\"/sendrix/club/login.php\">\r\n"
                                "<input type=\"text\" name=\"login_username\"> <input type=\"password\" "
                                "name=\"login_password\"> <input type=\"submit\" name=\"login\" value=\"login\">\r\n"
                                "</form></div>"));
}

Answer Club::Home(const Request& r) const {
    const Person* who = SessionUser(r.Cookie("PHPSESSID"));
    if (!who) return LoginPage();
    std::string q(1, logoutQuote_);
    std::string content = "<div id=" + q + "navigation" + q + "><a href=" + q + "/sendrix/club/home/index.php" + q +
                          ">Start</a> | <a href=" + q + "/sendrix/club/chat/index.php" + q + ">Chat</a></div>\r\n" +
                          "<div id=" + q + "logoutContent" + q + ">Eingeloggt als <b>" + HtmlEscape(who->name) +
                          "</b><br>\r\n<a href=" + q + "/sendrix/club/clubcard/" + std::to_string(who->uid) + q +
                          ">Meine Clubcard</a> | <a href=" + q + "/sendrix/club/logout.php" + q +
                          ">Logout</a></div>\r\n<div id=" + q + "content" + q +
                          "><h1>Willkommen im Club!</h1><p>Heute im Chat: Wunschsendung ab 20 Uhr.</p></div>";
    return HtmlAnswer(200, Page("SENDRIX TALMOR Club", content));
}

Answer Club::Profile(const Request& r) const {
    const Person* who = nullptr;
    if (auto uid = FieldValue(ParseForm(r.query), "uid")) {
        if (auto n = ParseInteger(*uid)) who = people_.ByUid(*n);
    } else if (StartsWith(r.path, "/sendrix/club/clubcard/")) {
        if (auto n = ParseInteger(r.path.substr(23))) who = people_.ByUid(*n);
    }
    if (!who) return HtmlAnswer(404, Page("Clubcard", "<p>Dieses Mitglied gibt es nicht.</p>"));
    std::string content = "<table class='clubcard'>\r\n<tr><td class='left'>Name:</td><td>" + HtmlEscape(who->name) +
                          "</td></tr>\r\n<tr><td class='left'>Alter:</td><td>" + who->age + "</td></tr>\r\n";
    if (!who->place.empty()) {
        content += "<tr><td>Ort:</td><td>" + who->place + "&nbsp;&nbsp;(<img src='http://" + host_ +
                   "/sendrix/incl/images/flags/de.gif' alt='DE'>)</td></tr>\r\n";
    }
    content += "</table>\r\n<img src='" + AvatarUrl(*who) + "' alt='avatar'>";
    return HtmlAnswer(200, Page("Clubcard von " + HtmlEscape(who->name), content));
}

Answer Club::Avatar(const Request& r) const {
    std::string_view path = r.path;
    path.remove_prefix(kAvatarPath.size());
    std::optional<std::string_view> bytes;
    if (StartsWith(path, "s/") || StartsWith(path, "l/")) bytes = AvatarBytes(path.substr(2));
    if (!bytes) return HtmlAnswer(404, Page("404", "<p>Bild nicht gefunden.</p>"));
    Answer a;
    a.contentType = "image/jpeg";
    a.body = std::string(*bytes);
    return a;
}

}  // namespace vellora::sim
