#include "bench_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tarq::bench {

double Seconds(const std::function<void()>& fn) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  fn();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double PairedRatio(const std::vector<double>& subject, const std::vector<double>& floor) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < subject.size() && i < floor.size(); ++i) {
    ratios.push_back(subject[i] / floor[i]);
  }
  return Median(ratios);
}

std::pair<double, double> Compare(int runs, const std::function<void()>& subject,
                                  const std::function<void()>& floor) {
  subject();  // warm caches once
  floor();
  std::vector<double> s, f;
  for (int i = 0; i < runs; ++i) {
    s.push_back(Seconds(subject));
    f.push_back(Seconds(floor));
  }
  return {Median(s), Median(f)};
}

std::string Ms(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
  return text;
}

std::string MiB(double kib) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MiB", kib / 1024.0);
  return text;
}

bool Print(const std::vector<Row>& rows) {
  std::printf("| # | measure | median | floor | floor median | ratio | target | met |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  bool all = true;
  for (const Row& r : rows) {
    std::printf("| %s | %s | %s | %s | %s | %.2f | %s | %s |\n", r.number.c_str(), r.what.c_str(),
                r.value.c_str(), r.floorWhat.c_str(), r.floorValue.c_str(), r.ratio,
                r.target.c_str(), r.met ? "yes" : "NO");
    all = all && r.met;
  }
  std::printf("\n%s\n", all ? "all targets met" : "some targets missed");
  return all;
}

}  // namespace tarq::bench
