#pragma once
// Builds the benchmark's game folders in a temporary folder.

#include <string>

namespace tarq::bench {

struct Fixture {
  std::string root;     // removed by the destructor
  std::string program;  // holds tarqcfg.dat and tarqcom.dat
  std::string game;     // holds hl.exe and valve/maps
  std::string maps;
  std::string commentFile;
  ~Fixture();
};

// `maps` map files and `records` comment records with marks and comments,
// the records in an order unlike the folder's.
void Build(Fixture& f, int maps, int records);

}  // namespace tarq::bench
