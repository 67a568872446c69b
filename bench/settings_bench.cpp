// Settings file speed: parsing per MB, writing per entry, and how both grow from 10,000 to
// 100,000 entries (a linear store grows by about ten).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "entries/settings_io.h"
#include "entries/settings_store.h"
#include "tests/fakes/memory_file_system.h"

namespace {

using namespace diduzo;

const Text kPath = u"G:\\Tools\\Diduzo.prefs";

// Takes written bytes and forgets them, so that the figures are the store's own.
class DiscardingFiles : public FileSystem {
  class Sink : public File {
   public:
    bool readAll(std::string&) override { return false; }
    bool writeAll(std::string_view bytes) override {
      benchmark::DoNotOptimize(bytes.data());
      return true;
    }
    bool flush() override { return true; }
    bool close() override { return true; }
  };

 public:
  std::unique_ptr<File> open(const Text&, OpenMode) override { return std::make_unique<Sink>(); }
  bool exists(const Text&) override { return false; }
  bool move(const Text&, const Text&) override { return false; }
  bool replace(const Text&, const Text&) override { return false; }
  bool remove(const Text&) override { return false; }
};

void fill(EntryList& list, long count) {
  list.clear();
  for (long i = 0; i < count; ++i) {
    LaunchEntry& e = *list.addAfter();
    e.kind = static_cast<std::int8_t>(i % 10 == 0 ? 2 : 1);
    e.level = static_cast<std::int8_t>(i % 10 == 0 ? 0 : 1);
    e.name = u"Application number " + fromAscii(std::to_string(i));
    e.command = u"Apps\\Application" + fromAscii(std::to_string(i)) + u"\\app.exe";
    e.options = u"-settings %drive%\\Data\\app.ini";
    e.homedir = u"Apps\\Application" + fromAscii(std::to_string(i)) + u"\\";
  }
}

std::string fileOf(long count) {
  EntryList list;
  fill(list, count);
  fakes::MemoryFileSystem files;
  SettingsStore store(files);
  store.createForWriting(kPath);
  writeSettings(store, list, Options{});
  store.close();
  return files.contentOf(kPath);
}

void Read(benchmark::State& state) {
  const std::string bytes = fileOf(state.range(0));
  DiscardingFiles files;
  SettingsStore store(files);
  EntryList list;
  Options options;
  for (auto _ : state) {
    store.parse(bytes);
    readSettings(store, list, options);
    store.close();
    benchmark::DoNotOptimize(list.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
}

void Write(benchmark::State& state) {
  EntryList list;
  fill(list, state.range(0));
  DiscardingFiles files;
  SettingsStore store(files);
  for (auto _ : state) {
    store.createForWriting(kPath);
    writeSettings(store, list, Options{});
    store.close();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Each size runs five times; the figures take the fastest run, the one least disturbed by the
// rest of the machine.
BENCHMARK(Read)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(Write)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Keeps each run's time so that the figures can be set side by side at the end.
class Recorder : public benchmark::ConsoleReporter {
 public:
  Recorder() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      const double seconds = r.GetAdjustedRealTime() / 1e3;  // reported in milliseconds
      const std::string name = r.run_name.function_name + "/" + r.run_name.args;
      if (!times.count(name) || seconds < times[name]) times[name] = seconds;
      if (r.counters.count("MB")) megabytes[name] = r.counters.at("MB");
    }
  }
  std::map<std::string, double> times, megabytes;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  auto& t = recorder.times;
  if (t.count("Read/10000") && t.count("Read/100000") && t.count("Write/10000") && t.count("Write/100000")) {
    const double mb = recorder.megabytes["Read/100000"];
    std::printf("\nsettings read:  %.1f ms per MB (100,000 entries, %.1f MB)\n", t["Read/100000"] * 1e3 / mb, mb);
    std::printf("settings write: %.2f us per entry (100,000 entries)\n", t["Write/100000"] * 1e6 / 100000);
    std::printf("growth 10,000 -> 100,000 entries: read x%.1f, write x%.1f (linear: about 10, target at most 12)\n",
                t["Read/100000"] / t["Read/10000"], t["Write/100000"] / t["Write/10000"]);
  }
  benchmark::Shutdown();
  return 0;
}
