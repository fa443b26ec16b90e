#include "phrases.h"

namespace vellora::sim::phrases {
namespace {

// The first two are the answering member and the staff member.
constexpr std::string_view kNames[] = {
    "Lotte",  "Mara",   "Jonas",  "sunny_82", "Kiki",   "DerBaer", "Lena",      "tom.k",  "Mila",
    "Finn",   "radiofan", "Nele", "Paul",     "Sophie", "Benni",   "jule-xx",   "Marco",  "Emma",
    "Chrissy", "Nachteule", "Hannes", "Zoe",  "Felix",  "Anni",    "Tobi",      "Sarah",  "Luca",
    "Maja",   "Basti",  "Ida",
};

constexpr std::string_view kPlaces[] = {
    "München", "Köln",     "Düsseldorf", "Hamburg", "Berlin",  "Leipzig",   "Nürnberg",
    "Zürich",  "Wien",     "Graz",       "Bremen",  "Dresden", "Saarbrücken", "Lübeck",
};

constexpr std::string_view kChatter[] = {
    "Hallo zusammen!",
    "Na, wie geht's euch heute?",
    "Schönen Abend euch allen",
    "Wer hört noch mit?",
    "Bin gerade erst von der Arbeit gekommen",
    "Das Wetter ist ja mal wieder typisch...",
    "Hat jemand die Sendung gestern gehört?",
    "Kaffee ist fertig, wer will?",
    "Grüße aus dem Süden!",
    "Ich mag eher Rock & Pop, aber das hier ist auch gut",
    "Wer kommt am Samstag zum Treffen?",
    "Die Moderation ist heute klasse <3",
    "Zitat des Tages: \"Musik ist die Sprache der Seele\"",
    "Können wir uns was wünschen?",
    "So, ich hol mir mal was zu essen",
    "Hi everyone!",
    "Great track, turn it up!",
    "Anyone from Vienna here?",
    "Just got home, what did I miss?",
    "This station's playlist is the best",
    "Coffee break :)",
    "It's raining again here",
    "Who requested this song?",
    "Happy Friday, folks!",
};

constexpr std::string_view kAddressed[] = {
    "Hallo! Schön, dass du da bist",
    "wie war dein Tag?",
    "hast du das gerade gehört?",
    "haha, stimmt genau",
    "magst du den Song auch?",
    "willkommen zurück!",
    "hi, how are you?",
    "you're right about that",
    "welcome back!",
    "where are you listening from?",
};

constexpr std::string_view kSongs[] = {
    "Nordlicht - Über den Wolken",
    "The Lanterns - Midnight Radio",
    "Kapelle Sonnenschein - Wir tanzen bis zum Morgen",
    "Ava Lind - Paper Boats (Radio Edit)",
    "Die Zugvögel - Sommer in der Stadt",
    "Harbor Lights - Slow Motion Summer",
    "Marie Berg - Tausend Sterne",
    "Velvet Street - Call Me Tonight",
};

constexpr std::string_view kAnnouncements[] = {
    "Willkommen im Club-Chat! Bitte bleibt freundlich.",
    "Heute Abend ab 20 Uhr: Wunschsendung live aus dem Studio!",
    "Denkt an die Chatregeln: keine Werbung, kein Spam.",
};

constexpr std::string_view kReplies[] = {
    "Hallo! Ich lese alles, was an mich geht.",
    "Da hast du recht!",
    "Erzähl mehr davon :)",
    "Interessant - und wie geht es weiter?",
    "Thanks for your message!",
    "Haha, der war gut.",
    "Das sehe ich genauso.",
    "Sorry, I was away for a minute. What's up?",
};

}  // namespace

std::span<const std::string_view> MemberNames() { return kNames; }
std::span<const std::string_view> Places() { return kPlaces; }
std::span<const std::string_view> Chatter() { return kChatter; }
std::span<const std::string_view> Addressed() { return kAddressed; }
std::span<const std::string_view> Songs() { return kSongs; }
std::span<const std::string_view> Announcements() { return kAnnouncements; }
std::span<const std::string_view> Replies() { return kReplies; }

}  // namespace vellora::sim::phrases
