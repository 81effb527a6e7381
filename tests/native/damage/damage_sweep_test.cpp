// Installers built by the packer, damaged in every way a download or a disk
// can damage them: cut short at every offset of the head and at offsets
// spread through the file items, and with every byte of the head and bytes
// spread through the items changed. Each case must end in a clean load or in
// one of the installer's own messages; every file item that decodes has its
// Adler-32 checked by the replay. The counts per kind of damage and ending
// are printed.
#include <gtest/gtest.h>

#include <chrono>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/native/damage/documented_failures.h"
#include "tests/native/damage/startup_replay.h"
#include "tests/native/damage/tiny_product.h"

namespace tidemark::test {
namespace {

// Offsets sampled in the file items, per kind of damage.
constexpr int kItemSamples = 97;
// Two changes per byte: the lowest bit (a digit mostly stays a digit, so
// sizes and counts change value) and all bits.
constexpr uint8_t kFlips[] = {0x01, 0xFF};

struct Variant {
  const char* name;
  bool scrambled;
  const char* running_name;  // "uninstall.exe" waives the checksum
};

constexpr Variant kVariants[] = {
    {"plain", false, "setup.exe"},
    {"scrambled", true, "setup.exe"},
    {"scrambled as uninstall.exe", true, "uninstall.exe"},
};

// Counts of endings per kind of damage, and the cases that broke the rules.
class Tally {
 public:
  void Note(const std::string& damage, const std::string& case_name, const Bytes& installer,
            const char* running_name) {
    for (auto replay : {ReplayInstaller, ReplayToolWalk}) {
      ExeImage image;
      image.Assign(installer);
      const ReplayResult result = replay(image, running_name);
      if (replay == ReplayInstaller) {
        ++counts_[damage][result.loaded() ? "clean load" : FailureKind(result.failure)];
        files_checked_ += result.files_checked;
        pictures_refused_ += result.pictures_refused;
      }
      if (!result.loaded() && !IsDocumentedFailure(result.failure)) {
        faults_.push_back(case_name + ": \"" + result.failure + "\"");
      }
      if (result.loaded() && damage.rfind("truncated", 0) == 0) {
        faults_.push_back(case_name + ": a cut-short installer loaded cleanly");
      }
    }
    ++cases_;
  }

  const std::vector<std::string>& faults() const { return faults_; }
  int cases() const { return cases_; }

  std::string Summary() const {
    std::ostringstream out;
    for (const auto& [damage, endings] : counts_) {
      int total = 0;
      for (const auto& ending : endings) total += ending.second;
      out << damage << " (" << total << " cases)\n";
      for (const auto& [ending, count] : endings) {
        out << "  " << std::setw(6) << count << "  " << ending << "\n";
      }
    }
    out << cases_ << " cases; " << files_checked_ << " file items decoded and checked; "
        << pictures_refused_ << " pictures left empty\n";
    return out.str();
  }

 private:
  std::map<std::string, std::map<std::string, int>> counts_;
  std::vector<std::string> faults_;
  int cases_ = 0;
  int64_t files_checked_ = 0;
  int64_t pictures_refused_ = 0;
};

// `count` offsets spread evenly over [from, to).
std::vector<size_t> Spread(size_t from, size_t to, int count) {
  std::vector<size_t> offsets;
  for (int i = 0; i < count && from < to; ++i) {
    const size_t offset = from + (to - from) * static_cast<size_t>(i) / static_cast<size_t>(count);
    if (offsets.empty() || offsets.back() != offset) offsets.push_back(offset);
  }
  return offsets;
}

void SweepVariant(const Variant& variant, Tally& tally) {
  const Bytes installer = PackTinyProduct(variant.scrambled);
  const size_t payload_start = static_cast<size_t>(PayloadStartOf(installer));
  const std::string prefix = std::string(variant.name) + ", ";

  // The undamaged installer loads cleanly, with all three files.
  ExeImage intact;
  intact.Assign(installer);
  const ReplayResult clean = ReplayInstaller(intact, variant.running_name);
  ASSERT_TRUE(clean.loaded()) << variant.name << ": " << clean.failure;
  ASSERT_EQ(clean.files_checked, 3);
  ASSERT_EQ(clean.pictures_refused, 0);
  // A scrambled container's tail byte follows the last item; cutting it off
  // leaves every item whole.
  const size_t items_end = static_cast<size_t>(intact.Position());

  std::vector<size_t> head(payload_start);
  for (size_t i = 0; i < payload_start; ++i) head[i] = i;
  const std::vector<size_t> items = Spread(payload_start, items_end, kItemSamples);

  for (const auto& [region, offsets] : {std::pair{"head", head}, std::pair{"file items", items}}) {
    for (size_t offset : offsets) {
      tally.Note(prefix + "truncated in the " + region, prefix + "cut at " + std::to_string(offset),
                 Bytes(installer.begin(), installer.begin() + static_cast<std::ptrdiff_t>(offset)),
                 variant.running_name);
      for (uint8_t flip : kFlips) {
        Bytes damaged = installer;
        damaged[offset] ^= flip;
        tally.Note(prefix + "byte changed in the " + region,
                   prefix + "byte " + std::to_string(offset) + " ^ " + std::to_string(flip),
                   damaged, variant.running_name);
      }
    }
  }
}

TEST(DamageSweep, EveryDamagedInstallerEndsCleanlyOrWithItsOwnMessage) {
  const auto started = std::chrono::steady_clock::now();
  Tally tally;
  for (const Variant& variant : kVariants) SweepVariant(variant, tally);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::cout << tally.Summary() << "sweep took " << std::fixed << std::setprecision(1) << seconds
            << " s\n";
  for (const std::string& fault : tally.faults()) ADD_FAILURE() << fault;
  EXPECT_GT(tally.cases(), 5000);
}

}  // namespace
}  // namespace tidemark::test
