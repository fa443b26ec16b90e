// The control interface: plain HTTP on its own port, one command per path,
// parameters in the query or a form body, answers as plain text that starts
// with "ok" or "error". server/README.md lists every command.

#include <sstream>

#include "avatars.h"
#include "simulator.h"
#include "text_coding.h"

namespace vellora::sim {
namespace {

class Params {
public:
    explicit Params(const Request& r) : fields_(r.Fields()) {}
    std::optional<std::string> Get(std::string_view key) const { return FieldValue(fields_, key); }
    std::string Str(std::string_view key, std::string fallback = {}) const { return Get(key).value_or(fallback); }
    bool Flag(std::string_view key) const {
        auto v = Get(key);
        return v && (*v == "1" || *v == "true" || *v == "yes");
    }
    // Absent gives Fallback; present but not a number gives nothing.
    std::optional<long long> Int(std::string_view key, long long fallback) const {
        auto v = Get(key);
        return v ? ParseInteger(*v) : std::optional<long long>(fallback);
    }

private:
    FormFields fields_;
};

Answer Ok(std::string more = {}) { return TextAnswer(200, "ok\n" + more); }
Answer Error(std::string_view why) { return TextAnswer(400, "error: " + std::string(why) + "\n"); }

// Chat text from the control interface: UTF-8 by default (what a terminal
// types), or the chat's own bytes with bytes=1, or inserted unescaped with
// raw=1 (which may break the page: meant for tests of the reader).
std::string ChatText(const Params& p, const std::string& text, bool hostile) {
    if (p.Flag("raw")) return text;
    if (p.Flag("bytes")) return EscapeChatText(text, hostile);
    return EscapeChatTextUtf8(text, hostile);
}

// In hostile mode a line may name anybody, with any bytes.
bool ValidShownName(std::string_view name, bool hostile) {
    if (name.empty() || hostile) return true;
    if (StartsWith(name, kTeamPrefix)) name.remove_prefix(kTeamPrefix.size());
    return IsValidName(name);
}

// The profile fields shared by members and accounts.
std::optional<std::string> ReadProfile(const Params& p, Person& person) {
    person.name = p.Str("name");
    person.age = p.Str("age");
    if (!person.age.empty() && !ParseInteger(person.age)) return "age must be a number";
    person.place = EscapeChatTextUtf8(p.Str("place"));
    person.gender = p.Str("gender", "f") == "m" ? 'm' : 'f';
    person.picture = p.Str("picture");
    if (!person.picture.empty() && !AvatarBytes(person.picture)) return "unknown picture";
    person.staff = p.Flag("staff");
    return std::nullopt;
}

const char kHelp[] =
    "commands (parameters in the query or a form body):\n"
    "  /ping /help /shutdown\n"
    "  /say user= text= [type=1] [bytes=1|raw=1]      a chat line as any user\n"
    "  /system text= [user=] [bytes=1|raw=1]          a system line (type 2)\n"
    "  /team text= [user=]                            a team announcement\n"
    "  /member/add name= [uid= age= place= gender=f|m picture= staff=1 answers=1]\n"
    "  /member/remove name=\n"
    "  /account/add name= password= [uid= age= place= gender= picture= staff=1 refused=1 count=N]\n"
    "  /kick name=   /ban name= [seconds=]   /unban name=   /mute name= [seconds=]   /unmute name=\n"
    "  /counts [chatters=N|auto] [listeners=N]\n"
    "  /framing endpoint=NAME|all mode=length|chunked|close\n"
    "  /fault endpoint=NAME|all kind=none|delay|stall|drip|truncate|wronglength|reset|garbage|nouser\n"
    "         |redirect|status|resetafter|trickle [ms=] [bytes=] [delta=] [count=] [status=]\n"
    "  /hostile on=1|0       lines keep every byte and may look like protocol\n"
    "  /unreachable on=1|0   the chat service's address answers nobody (connects hang)\n"
    "  /set session_timeout= history= ban_seconds= mute_seconds= rate= reply_ms= logout_quotes=double|single\n"
    "  /step [n=1]   /sessions   /users   /wire   /requests [n=10] [endpoint=]   /requests/clear\n";

}  // namespace

Answer Simulator::Control(const Request& r, Ms now) {
    const std::string& cmd = r.path;
    Params p(r);

    if (cmd == "/ping") return Ok();
    if (cmd == "/help" || cmd == "/") return Ok(kHelp);
    if (cmd == "/shutdown") {
        stop_ = true;
        return Ok();
    }

    if (cmd == "/say" || cmd == "/system" || cmd == "/team") {
        auto text = p.Get("text");
        if (!text) return Error("text missing");
        std::string name = p.Str("user");
        const bool hostile = room_.Settings().hostile;
        if (!ValidShownName(name, hostile)) return Error("bad user name");
        const Person* who = name.empty() ? nullptr : people_.ByName(name);
        std::string shown = who ? DisplayName(*who) : name;
        if (cmd == "/team") {
            room_.TeamAnnouncement(shown, ChatText(p, *text, hostile));
        } else if (cmd == "/system") {
            room_.PostLine(2, shown, ChatText(p, *text, hostile), "system");
        } else {
            auto type = p.Int("type", 1);
            if (!type || *type < 0 || *type > 9) return Error("type must be one digit");
            if (name.empty()) return Error("user missing");
            if (*type == 1 && who) {
                room_.UserLine(*who, ChatText(p, *text, hostile), now);
            } else {
                room_.PostLine(static_cast<int>(*type), shown, ChatText(p, *text, hostile), "normal");
            }
            if (*type == 1) members_.Heard(shown, *text, now);
        }
        return Ok("seq=" + std::to_string(room_.LastSeq()) + "\n");
    }

    if (cmd == "/member/add" || cmd == "/account/add") {
        Person person;
        if (auto why = ReadProfile(p, person)) return Error(*why);
        auto uid = p.Int("uid", 0);
        auto count = p.Int("count", 1);
        if (!uid || *uid < 0) return Error("bad uid");
        if (!count || *count < 1 || *count > 10000) return Error("count must be 1 to 10000");
        bool member = cmd == "/member/add";
        if (member) {
            person.answers = p.Flag("answers");
            if (*count != 1) return Error("members come one at a time");
        } else {
            person.password = p.Str("password");
            person.refused = p.Flag("refused");
            if (person.password.empty()) return Error("password missing");
        }
        std::string base = person.name;
        std::ostringstream added;
        for (long long i = 0; i < *count; ++i) {
            Person one = person;
            if (*count > 1) one.name = base + std::to_string(i + 1);
            one.uid = *uid > 0 ? *uid + i : people_.FreeUid(member ? kFirstMemberUid : 600001);
            long long addedUid = one.uid;
            std::string error;
            bool ok = member ? members_.Add(std::move(one), error) : people_.Add(std::move(one), error);
            if (!ok) return Error(error);
            added << "uid=" << addedUid << "\n";
        }
        return Ok(added.str());
    }
    if (cmd == "/member/remove") return members_.Remove(p.Str("name")) ? Ok() : Error("no such member");

    if (cmd == "/kick" || cmd == "/ban" || cmd == "/mute" || cmd == "/unban" || cmd == "/unmute") {
        std::string name = p.Str("name");
        auto seconds = p.Int("seconds", -1);
        if (!seconds) return Error("seconds must be a number");
        bool done = false;
        if (cmd == "/kick") done = room_.Kick(name, now);
        if (cmd == "/ban") done = room_.Ban(name, *seconds >= 0 ? *seconds * 1000 : room_.Settings().banDuration, now);
        if (cmd == "/mute") done = room_.Mute(name, *seconds >= 0 ? *seconds * 1000 : room_.Settings().muteDuration, now);
        if (cmd == "/unban") done = room_.Unban(name);
        if (cmd == "/unmute") done = room_.Unmute(name);
        return done ? Ok() : Error("no such user here");
    }

    if (cmd == "/counts") {
        auto chatters = p.Get("chatters");
        if (chatters) {
            auto n = ParseInteger(*chatters);
            if (*chatters != "auto" && (!n || *n < 0)) return Error("chatters must be a number or auto");
            room_.Settings().chatters = *chatters == "auto" ? -1 : *n;
        }
        auto listeners = p.Int("listeners", room_.Settings().listeners);
        if (!listeners || *listeners < 0) return Error("listeners must be a number");
        room_.Settings().listeners = *listeners;
        members_.SetWanderingListeners(false);
        return Ok();
    }

    if (cmd == "/framing") {
        auto mode = ParseFraming(p.Str("mode"));
        if (!mode) return Error("mode must be length, chunked or close");
        return wire_.SetFraming(p.Str("endpoint", "all"), *mode) ? Ok() : Error("unknown endpoint");
    }
    if (cmd == "/fault") {
        auto kind = ParseFaultKind(p.Str("kind"));
        if (!kind) return Error("unknown fault kind");
        Fault f;
        f.kind = *kind;
        auto ms = p.Int("ms", 0), bytes = p.Int("bytes", 0), delta = p.Int("delta", 10), count = p.Int("count", 0);
        auto status = p.Int("status", 503);
        if (!ms || !bytes || !delta || !count || *ms < 0 || *bytes < 0 || *count < 0 || *bytes > 1000000) {
            return Error("ms, bytes, delta and count must be numbers");
        }
        if (!status || *status < 100 || *status > 599) return Error("status must be 100 to 599");
        f.status = static_cast<int>(*status);
        f.ms = *ms;
        f.bytes = static_cast<int>(*bytes);
        f.delta = static_cast<int>(*delta);
        f.count = static_cast<int>(*count);
        return wire_.SetFault(p.Str("endpoint", "all"), f) ? Ok() : Error("unknown endpoint");
    }

    if (cmd == "/hostile" || cmd == "/unreachable") {
        auto on = p.Get("on");
        if (!on || (*on != "0" && *on != "1")) return Error("on must be 0 or 1");
        (cmd == "/hostile" ? room_.Settings().hostile : unreachable_) = *on == "1";
        return Ok();
    }

    if (cmd == "/set") {
        RoomSettings& s = room_.Settings();
        for (const auto& [key, value] : r.Fields()) {
            auto n = ParseInteger(value);
            if (key == "logout_quotes") {
                if (value != "double" && value != "single") return Error("logout_quotes must be double or single");
                club_.SetLogoutQuote(value == "double" ? '"' : '\'');
                continue;
            }
            if (!n || *n < 0) return Error(key + " must be a number");
            if (key == "session_timeout") s.sessionTimeout = *n * 1000;
            else if (key == "session_timeout_ms") s.sessionTimeout = *n;
            else if (key == "history") s.history = static_cast<std::size_t>(std::min<long long>(*n, kLineRing));
            else if (key == "ban_seconds") s.banDuration = *n * 1000;
            else if (key == "mute_seconds") s.muteDuration = *n * 1000;
            else if (key == "rate") members_.SetRate(static_cast<double>(*n), now);
            else if (key == "reply_ms") members_.SetReplyDelay(*n);
            else return Error("unknown setting " + key);
        }
        return Ok();
    }

    if (cmd == "/step") {
        auto n = p.Int("n", 1);
        if (!n || *n < 0 || *n > 1000) return Error("n must be 0 to 1000");
        members_.Step(static_cast<int>(*n), now);
        return Ok("seq=" + std::to_string(room_.LastSeq()) + "\n");
    }

    if (cmd == "/sessions") {
        std::ostringstream out;
        for (const auto& [id, s] : room_.Sessions()) {
            const Person* who = people_.ByUid(s.uid);
            const char* state = s.state == SessionState::Active ? "active" : s.state == SessionState::Kicked ? "kicked" : "banned";
            out << id << ' ' << s.uid << ' ' << (who ? who->name : "?") << ' ' << state << ' '
                << (room_.IsPresent(s.uid) ? "present" : "absent") << " idle_ms=" << (now - s.lastSeen) << "\n";
        }
        return Ok(out.str());
    }
    if (cmd == "/users") {
        std::ostringstream out;
        for (long long uid : room_.Present()) {
            const Person* who = people_.ByUid(uid);
            if (who) out << uid << ' ' << DisplayName(*who) << (who->simulated ? " member" : " user") << "\n";
        }
        out << "chatters=" << room_.Chatters() << " listeners=" << room_.Settings().listeners << "\n";
        return Ok(out.str());
    }
    if (cmd == "/wire") {
        std::ostringstream out;
        for (const auto& [endpoint, w] : wire_.All()) {
            out << endpoint << " framing=" << FramingName(w.framing) << " fault=" << FaultName(w.fault.kind);
            if (w.fault.count > 0) out << " count=" << w.fault.count;
            out << "\n";
        }
        return Ok(out.str());
    }

    if (cmd == "/requests") {
        auto n = p.Int("n", 10);
        if (!n || *n < 0) return Error("n must be a number");
        auto entries = log_.Last(static_cast<std::size_t>(*n), p.Str("endpoint"));
        // Length-prefixed, so every byte of a request comes back as it was.
        std::string out = "requests " + std::to_string(entries.size()) + "\n";
        for (const auto* e : entries) {
            out += "request " + std::to_string(e->seq) + " " + e->endpoint + " " + std::to_string(e->bytes.size()) + "\n";
            out += e->bytes;
            out += "\n";
        }
        return Ok(out);
    }
    if (cmd == "/requests/clear") {
        log_.Clear();
        return Ok();
    }
    return TextAnswer(404, "error: unknown command " + cmd + " (see /help)\n");
}

}  // namespace vellora::sim
