// Timings of expression evaluation and parsing, run by hand with the other
// benchmarks: ./build/default/bench/ostrel_bench --benchmark_filter=Expression
#include "core/cstring.h"
#include "crecordinginterface.h"
#include "expression/cexpression.h"
#include "expressiontest.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "symbols/cnamedconstant.h"
#include "symbols/cuserfunction.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

CVariable* AddVariable(CProgram* pProgram, const char* pchName, Extended value) {
    auto* pVariable = new CVariable(false, value);
    pVariable->SetName(pchName);
    pVariable->SetValue(value);
    pProgram->GetVariables()->AddLast(pVariable);
    return pVariable;
}

void ExpressionEvaluateSum(benchmark::State& state) {
    CRecordingInterface ui;
    CProgram* pProgram = ui.GetProgram();
    AddVariable(pProgram, "S", 0);
    CVariable* pI = AddVariable(pProgram, "I", 0);
    auto poExpr = BuildExpression(pProgram, "S+I*I");
    Extended i = 0;
    for (auto _ : state) {
        pI->SetValue(++i);
        benchmark::DoNotOptimize(poExpr->Evaluate());
    }
}
BENCHMARK(ExpressionEvaluateSum);

void ExpressionEvaluateTenOperatorsAndACall(benchmark::State& state) {
    CRecordingInterface ui;
    CProgram* pProgram = ui.GetProgram();
    AddVariable(pProgram, "X", 0.5L);
    AddVariable(pProgram, "Y", 2);
    auto* pF = new CUserFunction(pProgram);
    pProgram->GetUserFunctions()->AddLast(pF);
    CString name;
    name.Set("F");
    CString params;
    params.Set("(A)");
    CString body;
    body.Set("A*A+1");
    pF->Define(&name, &body, &params, false);
    pF->Link();
    auto poExpr = BuildExpression(pProgram, "(X+Y)*(X-Y)/Y+F(X)^2-X*Y+Y/2-1");
    for (auto _ : state) {
        benchmark::DoNotOptimize(poExpr->Evaluate());
    }
}
BENCHMARK(ExpressionEvaluateTenOperatorsAndACall);

void ExpressionParse64KiB(benchmark::State& state) {
    CRecordingInterface ui;
    CProgram* pProgram = ui.GetProgram();
    AddVariable(pProgram, "X", 1);
    std::string text = "X";
    while (text.size() < 64 * 1024) {
        text += "+(X*2-1)";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildExpression(pProgram, text.c_str()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ExpressionParse64KiB)->Unit(benchmark::kMillisecond);

} // namespace
