#include <gtest/gtest.h>

#include <sys/stat.h>  // Required for: mkfifo

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/files/file_stream.h"
#include "runtime/files/packer.h"
#include "runtime/files/resource_archive.h"
#include "runtime/platform/files.h"
#include "tests/files/archive_writer.h"
#include "tests/files/temp_folder.h"
#include "tools/pack/archive_building.h"
#include "tools/pack/archive_listing.h"
#include "tools/pack/pack_inputs.h"

namespace fs = std::filesystem;

namespace {

class PackTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string error;

    std::string put(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        fs::create_directories(fs::path(path).parent_path());
        writeBytes(path, bytes);
        return path;
    }
    std::vector<PackInput> gather(const std::vector<std::string>& paths, const std::string& leaveOut = "") {
        std::vector<PackInput> inputs;
        EXPECT_TRUE(gatherPackInputs(paths, leaveOut, inputs, error)) << error;
        return inputs;
    }
    // What the runtime fetches from the archive under that name.
    static std::string fetched(const std::string& archivePath, const char* name) {
        ResourceArchive archive;
        archive.reset(archivePath.c_str());
        std::string out;
        if (!archiveFetch(&archive, name, out, 1)) return "<not found>";
        FileStream stream;
        if (!stream.openRead(out.c_str())) return "<cannot open>";
        std::string bytes(static_cast<size_t>(stream.size()), '\0');
        stream.read(bytes.data(), static_cast<int32_t>(bytes.size()));
        return bytes;
    }
    static int32_t packedSize(const std::string& bytes) {
        Packer packer;
        packer.method = 1;
        return static_cast<int32_t>(packer.pack(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }
    std::vector<std::string> folderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(PackTest, FilesAndFoldersBecomeEntriesUnderTheirBaseNames) {
    const std::string loose = put("loose/readme.txt", "read me");
    put("media/gfx/b.png", "b");
    put("media/gfx/a.png", "a");
    put("media/sfx/deep/z.wav", "z");
    const std::string archive = put("media/old.pak", "the archive being replaced");
    const std::vector<PackInput> inputs = gather({loose, folder.file("media")}, archive);
    std::vector<std::string> names;
    for (const PackInput& input : inputs) names.push_back(input.entryName);
    EXPECT_EQ(names, (std::vector<std::string>{"readme.txt", "a.png", "b.png", "z.wav"}));
    EXPECT_EQ(inputs[1].path, folder.file("media/gfx/a.png"));
}

TEST_F(PackTest, InputsThatCannotBeEntriesAreRefused) {
    put("clash/hud/Button.png", "hud");
    put("clash/ui/button.PNG", "ui");
    put("slash/back\\slash.png", "x");
    fs::create_directories(folder.file("fifo"));
    ASSERT_EQ(mkfifo(folder.file("fifo/pipe").c_str(), 0600), 0);
    struct Case {
        std::vector<std::string> paths;
        std::string says;
    };
    const Case cases[] = {
        {{folder.file("clash")}, "two files would be one entry: " + folder.file("clash/hud/Button.png") + " and " +
                                     folder.file("clash/ui/button.PNG")},
        {{folder.file("clash/hud/Button.png"), folder.file("clash/hud/Button.png")}, "two files would be one entry"},
        {{folder.file("slash")}, "could never be looked up"},
        {{folder.file("fifo")}, "pipe: not a regular file"},
        {{folder.file("fifo/pipe")}, "not a regular file or folder"},
        {{folder.file("absent")}, "absent: no such file or folder"},
    };
    for (const Case& c : cases) {
        std::vector<PackInput> inputs;
        EXPECT_FALSE(gatherPackInputs(c.paths, "", inputs, error)) << c.says;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST_F(PackTest, TheRuntimeReadsWhatThePackerWrites) {
    std::string big(1 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7919) >> 5);
    put("media/Hero.png", "hero");
    put("media/empty.txt", "");
    put("media/big.bin", big);
    const std::string archive = folder.file("game.pak");
    ASSERT_TRUE(writeArchiveFile(archive, gather({folder.file("media")}), error)) << error;
    EXPECT_EQ(fetched(archive, "gfx/HERO.PNG"), "hero");
    EXPECT_EQ(fetched(archive, "empty.txt"), "");
    EXPECT_EQ(fetched(archive, "big.bin"), big);
    EXPECT_EQ(fetched(archive, "media"), "<not found>");

    // Written again over the old archive.
    put("media/Hero.png", "new hero");
    ASSERT_TRUE(writeArchiveFile(archive, gather({folder.file("media")}), error)) << error;
    EXPECT_EQ(fetched(archive, "hero.png"), "new hero");

    std::string listing;
    ASSERT_TRUE(listArchive(archive, listing, error)) << error;
    char expected[200];
    std::snprintf(expected, sizeof expected,
                  "    unpacked       packed  name\n"
                  "           8 %12d  Hero.png\n"
                  "     1048576 %12d  big.bin\n"
                  "           0 %12d  empty.txt\n"
                  "3 entries\n",
                  packedSize("new hero"), packedSize(big), packedSize(""));
    EXPECT_EQ(listing, expected);
}

TEST_F(PackTest, AppendingKeepsTheProgramAndAddsTheArchive) {
    const std::string program = put("bin/game", std::string(5000, 'P'));
    fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    put("media/ball.png", "ball");
    ASSERT_TRUE(appendArchiveToProgram(program, gather({folder.file("media"), folder.file("bin")}, program), error))
        << error;
    EXPECT_EQ(readBytes(program).substr(0, 5000), std::string(5000, 'P'));
    EXPECT_EQ(fs::status(program).permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(fetched(program, "ball.png"), "ball");
    EXPECT_EQ(fetched(program, "game"), "<not found>") << "the program does not pack itself";

    const std::string before = readBytes(program);
    EXPECT_FALSE(appendArchiveToProgram(program, gather({folder.file("media")}), error));
    EXPECT_NE(error.find("already ends in an archive"), std::string::npos) << error;
    EXPECT_EQ(readBytes(program), before);
}

TEST_F(PackTest, AFailedWriteLeavesEveryFileAsItWas) {
    const std::string program = put("game", std::string(3000, 'P'));
    const std::string archive = put("game.pak", "old archive");
    put("media/ball.png", "ball");
    const std::vector<PackInput> inputs = gather({folder.file("media")});
    platform::simulateFullDisk(folder.path().string());
    EXPECT_FALSE(appendArchiveToProgram(program, inputs, error));
    EXPECT_FALSE(writeArchiveFile(archive, inputs, error));
    platform::simulateFullDisk("");
    EXPECT_EQ(readBytes(program), std::string(3000, 'P'));
    EXPECT_EQ(readBytes(archive), "old archive");
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"game", "game.pak", "media"})) << "no temporary is left";
}

TEST_F(PackTest, LinksAreNeverWrittenThrough) {
    const std::string victim = put("victim", "someone else's file");
    fs::create_symlink(victim, folder.file("link.pak"));
    fs::create_symlink(victim, folder.file("link-program"));
    put("media/ball.png", "ball");
    const std::vector<PackInput> inputs = gather({folder.file("media")});
    EXPECT_FALSE(writeArchiveFile(folder.file("link.pak"), inputs, error));
    EXPECT_NE(error.find("a link"), std::string::npos) << error;
    EXPECT_FALSE(appendArchiveToProgram(folder.file("link-program"), inputs, error));
    EXPECT_EQ(readBytes(victim), "someone else's file");
    EXPECT_TRUE(fs::is_symlink(folder.file("link.pak")));
}

TEST_F(PackTest, FilesOf2GiBAreRefusedBeforeAnythingIsWritten) {
    // Sparse files: nothing of their size is written or read.
    const std::string program = put("game", "");
    fs::resize_file(program, (uint64_t{1} << 31) - 20);
    const std::string huge = put("media/huge.bin", "");
    fs::resize_file(huge, uint64_t{1} << 31);
    put("small/a.txt", "a");

    EXPECT_FALSE(appendArchiveToProgram(program, gather({folder.file("small")}), error));
    EXPECT_NE(error.find("2 GiB or more"), std::string::npos) << error;
    EXPECT_EQ(fs::file_size(program), (uint64_t{1} << 31) - 20);

    EXPECT_FALSE(writeArchiveFile(folder.file("huge.pak"), gather({folder.file("media")}), error));
    EXPECT_NE(error.find("files of 2 GiB or more cannot be packed"), std::string::npos) << error;
    EXPECT_EQ(folderNames(), (std::vector<std::string>{"game", "media", "small"}));
}

TEST_F(PackTest, ListingsSayWhatTheRuntimeWillFind) {
    ArchiveEntry first{"Twin.png", toBytes("first"), {}, false, 0, false, 0};
    ArchiveEntry second{"twin.PNG", toBytes("second"), {}, false, 0, false, 0};
    const std::vector<uint8_t> bytes = buildArchive({first, second}, ArchiveOffsets::FromEnd, 0);
    const std::string twins = put("twins.pak", std::string(bytes.begin(), bytes.end()));
    std::string listing;
    ASSERT_TRUE(listArchive(twins, listing, error)) << error;
    EXPECT_NE(listing.find("twin.PNG  (hidden by an earlier entry of that name)\n"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("Twin.png  (hidden"), std::string::npos) << listing;

    std::string cut(bytes.begin(), bytes.end());
    cut[cut.size() - 8] = 9;  // the end mark becomes a name running into the trailer
    struct Case {
        std::string path;
        std::string says;
    };
    const Case cases[] = {
        {put("plain", "no archive here"), "no archive at its end"},
        {put("cut.pak", cut), "damaged after its last entry listed"},
        {folder.file("absent.pak"), "cannot be read"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(listArchive(c.path, listing, error)) << c.path;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

}  // namespace
