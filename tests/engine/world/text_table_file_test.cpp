// The text file read at start-up: only a plain file of a sound size is read, and a wrong one is
// named with what is wrong with it, the texts in memory kept.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

TEST(TextTableFile, OnlyAPlainFileOfASoundSizeIsReadAndAWrongOneIsNamed) {
    const std::string dir = testing::TempFolder("texts");
    const std::string plain = dir + "/plain.TXT", pipe = dir + "/pipe.TXT", device = dir + "/device.TXT",
                      huge = dir + "/huge.TXT", missing = dir + "/missing.TXT";
    std::ofstream(plain, std::ios::binary) << "zero\r\none\r\n";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("/dev/null", device);
    // Sparse: nothing lies on the disk until a byte is asked for.
    std::ofstream(huge).put('x');
    fs::resize_file(huge, kTextTableMaxBytes + 1);
    const struct {
        const std::string& path;
        std::string why;  // empty: read
    } cases[] = {
        {plain, ""},
        {pipe, "is not a file."},
        {device, "is not a file."},
        {huge, "holds " + std::to_string(kTextTableMaxBytes + 1) + " bytes, more than a text file of the game can."},
        {missing, "cannot be read."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        TTextTable table;
        table.LoadFromString("kept\n");
        // A program that hands the pipe two lines and lets go: read, the pipe would pass for a file.
        std::thread writer;
        if (&c.path == &pipe) writer = std::thread([&] {
            const int fd = ::open(pipe.c_str(), O_WRONLY);
            if (fd >= 0) {
                EXPECT_EQ(::write(fd, "a\nb\n", 4), 4);
                ::close(fd);
            }
        });
        std::string why;
        const bool read = table.LoadFromFile(c.path, &why);
        if (writer.joinable()) {
            // Refused unopened, the pipe still waits for a reader: this one lets the writer go.
            const int fd = read ? -1 : ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
            writer.join();
            if (fd >= 0) ::close(fd);
        }
        if (c.why.empty()) {
            EXPECT_TRUE(read) << why;
            EXPECT_EQ(table.Count(), 2);
            EXPECT_EQ(table[1], "one");
        } else {
            EXPECT_FALSE(read);
            EXPECT_EQ(why, "The text file \"" + c.path + "\" " + c.why);
            EXPECT_EQ(table.Count(), 1) << "the texts in memory are kept";
            EXPECT_EQ(table[0], "kept");
        }
    }
}

}  // namespace
}  // namespace kvt
