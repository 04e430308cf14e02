#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Timing for benchmarks on a noisy machine: every figure is the median of
// several rounds, and every result is reported as a ratio against a baseline
// measured in the same run.
namespace benchTimer
{
inline double nowNs()
{
    static const double nsPerTick = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1e9 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * nsPerTick;
}

// Median nanoseconds per call of body over `rounds` rounds of `iterations`.
template <typename Body>
double nsPerCall(Body&& body, long iterations, int rounds = 15)
{
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) {
        const double start = nowNs();
        for (long i = 0; i < iterations; ++i)
            body();
        samples.push_back((nowNs() - start) / static_cast<double>(iterations));
    }
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

// Measures baseline and candidate in alternating rounds, so that drift of
// the machine's speed hits both alike; returns candidate / baseline.
template <typename Baseline, typename Candidate>
double ratio(Baseline&& baseline, Candidate&& candidate, long iterations, double& baselineNs, double& candidateNs,
             int rounds = 15)
{
    std::vector<double> base;
    std::vector<double> cand;
    for (int round = 0; round < rounds; ++round) {
        base.push_back(nsPerCall(baseline, iterations, 1));
        cand.push_back(nsPerCall(candidate, iterations, 1));
    }
    std::nth_element(base.begin(), base.begin() + base.size() / 2, base.end());
    std::nth_element(cand.begin(), cand.begin() + cand.size() / 2, cand.end());
    baselineNs = base[base.size() / 2];
    candidateNs = cand[cand.size() / 2];
    return candidateNs / baselineNs;
}

inline void report(const char* what, double baselineNs, double candidateNs, const char* target)
{
    std::printf("%-58s baseline %9.1f ns  candidate %9.1f ns  ratio %5.2fx  (target %s)\n", what, baselineNs,
                candidateNs, candidateNs / baselineNs, target);
}
} // namespace benchTimer
