// Times each pass of the picture scan: `quillstone_scan_bench [--reps N] PICTURE...` prints, per
// picture, the symbols found and the median milliseconds of each pass (decoding the file
// included) over N runs, default 5.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "quillstone/platform/Error.h"
#include "quillstone/scanning/ImageScanner.h"

using quillstone::ImageScanner;

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Time(const std::string& picture, int reps) {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> times;
  std::map<std::string, int> found;
  std::vector<double> totals;
  std::size_t symbols = 0;
  for (int rep = 0; rep < reps; ++rep) {
    std::vector<ImageScanner::Pass> passes;
    symbols = ImageScanner::Scan(picture, &passes).size();
    double total = 0;
    for (const auto& pass : passes) {
      if (!times.contains(pass.name)) order.push_back(pass.name);
      times[pass.name].push_back(pass.milliseconds);
      found[pass.name] = pass.found;
      total += pass.milliseconds;
    }
    totals.push_back(total);
  }
  std::printf("%s: %zu symbols, %.1f ms (median of %d)\n", picture.c_str(), symbols, Median(totals), reps);
  for (const auto& name : order)
    std::printf("  %-16s %9.1f ms  %3d found\n", name.c_str(), Median(times[name]), found[name]);
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 5;
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--reps" && i + 1 < argc) {
      reps = std::max(1, std::atoi(argv[++i]));
      continue;
    }
    try {
      Time(arg, reps);
    } catch (const quillstone::Error& e) {
      std::fprintf(stderr, "%s\n", e.what());
      status = 1;
    }
  }
  return status;
}
