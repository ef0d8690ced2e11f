// In-process cost of converting one menu of 1,000 to 100,000 items: parse,
// item loop and whole-file write. Run: build/bench/bench/ovq2tyx_benchmarks
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "item/command_table.h"
#include "menu/menu_file.h"

namespace ovq2tyx {
namespace {

// A realistic source menu: every item with all of its keys.
std::string MakeMenu(int items) {
  std::string menu = "[Config]\r\nLocate=5\r\nLeft=10\r\nRight=90\r\n";
  for (int n = 0; n < items; ++n) {
    const std::string number = std::to_string(n);
    menu += "[No." + number + "]\r\nData0=\x83\x81\x83\x82\x92\xA0 " + number +
            "\r\nData1=C:\\Program Files\\Tool" + number +
            "\\tool.exe\r\nData2=C:\\Work\r\nData3=/n \"file " + number +
            ".txt\"\r\nData5=Ctrl + Alt + F5\r\nData6=112\r\nData7=False\r\n"
            "Data8=C:\\Program Files\\Tool" +
            number + "\\tool.exe?icon=1\r\n";
  }
  return menu;
}

void BM_ConvertMenuFile(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("ovq2tyx-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string source = (dir / "m.ovq").string();
  const std::string target = (dir / "m.tyx").string();
  const std::string menu = MakeMenu(static_cast<int>(state.range(0)));
  std::ofstream(source, std::ios::binary) << menu;
  const CommandTable commands = BuildCommandTable();
  // The console line of each conversion is not what is measured.
  std::fflush(stdout);
  const int saved_stdout = dup(STDOUT_FILENO);
  const int null_output = open("/dev/null", O_WRONLY);
  dup2(null_output, STDOUT_FILENO);
  for (auto _ : state) {
    ConvertResult result =
        ConvertMenuFile(source, HeaderRule::kLenient, commands);
    benchmark::DoNotOptimize(result);
    state.PauseTiming();
    fs::remove(target);
    state.ResumeTiming();
  }
  std::fflush(stdout);
  dup2(saved_stdout, STDOUT_FILENO);
  close(saved_stdout);
  close(null_output);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(menu.size()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  fs::remove_all(dir);
}
BENCHMARK(BM_ConvertMenuFile)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ovq2tyx
