#pragma once
// Running a built program in the tests: its standard input from a string, its exit status,
// standard output and standard error captured.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace run_program {

struct Outcome {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;
    std::string err;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file of the given text in a fresh temporary directory; its path.
inline std::string TempFile(const std::string& name, const std::string& text) {
    static std::string dir;
    if (dir.empty()) {
        char pattern[] = "/tmp/geo_test_XXXXXX";
        dir = mkdtemp(pattern);
    }
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Runs argv[0] with the arguments; standard input reads `input`.
inline Outcome Run(const std::vector<std::string>& argv, const std::string& input = "") {
    const std::string in = TempFile("stdin", input), out = in + ".out", err = in + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    Outcome outcome;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    outcome.out = ReadAll(out);
    outcome.err = ReadAll(err);
    return outcome;
}

}  // namespace run_program
