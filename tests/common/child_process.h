// Starts a program for an end-to-end test, reads its standard output, and ends it.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace trivant::test {

class ChildProcess {
public:
    // Runs program with args in folder dir; its standard output (or the stream given)
    // comes through a pipe. The child dies with the test process, so a crashed test leaves
    // no program behind that would hold the test runner's output open.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& dir, int stream = STDOUT_FILENO) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::vector<std::string> all{program};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            dup2(fds[1], stream);
            close(fds[0]);
            close(fds[1]);
            if (chdir(dir.c_str()) != 0)
                _exit(127);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(fds[1]);
        out_ = fdopen(fds[0], "r");
    }
    ~ChildProcess() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_)
            fclose(out_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0 && out_; }
    pid_t pid() const { return pid_; }

    // One line of standard output without its newline; empty at the end.
    std::string readLine() {
        std::string line;
        for (int c; out_ && (c = fgetc(out_)) != EOF && c != '\n';)
            line += static_cast<char>(c);
        return line;
    }

    // Everything the program writes until it closes the stream.
    std::string readAll() {
        std::string text;
        for (int c; out_ && (c = fgetc(out_)) != EOF;)
            text += static_cast<char>(c);
        return text;
    }

    // The exit status, or -1 when the program did not end in time (it is then killed).
    int wait(std::chrono::seconds timeout) {
        const auto until = std::chrono::steady_clock::now() + timeout;
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    void signal(int sig) { kill(pid_, sig); }

private:
    pid_t pid_ = -1;
    FILE* out_ = nullptr;
    bool exited_ = false;
};

}  // namespace trivant::test
