// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of computing a trace: building its plan and walking every step of it, without a
// window. A handler does this once per launch, the steps one per 50 ms pause.

#include "sim/bipolartrace.h"
#include "sim/pwmtrace.h"
#include "sim/stepper.h"
#include "sim/unipolartrace.h"

#include <benchmark/benchmark.h>

namespace {

void walk(benchmark::State &state, const sim::Plan &plan)
{
    std::int64_t steps = 0;
    for (auto _ : state) {
        for (const sim::Step &step : plan) {
            benchmark::DoNotOptimize(step.y.data());
            ++steps;
        }
    }
    state.SetItemsProcessed(steps);
    state.counters["steps/run"] = double(steps) / double(state.iterations());
}

void pulseTrain(benchmark::State &state)
{
    walk(state, sim::pwm::plan(int(state.range(0))));
}
BENCHMARK(pulseTrain)->Arg(0)->Arg(50)->Arg(100);

void unipolar(benchmark::State &state)
{
    const float speed = sim::stepper::speed(double(state.range(0)));
    walk(state, *sim::unipolar::plan(sim::stepper::slowness(speed)));
}
BENCHMARK(unipolar)->Arg(0)->Arg(50)->Arg(90);

void bipolar(benchmark::State &state)
{
    const float speed = sim::stepper::speed(double(state.range(0)));
    walk(state, *sim::bipolar::plan(sim::stepper::slowness(speed)));
}
BENCHMARK(bipolar)->Arg(0)->Arg(50)->Arg(90);

void buildPlan(benchmark::State &state)
{
    for (auto _ : state) {
        std::optional<sim::Plan> plan = sim::unipolar::plan(50.0f);
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(buildPlan);

} // namespace
