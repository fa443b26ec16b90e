#include "simulator.h"

#include "text_coding.h"

namespace vellora::sim {
namespace {

constexpr Ms kExpiryCheckMs = 250;

Answer Html(std::string body, int status = 200) {
    Answer a;
    a.status = status;
    a.body = std::move(body);
    return a;
}

void AddDemoAccounts(People& people) {
    struct Profile {
        const char* age;
        const char* place;
        char gender;
        const char* picture;
        bool staff;
        bool refused;
    };
    static constexpr Profile kProfiles[] = {
        {"28", "Berlin", 'f', "portrait01.jpg", false, false},
        {"", "K&ouml;ln", 'm', "", false, false},
        {"41", "Hamburg", 'm', "portrait04.jpg", true, false},
        {"19", "", 'f', "", false, true},
    };
    for (std::size_t i = 0; i < std::size(kDemoAccounts); ++i) {
        Person p;
        p.name = kDemoAccounts[i].name;
        p.password = kDemoAccounts[i].password;
        p.uid = kDemoAccounts[i].uid;
        p.age = kProfiles[i].age;
        p.place = kProfiles[i].place;
        p.gender = kProfiles[i].gender;
        p.picture = kProfiles[i].picture;
        p.staff = kProfiles[i].staff;
        p.refused = kProfiles[i].refused;
        std::string error;
        people.Add(std::move(p), error);
    }
}

}  // namespace

std::string RefusalPage() {
    return "<html>\r\n<head><title>Chat</title></head>\r\n<body>\r\n<p>Ein Login in den Chat ist nicht "
           "m&ouml;glich.</p>\r\n</body>\r\n</html>";
}

std::string DenialPage() { return "<html>\r\n<body>\r\n" + std::string(kDenial) + "\r\n</body>\r\n</html>"; }

std::string_view EndpointOf(const Request& r) {
    const std::string& p = r.path;
    if (p == "/sendrix/club/login.php") return "login";
    if (p == "/sendrix/club/home/index.php") return "home";
    if (StartsWith(p, "/sendrix/club/clubcard/")) return "clubcard";
    if (StartsWith(p, "/sendrix/incl/images/club/avatar/")) return "avatar";
    if (p == "/ac/chat/enter") return "enter";
    if (p == "/ac/chat/participate") return "participate";
    if (p == "/ac/chat/getdata") return "getdata";
    if (p == "/ac/chat/sendmessage") return "sendmessage";
    if (p == "/ac/chat/logout") return "logout";
    return "other";
}

Simulator::Simulator(const SimulatorOptions& options, Ms now)
    : rng_(options.seed),
      club_(people_, rng_, options.clubHost),
      room_(people_, club_),
      members_(people_, room_, options.seed * 2654435761u + 1),
      wire_(options.seed + 7),
      clubHost_(options.clubHost) {
    AddDemoAccounts(people_);
    room_.Settings().hostile = options.hostile;
    room_.Settings().sessionTimeout = options.sessionTimeout;
    room_.Settings().history = options.history;
    members_.SetReplyDelay(options.replyDelay);
    if (options.members > 0) {
        members_.Populate(options.members);
        room_.Settings().listeners = 40 + static_cast<long long>(rng_() % 40);
        members_.SetWanderingListeners(true);
        // A little history, so that the first poll has something to show.
        members_.Step(6, now);
        members_.SetRate(options.rate, now);
    }
}

SendPlan Simulator::HandleMain(const Request& r, Ms now) {
    std::string_view endpoint = EndpointOf(r);
    log_.Add(endpoint, r.raw);
    Fault fault = wire_.TakeFault(endpoint);
    // A redirect or an error status means the request was not served at all.
    bool refused = fault.kind == FaultKind::Redirect || fault.kind == FaultKind::Status;
    Answer answer = refused ? WireControl::Replacement({}, fault, clubHost_) : Dispatch(r, endpoint, fault, now);
    return wire_.Plan(answer, wire_.Framing(endpoint), fault);
}

SendPlan Simulator::HandleControl(const Request& r, Ms now) { return wire_.Plan(Control(r, now), FramingMode::Length, {}); }

SendPlan Simulator::Refuse(const std::string& raw, int status, bool control) {
    if (!control) log_.Add("bad", raw);
    return wire_.Plan(TextAnswer(status, std::to_string(status) + " " + std::string(StatusText(status)) + "\n"),
                      FramingMode::Length, {});
}

void Simulator::LogUnfinished(std::string raw) { log_.Add("partial", std::move(raw)); }

void Simulator::Tick(Ms now) {
    if (now >= nextExpiry_) {
        room_.Expire(now);
        nextExpiry_ = now + kExpiryCheckMs;
    }
    members_.Tick(now);
}

Ms Simulator::NextDue() const { return std::min(nextExpiry_, members_.NextDue()); }

Answer Simulator::Dispatch(const Request& r, std::string_view endpoint, const Fault& fault, Ms now) {
    if (r.method != "GET" && r.method != "POST") return TextAnswer(405, "405 Method Not Allowed\n");
    std::string sid = r.Cookie("JSESSIONID");
    if (endpoint == "login") return r.method == "POST" ? club_.Login(r) : club_.LoginPage();
    if (endpoint == "home") return club_.Home(r);
    if (endpoint == "clubcard") return club_.Profile(r);
    if (endpoint == "avatar") return club_.Avatar(r);
    if (endpoint == "enter") return Enter(r, now);
    if (endpoint == "participate") {
        return Html(room_.Participate(sid, now)
                        ? "<html>\r\n<body>\r\n<script type=\"text/javascript\">top.location.href='/ac/chat/main';</script>\r\n</body>\r\n</html>"
                        : DenialPage());
    }
    if (endpoint == "getdata") {
        auto page = room_.GetData(sid, now, fault.kind == FaultKind::NoOwnUser);
        return Html(page ? std::move(*page) : DenialPage());
    }
    if (endpoint == "sendmessage") return SendMessage(r, now);
    if (endpoint == "logout") {
        room_.Logout(sid, now);
        return Html("<html>\r\n<body>\r\n<p>Auf Wiedersehen!</p>\r\n</body>\r\n</html>");
    }
    if (r.path == "/" || r.path == "/index.html") {
        return Html("<html>\r\n<body>\r\n<h1>SENDRIX TALMOR Club (simulated)</h1>\r\n<p><a "
                    "href=\"/sendrix/club/login.php\">Login</a></p>\r\n</body>\r\n</html>");
    }
    return Html("<html>\r\n<body>\r\n<p>Nicht gefunden.</p>\r\n</body>\r\n</html>", 404);
}

Answer Simulator::Enter(const Request& r, Ms now) {
    FormFields fields = ParseForm(r.query);
    auto uid = ParseInteger(FieldValue(fields, "pUserId").value_or(""));
    const Person* who = club_.SessionUser(FieldValue(fields, "pSessionId").value_or(""));
    std::string sid;
    if (who && uid && *uid == who->uid) sid = room_.Enter(*who, now, rng_);
    // Whatever goes wrong, the chat answers with its one refusal text.
    if (sid.empty()) return Html(RefusalPage());
    Answer a = Html("<html>\r\n<head><title>SENDRIX TALMOR Chat</title></head>\r\n<frameset rows=\"*,0\">\r\n<frame "
                    "src=\"/ac/chat/main\" name=\"main\">\r\n</frameset>\r\n</html>");
    a.headers.push_back("Set-Cookie: JSESSIONID=" + sid + "; Path=/ac");
    return a;
}

Answer Simulator::SendMessage(const Request& r, Ms now) {
    std::string text = FieldValue(ParseForm(r.method == "POST" ? r.body : r.query), "message").value_or("");
    const Person* sender = nullptr;
    switch (room_.Send(r.Cookie("JSESSIONID"), text, now, &sender)) {
    case Room::SendResult::Denied:
        return Html(DenialPage());
    case Room::SendResult::Banned:
        return Html("<html>\r\n<body>\r\n<script type=\"text/javascript\">top.showMessage({" + std::string(kBanText) +
                    " und sind noch eine Weile gesperrt.'}});</script>\r\n</body>\r\n</html>");
    case Room::SendResult::Taken:
        break;
    }
    if (sender) members_.Heard(DisplayName(*sender), text, now);
    return Html("<html>\r\n<body>\r\n<script type=\"text/javascript\">top.messageSent();</script>\r\n</body>\r\n</html>");
}

}  // namespace vellora::sim
