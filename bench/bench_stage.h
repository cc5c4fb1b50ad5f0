// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <typeinfo>

/// The stage the benchmarks run on: offscreen windows, C numeric locale, a temporary program folder with
/// a copy of ConfigFiles (platform::AppPath points there), message boxes answered with their default button,
/// modal windows run by the script queued for them (or hidden at once when none is queued).
namespace bench_stage {

/// Puts back a fresh copy of ConfigFiles and the shared module's initial state, and destroys every
/// window: call it in a benchmark's set-up so that runs do not see each other's files.
void freshFolder();

/// Queues the script of the next modal window of class T.
template <class T> void onModal(std::function<void(T&)> script);

/// An opening timed in a program of its own, as an engineer meets it right after starting the program:
/// none of its files, fonts or memory warmed by an earlier run. `stage` prepares (untimed), `open` is
/// timed. Declared as a namespace-scope object, so that it is known before the benchmarks start.
struct FreshOpening {
    FreshOpening(const char* name, std::function<void()> stage, std::function<void()> open);
};

/// Each iteration starts this program anew and times the opening `name` in it alone (manual time); the
/// page faults of that opening are the counter "faults".
void TimeInFreshProgram(benchmark::State& state, const char* name);

/// A line of TimeInFreshProgram: five programs of one opening each, in milliseconds, mean and median.
void FreshProgramRuns(benchmark::internal::Benchmark* line);

/// The benchmark behind every fresh-program line, so that each reads "FreshProgram/<opening>".
inline void FreshProgram(benchmark::State& state, const char* opening) {
    TimeInFreshProgram(state, opening);
}

/// Runs the opening named by a "--fresh-opening=name" argument and prints its seconds and page faults;
/// false when the program was not started for one.
bool RunFreshOpening(int argc, char** argv);

namespace detail {
void queueModal(const std::type_info& type, std::function<void(platform::Form&)> script);
}

template <class T> void onModal(std::function<void(T&)> script) {
    detail::queueModal(typeid(T), [script](platform::Form& form) { script(static_cast<T&>(form)); });
}

} // namespace bench_stage
