#pragma once

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace halcyx::test {

// The simulator program started with the given arguments, its standard output on a pipe.
class SimProcess {
public:
    SimProcess(const std::string& program, std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            const int quiet = ::open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (std::string& arg : args) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        ::close(out[1]);
        output_ = fdopen(out[0], "r");
    }
    ~SimProcess() {
        if (pid_ > 0 && !waited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ != nullptr) {
            fclose(output_);
        }
    }
    std::string line() {
        char buf[256] = {};
        if (output_ == nullptr || fgets(buf, sizeof buf, output_) == nullptr) {
            return {};
        }
        std::string text(buf);
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        return text;
    }
    // Everything up to the end of the output.
    std::string rest() {
        std::string text;
        char buf[256];
        while (output_ != nullptr && fgets(buf, sizeof buf, output_) != nullptr) {
            text += buf;
        }
        return text;
    }
    // Sends the signal and returns the exit status.
    int stop(int signal) {
        kill(pid_, signal);
        return wait();
    }
    int wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
    bool waited_ = false;
};

} // namespace halcyx::test
