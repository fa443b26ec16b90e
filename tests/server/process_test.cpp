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

// The program in quiet mode on free ports, with its ready file in a folder
// of its own; killed at the end if it is still running.
struct Server {
    explicit Server(std::vector<std::string> more = {}) {
        char name[] = "/tmp/vellora-proc-XXXXXX";
        folder = mkdtemp(name);
        std::vector<std::string> args = {Simulator::ServerPath(), "--port", "0", "--control-port", "0", "--quiet",
                                         "--ready-file", Ready()};
        args.insert(args.end(), more.begin(), more.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid = fork();
        if (pid == 0) {
            int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~Server() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        unlink(Ready().c_str());
        unlink((Ready() + ".tmp").c_str());
        rmdir(folder.c_str());
    }
    std::string Ready() const { return folder + "/ready"; }
    bool ReadyFileAppears() const {
        for (int i = 0; i < 500 && access(Ready().c_str(), F_OK) != 0; ++i) std::this_thread::sleep_for(10ms);
        return access(Ready().c_str(), F_OK) == 0;
    }
    // The exit status, 128 + the signal, or -1 when it did not end in time.
    int Wait(std::chrono::milliseconds limit) {
        int status = 0;
        for (auto until = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < until;) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

    std::string folder;
    pid_t pid = -1;
};

TEST(ServerProcessTest, SignalsEndItCleanlyAndRemoveTheReadyFile) {
    for (int signal : {SIGTERM, SIGINT}) {
        Server server;
        ASSERT_TRUE(server.ReadyFileAppears());
        std::ifstream in(server.Ready());
        std::string all((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(all.find("pid=" + std::to_string(server.pid)), std::string::npos) << all;
        kill(server.pid, signal);
        EXPECT_EQ(server.Wait(5s), 0);
        EXPECT_NE(access(server.Ready().c_str(), F_OK), 0);
    }
}

TEST(ServerProcessTest, IdleExitAndTheShutdownCommandEndIt) {
    Server idle({"--idle-exit", "1"});
    ASSERT_TRUE(idle.ReadyFileAppears());
    EXPECT_EQ(idle.Wait(10s), 0);

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
