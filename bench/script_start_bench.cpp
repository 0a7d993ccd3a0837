// The start of calc-script as a whole process: `calc-script --check` of a one-line
// scenario, spawned and waited for, so the time is what a script or test pays per run
// (loading the program and its libraries, the run, the exit). Goal: at most 5 ms.
//   script_start_bench [benchmark flags] [path/to/calc-script]   (default: the one built here)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace {

std::string program = CALC_SCRIPT_PATH;
std::string scenario;

void BM_CheckOneLineScenario(benchmark::State& state) {
    char* argv[] = {program.data(), const_cast<char*>("--check"), scenario.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("calc-script --check failed: " + program).c_str());
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CheckOneLineScenario)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc > 2) return benchmark::ReportUnrecognizedArguments(argc, argv) ? 1 : 0;
    if (argc == 2) program = argv[1];
    scenario = std::filesystem::temp_directory_path() / ("script_start_bench." + std::to_string(getpid()) + ".calc");
    std::ofstream(scenario) << "expect display 0\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(scenario.c_str());
    return 0;
}
