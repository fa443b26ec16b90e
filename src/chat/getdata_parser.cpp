#include "chat/getdata_parser.h"

#include "text/codepage.h"

namespace vellora {
namespace {

constexpr std::string_view kEnd = "</html>";
constexpr std::string_view kDenied = "Denied, please login.";

constexpr std::string_view kUserList = "top.showUser({'user':[";
constexpr std::string_view kUserId = "{'id':'";
constexpr std::string_view kUserName = "','name':'";
constexpr std::string_view kUserSrc = "','src':'";
constexpr std::string_view kUserEnd = "'}";
constexpr std::string_view kUserNext = "'},{'id':'";

constexpr std::string_view kChats = "var chats={'chats':[";
constexpr std::string_view kChatType = "{'mtype':'";
constexpr std::string_view kChatMsg = "','msg':'";
constexpr std::string_view kChatId = "','id':'";
constexpr std::string_view kChatName = "','name':'";
constexpr std::string_view kChatStyle = "','nameStyle':'";
constexpr std::string_view kChatNext = "'},{'";

constexpr std::string_view kCounts = "top.setUserCounts({'count':{'active':'";
constexpr std::string_view kPassive = "', 'passive':'";
constexpr std::string_view kTotal = "', 'total':'";

constexpr std::string_view kRecordEnd = "'}";
constexpr std::size_t npos = std::string_view::npos;

// Where the records of a list or batch stand in the body: [Start, End).
// Start is npos when the statement is absent.
struct Span {
    std::size_t Start = npos;
    std::size_t End = npos;
};

// True when Text stands at Pos of Body.
bool At(std::string_view body, std::size_t pos, std::string_view text) {
    return pos <= body.size() && body.substr(pos, text.size()) == text;
}

std::size_t Find(std::string_view body, std::string_view text, std::size_t from) {
    return from > body.size() ? npos : body.find(text, from);
}

// The end of the last record, whose last value runs up to "'}"; a record cut
// off before that runs to the end of the body.
std::size_t RecordEnd(std::string_view body, std::size_t valueStart) {
    std::size_t close = Find(body, kRecordEnd, valueStart);
    return close == npos ? body.size() : close + kRecordEnd.size();
}

std::wstring Text(std::string_view body, std::size_t start, std::size_t end) {
    return AnsiToWide(body.substr(start, end - start));
}

Span ReadUsers(std::string_view body, std::vector<ListedUser>& users) {
    std::size_t list = body.find(kUserList);
    if (list == npos) return {};
    std::size_t record = list + kUserList.size();
    // An empty list ("[]") leaves the roster as it is.
    if (!At(body, record, "{")) return {list, record};
    for (;;) {
        std::size_t idStart = record + kUserId.size();
        std::size_t idEnd = Find(body, kUserName, idStart);
        if (idEnd == npos) return {list, body.size()};
        std::size_t nameStart = idEnd + kUserName.size();
        std::size_t nameEnd = Find(body, kUserSrc, nameStart);
        if (nameEnd == npos) return {list, body.size()};
        std::size_t srcStart = nameEnd + kUserSrc.size();
        std::size_t srcEnd = Find(body, kUserEnd, srcStart);
        if (srcEnd == npos) return {list, body.size()};

        ListedUser user;
        user.Id = ReadListedId(body.substr(idStart, idEnd - idStart));
        user.Name = Text(body, nameStart, nameEnd);
        user.Src = Text(body, srcStart, srcEnd);
        users.push_back(std::move(user));

        if (!At(body, srcEnd, kUserNext)) return {list, srcEnd + kUserEnd.size()};
        record = srcEnd + kUserNext.size() - kUserId.size();
    }
}

Span ReadChats(std::string_view body, std::vector<ChatRecord>& chats) {
    std::size_t batch = body.find(kChats);
    if (batch == npos) return {};
    std::size_t record = batch + kChats.size();
    if (!At(body, record, kChatType)) return {batch, record};
    for (;;) {
        std::size_t typeAt = record + kChatType.size();
        if (typeAt >= body.size()) return {batch, body.size()};
        // The type is one character: a longer one does not meet the message
        // marker, and the batch ends there, before the rest of that record.
        if (!At(body, typeAt + 1, kChatMsg)) return {batch, RecordEnd(body, typeAt)};
        std::size_t msgStart = typeAt + 1 + kChatMsg.size();
        std::size_t msgEnd = Find(body, kChatId, msgStart);
        if (msgEnd == npos) return {batch, body.size()};
        std::size_t nameMarker = Find(body, kChatName, msgEnd);
        if (nameMarker == npos) return {batch, body.size()};
        std::size_t nameStart = nameMarker + kChatName.size();
        std::size_t nameEnd = Find(body, kChatStyle, nameStart);
        if (nameEnd == npos) return {batch, body.size()};

        char type = body[typeAt];
        ChatRecord chat;
        chat.Type = (type >= '0' && type <= '9') ? type - '0' : 0;
        chat.Name = Text(body, nameStart, nameEnd);
        chat.Msg = Text(body, msgStart, msgEnd);
        chats.push_back(std::move(chat));

        std::size_t next = Find(body, kChatNext, nameEnd + kChatStyle.size());
        if (next == npos) return {batch, RecordEnd(body, nameEnd + kChatStyle.size())};
        record = next + 3;  // the "{" of the next record
    }
}

// A denial page says "Denied, please login." in its own text. Chat lines
// and user names may quote it; that does not end the login.
bool DeniedOutside(std::string_view body, const Span& users, const Span& chats) {
    auto inside = [](std::size_t at, const Span& span) {
        return span.Start != npos && at >= span.Start && at < span.End;
    };
    for (std::size_t at = body.find(kDenied); at != npos; at = body.find(kDenied, at + 1)) {
        if (!inside(at, users) && !inside(at, chats)) return true;
    }
    return false;
}

// The page ends with "</html>"; a line break behind it changes nothing.
bool EndsThePage(std::string_view body) {
    while (!body.empty() && (body.back() == '\r' || body.back() == '\n')) body.remove_suffix(1);
    return body.size() >= kEnd.size() && body.substr(body.size() - kEnd.size()) == kEnd;
}

void ReadCounts(std::string_view body, std::optional<ParticipantCounts>& counts) {
    std::size_t statement = body.find(kCounts);
    if (statement == npos) return;
    std::size_t activeStart = statement + kCounts.size();
    std::size_t activeEnd = Find(body, kPassive, activeStart);
    if (activeEnd == npos) return;
    std::size_t passiveStart = activeEnd + kPassive.size();
    std::size_t passiveEnd = Find(body, kTotal, passiveStart);
    if (passiveEnd == npos) return;
    counts = ParticipantCounts{Text(body, activeStart, activeEnd), Text(body, passiveStart, passiveEnd)};
}

}  // namespace

std::int32_t ReadListedId(std::string_view text) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return 0;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return 0;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return value > 2147483647LL ? 0 : static_cast<std::int32_t>(value);
}

GetdataAnswer ParseGetdata(std::string_view body) {
    GetdataAnswer answer;
    answer.Complete = EndsThePage(body);
    Span users = ReadUsers(body, answer.Users);
    Span chats = ReadChats(body, answer.Chats);
    answer.Denied = DeniedOutside(body, users, chats);
    ReadCounts(body, answer.Counts);
    return answer;
}

}  // namespace vellora
