// Benchmarks come in pairs, Jet_<name> through the Jet layer and Raw_<name> as the same
// query hand-written for SQLite; after the run each pair's ratio is printed.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs)
            if (!r.error_occurred && r.run_type == Run::RT_Iteration)
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-34s %12s %12s %8s\n", "pair", "jet", "sqlite", "ratio");
        for (const auto &[name, jet] : times) {
            if (name.rfind("Jet_", 0) != 0)
                continue;
            const auto raw = times.find("Raw_" + name.substr(4));
            if (raw == times.end() || raw->second <= 0)
                continue;
            std::printf("%-34s %12.3f %12.3f %8.2f\n", name.substr(4).c_str(), jet, raw->second, jet / raw->second);
        }
    }

private:
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
