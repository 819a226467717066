#pragma once
// What both benchmark programs share: timing a subject against its floor
// in the same run, and the table they print.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarq::bench {

double Seconds(const std::function<void()>& fn);
double Median(std::vector<double> v);
// The median of subject[i] / floor[i]: runs paired in time, so that a slow
// phase of the machine weighs on both sides of a ratio.
double PairedRatio(const std::vector<double>& subject, const std::vector<double>& floor);

// Runs subject and floor alternately so that both see the same machine;
// their medians, in seconds.
std::pair<double, double> Compare(int runs, const std::function<void()>& subject,
                                  const std::function<void()>& floor);

struct Row {
  std::string number;
  std::string what;
  std::string value;
  std::string floorWhat;
  std::string floorValue;
  double ratio;
  std::string target;
  bool met;
};

std::string Ms(double seconds);
std::string MiB(double kib);

// The table, then whether every target was met; true when it was.
bool Print(const std::vector<Row>& rows);

}  // namespace tarq::bench
