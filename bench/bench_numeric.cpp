#include "crecordingwindow.h"

#include "ui/cwindowinterface.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// A calculator as the main window holds it, drawing into a recording
// window.
class CCalculator {
public:
    CCalculator() : _poUI(new CWindowInterface), _window(_poUI.get()) {
        _poUI->Initialise();
        _poUI->AttachWindow(&_window);
    }
    // The output of the line, the window's records forgotten.
    std::string Run(const char* pchLine) {
        _window.output.clear();
        _window.canvas.clear();
        _poUI->ExecuteLine(pchLine);
        return _window.output;
    }
    const CRecordingWindow& Window() const { return _window; }

private:
    std::unique_ptr<CWindowInterface> _poUI;
    CRecordingWindow _window;
};

long CountOf(const std::string& text, const std::string& what) {
    long n = 0;
    for (std::size_t i = text.find(what); i != std::string::npos; i = text.find(what, i + 1)) {
        ++n;
    }
    return n;
}

// The evaluations of one search, counted once through a one-line function
// with the sine's values that calls a counting function with a body.
double CountEvaluations(CCalculator& calculator) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "ostrel_bench_counting.bas";
    std::ofstream(path) << "DIM N\nFUNCTION C(X)\nN = N + 1\nC = 0\nEND FUNCTION\n"
                           "FUNCTION S(X) = SIN(X) + C(X)\n";
    calculator.Run(("RUNFILE \"" + path.string() + "\"").c_str());
    std::filesystem::remove(path);
    calculator.Run("FINDZEROS S,0,3000");
    return std::stod(calculator.Run("? N"));
}

void FindZerosOfTheSine(benchmark::State& state) {
    CCalculator calculator;
    const double nEvaluations = CountEvaluations(calculator);
    long nZeros = 0;
    while (state.KeepRunning()) {
        const std::string output = calculator.Run("FINDZEROS SIN,0,3000");
        nZeros = CountOf(output, "\r\nX");
        benchmark::DoNotOptimize(nZeros);
    }
    state.counters["zeros"] = static_cast<double>(nZeros);
    state.counters["evaluations"] = nEvaluations;
}
BENCHMARK(FindZerosOfTheSine)->Unit(benchmark::kMillisecond);

void PlotXYOfAUserFunction(benchmark::State& state) {
    CCalculator calculator;
    calculator.Run("FUNCTION F(X) = SIN(X)*X + X*X/10");
    long nLines = 0;
    while (state.KeepRunning()) {
        calculator.Run("PLOTXY -10,10,F");
        nLines = CountOf(calculator.Window().canvas, "line ");
        benchmark::DoNotOptimize(nLines);
    }
    state.counters["canvas_lines"] = static_cast<double>(nLines);
}
BENCHMARK(PlotXYOfAUserFunction)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
