// What one getdata answer costs the client natively: an answer listing 1000
// users and carrying 200 new chat lines, parsed and handled by the real chat
// view, while the chat pane's ring still has room and once it is full, with
// the panes' changes held back until the answer is done, as the program
// does. The window layer is the tests' recording one; the chat pane only
// counts what it is given. Prints its figures (tools/bench).
//
//   answer_bench            timings, median of several answers
//   answer_bench --once     one answer into a full ring, for instruction counts
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "chat/getdata_answer.h"
#include "chat/getdata_parser.h"
#include "support/getdata_body.h"
#include "support/recording_client.h"

namespace {

using namespace vellora;
using Clock = std::chrono::steady_clock;

constexpr int kUsers = 1000;
constexpr int kLines = 200;

// The chat pane as the program's RichEdit pane takes it, minus the control.
struct CountingPane : RtfPane {
    void ShowRtf(std::string_view document) override { bytes += document.size(), ++wholes; }
    bool ChangeRtf(const RtfChange& change) override { return bytes += change.document.size(), ++changes, true; }
    std::size_t bytes = 0;
    int wholes = 0, changes = 0;
};

struct BenchWindow : test::RecordingViewWindow {
    RtfPane& ChatPane() override { return pane; }
    CountingPane pane;
};

std::string Answer(int firstLine) {
    test::Body body;
    for (int u = 0; u < kUsers; ++u) {
        body.User("user" + std::to_string(u), "/pic/s/portrait0" + std::to_string(u % 8 + 1) + ".jpg",
                  std::to_string(100000 + u));
    }
    body.User("demo", "", "501001");
    for (int i = 0; i < kLines; ++i) {
        int n = firstLine + i;
        body.Line(1, "user" + std::to_string(n % kUsers),
                  "line " + std::to_string(n) + " says hello to everybody in the chat, how are you all doing?");
    }
    return body.Counts(std::to_string(kUsers + 1), "42").Complete();
}

// The answer counted by callgrind (tools/bench runs it with
// --toggle-collect on this function).
__attribute__((noinline)) void MeasuredAnswer(Client& client, const std::string& body) {
    BeginPaneBatch();
    HandleGetdataAnswer(client, body, true);
    EndPaneBatch();
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Bench {
    Bench() {
        rc.EnterChat();
        rc.UseRealView();
        rc.client.viewWindow = &window;
        rc.client.session.UserName = L"demo";
        rc.client.settings.ShowTimes = true;
    }
    // Handles the answer carrying lines First... and returns its time in ms.
    double Handle(int first) {
        const std::string body = Answer(first);
        auto start = Clock::now();
        MeasuredAnswer(rc.client, body);
        return Ms(Clock::now() - start);
    }
    test::RecordingClient rc;
    BenchWindow window;
};

}  // namespace

int main(int argc, char** argv) {
    const bool once = argc > 1 && std::strcmp(argv[1], "--once") == 0;
    Bench bench;
    int next = 0;
    bench.Handle(next);  // the users come in
    next += kLines;

    if (once) {
        while (bench.rc.client.MainRing.Count() < bench.rc.client.MainRing.Size()) next += (bench.Handle(next), kLines);
        MeasuredAnswer(bench.rc.client, Answer(next));
        return 0;
    }

    std::vector<double> parse, room, full;
    const std::string body = Answer(0);
    for (int i = 0; i < 9; ++i) {
        auto start = Clock::now();
        GetdataAnswer answer = ParseGetdata(body);
        parse.push_back(Ms(Clock::now() - start));
    }
    while (bench.rc.client.MainRing.Count() + kLines < bench.rc.client.MainRing.Size()) {
        room.push_back(bench.Handle(next));
        next += kLines;
    }
    while (bench.rc.client.MainRing.Count() < bench.rc.client.MainRing.Size()) next += (bench.Handle(next), kLines);
    for (int i = 0; i < 9; ++i) {
        full.push_back(bench.Handle(next));
        next += kLines;
    }
    std::printf("one answer, %d users and %d new lines (native):\n", kUsers + 1, kLines);
    std::printf("  parsing                              %8.2f ms (median of %zu)\n", Median(parse), parse.size());
    std::printf("  handling, the ring has room          %8.2f ms (median of %zu)\n", Median(room), room.size());
    std::printf("  handling, into a full ring           %8.2f ms (median of %zu)\n", Median(full), full.size());
    const CountingPane& pane = bench.window.pane;
    std::printf("  the pane was given %zu bytes: %d whole documents, %d changes\n", pane.bytes, pane.wholes,
                pane.changes);
    return 0;
}
