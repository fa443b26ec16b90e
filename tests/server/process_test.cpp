// vellora-server as a program: the ready file that the tools and the
// fixture read, and how it ends (signals, idle exit, the shutdown command).

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "chat_test.h"

namespace vellora::test {
namespace {

using namespace std::chrono_literals;

struct Child {
    pid_t pid = -1;
    // The exit status, 128 + the signal, or -1 when it did not end in time.
    int Wait(std::chrono::milliseconds limit) {
        auto until = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (std::chrono::steady_clock::now() < until) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }
    ~Child() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
};

Child Start(std::vector<std::string> args) {
    args.insert(args.begin(), Simulator::ServerPath());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Child c;
    c.pid = fork();
    if (c.pid == 0) {
        int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return c;
}

// A folder for a ready file, removed with what is left in it.
struct TempReadyFile {
    TempReadyFile() {
        char name[] = "/tmp/vellora-proc-XXXXXX";
        dir = mkdtemp(name);
        path = dir + "/ready";
    }
    ~TempReadyFile() {
        unlink(path.c_str());
        unlink((path + ".tmp").c_str());
        rmdir(dir.c_str());
    }
    bool Appears() const {
        for (int i = 0; i < 500; ++i) {
            if (access(path.c_str(), F_OK) == 0) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    std::string dir, path;
};

TEST(ServerProcessTest, SignalsEndItCleanlyAndRemoveTheReadyFile) {
    for (int signal : {SIGTERM, SIGINT}) {
        TempReadyFile ready;
        Child c = Start({"--port", "0", "--control-port", "0", "--quiet", "--ready-file", ready.path});
        ASSERT_TRUE(ready.Appears());
        std::ifstream in(ready.path);
        std::string all((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(all.find("pid=" + std::to_string(c.pid)), std::string::npos) << all;
        kill(c.pid, signal);
        EXPECT_EQ(c.Wait(5s), 0);
        EXPECT_NE(access(ready.path.c_str(), F_OK), 0);
    }
}

TEST(ServerProcessTest, IdleExitAndTheShutdownCommandEndIt) {
    TempReadyFile ready;
    Child c = Start({"--port", "0", "--control-port", "0", "--quiet", "--ready-file", ready.path, "--idle-exit", "1"});
    ASSERT_TRUE(ready.Appears());
    EXPECT_EQ(c.Wait(10s), 0);

    Simulator sim;
    ASSERT_TRUE(sim.Running()) << sim.Error();
    ASSERT_TRUE(sim.Shutdown());
    bool stillThere = true;
    for (int i = 0; i < 200 && stillThere; ++i) {
        std::this_thread::sleep_for(10ms);
        stillThere = sim.Control("/ping").Ok();
    }
    EXPECT_FALSE(stillThere);
}

}  // namespace
}  // namespace vellora::test
