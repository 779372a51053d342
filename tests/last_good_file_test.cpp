// The last good copy as a file: written whole, only where nothing stood, whatever another server
// or someone else with the folder left there, and with a time in any year.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "plugin/last_good.h"
#include "plugin/new_file.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class last_good_file_test : public ::testing::Test {
 protected:
  void SetUp() override { fs::current_path(scratch_.server()); }
  void TearDown() override { fs::current_path(original_); }

  fs::path folder() const { return scratch_.config_folder(); }
  fs::path copy() const { return folder() / "config.lastgood.json"; }
  std::vector<std::string> names_in_folder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  const fs::path original_ = fs::current_path();
  const qw_test::ScratchFolder scratch_{"last-good"};
};

TEST_F(last_good_file_test, a_new_file_is_made_only_where_nothing_stands) {
  const fs::path victim = scratch_.root() / "victim";
  std::ofstream(victim) << "victim";
  std::ofstream(folder() / "planted") << "planted";
  std::vector<fs::path> taken{folder() / "planted"};
  std::error_code no_links;  // a system that makes no links for this user lets none be planted
  fs::create_symlink(victim, folder() / "link", no_links);
  if (!no_links) taken.push_back(folder() / "link");
  fs::create_symlink(scratch_.root() / "nothing", folder() / "dangling", no_links);
  if (!no_links) taken.push_back(folder() / "dangling");
  for (const fs::path& path : taken) {
    EXPECT_TRUE(quellwarden::write_new_file(path, "new", 0).taken) << path;
  }
  EXPECT_EQ(read(victim), "victim");
  EXPECT_EQ(read(folder() / "planted"), "planted");
  EXPECT_FALSE(fs::exists(scratch_.root() / "nothing"));

  const quellwarden::NewFile fresh = quellwarden::write_new_file(folder() / "fresh", "new", 0);
  EXPECT_FALSE(fresh.taken);
  EXPECT_EQ(fresh.failure, "");
  EXPECT_EQ(read(folder() / "fresh"), "new");
}

// What another writer or someone else left at the name the copy's temporary file once always had,
// a copy half written or a link to a file of theirs, is neither reused nor followed.
TEST_F(last_good_file_test, what_stands_at_a_temporary_name_is_neither_reused_nor_followed) {
  const fs::path left = folder() / "config.lastgood.json.tmp";
  std::ofstream(left) << "{\"Wipe";
  quellwarden::keep_last_good("{}", 0);
  EXPECT_EQ(read(copy()), "{}");
  EXPECT_EQ(read(left), "{\"Wipe");

  fs::remove(left);
  const fs::path victim = scratch_.root() / "victim";
  std::ofstream(victim) << "victim";
  std::error_code no_links;
  fs::create_symlink(victim, left, no_links);
  if (no_links) GTEST_SKIP() << "this system makes no links: " << no_links.message();
  quellwarden::keep_last_good("[]", 0);
  EXPECT_EQ(read(copy()), "[]");
  EXPECT_EQ(read(victim), "victim");
  EXPECT_FALSE(fs::is_symlink(copy()));
}

// 2300 lies past what the standard library's file clock holds on some systems.
TEST_F(last_good_file_test, the_copy_keeps_the_time_it_was_written_in_any_year) {
  for (const std::int64_t now : {std::int64_t{1767895200}, std::int64_t{10413792000}}) {
    quellwarden::keep_last_good("{}", now);
    EXPECT_EQ(quellwarden::last_good_written(), now);
  }
}

// Two servers sharing the folder keep their copies while a third reads it. A race: before each
// writer had a temporary name of its own, about half the runs failed.
TEST_F(last_good_file_test, two_writers_leave_a_reader_no_empty_torn_or_mixed_copy) {
  const std::string first(64 * 1024, 'a');
  const std::string second(64 * 1024, 'b');
  quellwarden::keep_last_good(first, 0);
  std::atomic<bool> writing{true};
  int wrong = 0;
  std::thread reader([&] {
    while (writing) {
      std::ifstream in(copy(), std::ios::binary);
      if (!in) continue;  // Windows opens no file that is being renamed over
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      wrong += bytes != first && bytes != second ? 1 : 0;
    }
  });
  const auto writer = [](const std::string& bytes) {
    for (int copies = 0; copies < 200; ++copies) quellwarden::keep_last_good(bytes, copies);
  };
  std::thread one(writer, std::cref(first));
  std::thread other(writer, std::cref(second));
  one.join();
  other.join();
  writing = false;
  reader.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(names_in_folder(), std::vector<std::string>{"config.lastgood.json"});
}

}  // namespace
