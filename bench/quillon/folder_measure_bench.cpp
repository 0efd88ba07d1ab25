// Folder measurement over a generated tree of 100 000 files, against
// `du -sb` on the same tree in the same run. Both walk a warm cache; each is
// run several times and the best time counts. Prints the ratio (target: at
// most 1.5).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "quillon/engine/FolderMeasure.h"
#include "quillon/engine/StdFileSource.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;
constexpr int kRounds = 5;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main() {
  std::mt19937 rng(12345);
  const fs::path root =
      fs::temp_directory_path() / ("quillon-bench-" + std::to_string(std::random_device{}()));
  uint64_t expectedBytes = 0;
  std::uniform_int_distribution<int> sizes(0, 300);
  for (int d = 0; d < kFolders; ++d) {
    // Two levels, as cache folders nest.
    const fs::path folder = root / ("group" + std::to_string(d % 10)) / ("F" + std::to_string(d));
    fs::create_directories(folder);
    for (int f = 0; f < kFilesPerFolder; ++f) {
      const int size = sizes(rng);
      std::ofstream(folder / ("file" + std::to_string(f) + ".dat"), std::ios::binary)
          << std::string(size, 'x');
      expectedBytes += static_cast<uint64_t>(size);
    }
  }
  const std::string du = "du -sb '" + root.string() + "' > /dev/null";
  if (std::system(du.c_str()) != 0) {  // warms the cache
    std::fprintf(stderr, "du failed\n");
    fs::remove_all(root);
    return 1;
  }

  StdFileSource files;
  double best = 1e300, bestDu = 1e300;
  uint64_t bytes = 0, count = 0;
  for (int round = 0; round < kRounds; ++round) {
    count = 0;
    auto start = Clock::now();
    bytes = MeasureFolder(files, root.wstring(), L"", count);
    best = std::min(best, Ms(Clock::now() - start));
    start = Clock::now();
    if (std::system(du.c_str()) != 0) return 1;
    bestDu = std::min(bestDu, Ms(Clock::now() - start));
  }
  fs::remove_all(root);
  if (bytes != expectedBytes || count != kFolders * kFilesPerFolder) {
    std::fprintf(stderr, "wrong result: %llu bytes in %llu files, expected %llu bytes\n",
                 static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(count),
                 static_cast<unsigned long long>(expectedBytes));
    return 1;
  }
  std::printf("folder measurement: %llu files, %.1f ms; du -sb: %.1f ms; ratio %.2f (target <= 1.5)\n",
              static_cast<unsigned long long>(count), best, bestDu, best / bestDu);
  return 0;
}
