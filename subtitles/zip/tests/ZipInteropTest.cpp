// Archives written by other tools (Info-ZIP zip and Python's zipfile, stored and deflated) are read:
// contents, empty entries, folder entries, UTF-8 names and modification times.
#include "subtitles/zip/TZipControl.h"

#include "foundation/tests/TempDir.h"
#include "subtitles/zip/ZipTime.h"
#include "subtitles/zip/tests/ProcessRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <utime.h>

namespace {

constexpr int64_t kFileTime = 1614834367; // 2021-03-04 05:06:07 UTC

struct SourceFile {
    std::string Name;
    std::string Content;
};

const std::vector<SourceFile>& SourceFiles() {
    static const std::vector<SourceFile> files = [] {
        std::string big;
        for (int i = 0; big.size() < 200000; ++i) {
            big += "Line " + std::to_string(i) + " of a long script\n";
        }
        return std::vector<SourceFile>{{"plain.txt", "plain text\n"},
                                       {"sub/inner.ssa", "[Script Info]\n"},
                                       {"Ünïcödé 日本.txt", "utf-8 name\n"},
                                       {"big.txt", big}};
    }();
    return files;
}

struct Maker {
    const char* Label;
    std::vector<std::string> Command; // run in the source folder; "%OUT%" is the archive path
    bool KeepsExactTime;              // writes the "UT" field with the file's own time
};

const char* const kPythonMaker = R"(
import os, sys, zipfile
method = zipfile.ZIP_DEFLATED if sys.argv[2] == 'deflated' else zipfile.ZIP_STORED
with zipfile.ZipFile(sys.argv[1], 'w', method) as zf:
    zf.writestr(zipfile.ZipInfo('sub/', (2021, 3, 4, 5, 6, 8)), '')
    for root, dirs, files in sorted(os.walk('.')):
        for name in sorted(files):
            path = os.path.relpath(os.path.join(root, name), '.')
            zf.write(path, path)
)";

void PrintTo(const Maker& maker, std::ostream* out) {
    *out << maker.Label;
}

class ZipInteropTest : public ::testing::TestWithParam<Maker> {
protected:
    void SetUp() override {
        for (const SourceFile& file : SourceFiles()) {
            std::filesystem::create_directories(
                std::filesystem::path(dir_.Path("src/" + file.Name)).parent_path());
            const std::string path = dir_.Write("src/" + file.Name, file.Content);
            const utimbuf times{kFileTime, kFileTime};
            ::utime(path.c_str(), &times);
        }
        dir_.Write("src/empty.txt", "");
        std::vector<std::string> command = GetParam().Command;
        for (std::string& arg : command) {
            if (arg == "%OUT%") {
                arg = archive_;
            }
        }
        const ProcessResult made = RunProcess(command, dir_.Path("src"));
        ASSERT_EQ(made.ExitCode, 0) << made.Output;
        ASSERT_TRUE(zip_.Open(archive_.c_str())) << ZipErrorText(zip_.LastError());
    }

    TempDir dir_;
    const std::string archive_ = dir_.Path("made.zip");
    TZipControl zip_;
};

TEST_P(ZipInteropTest, ReadsEveryFileWithItsNameAndTime) {
    for (const SourceFile& file : SourceFiles()) {
        TZipEntry record{};
        ASSERT_GE(zip_.FindEntry(file.Name.c_str(), &record, true), 0) << file.Name;
        EXPECT_EQ(record.UncompressedSize, file.Content.size());
        char* buffer = nullptr;
        uint32_t size = 0;
        ASSERT_TRUE(zip_.ReadEntry(file.Name.c_str(), buffer, size))
            << file.Name << ": " << ZipErrorText(zip_.LastError());
        EXPECT_EQ(std::string(buffer, size), file.Content);
        TZipControl::FreeBuffer(buffer);
        if (GetParam().KeepsExactTime) {
            const TFileTime expected = ziptime::FromUnix(kFileTime);
            EXPECT_EQ(record.LastWriteTime.Low, expected.Low);
            EXPECT_EQ(record.LastWriteTime.High, expected.High);
        }
    }
}

TEST_P(ZipInteropTest, TellsFoldersAndEmptyFilesApart) {
    TZipEntry folder{};
    ASSERT_GE(zip_.FindEntry("sub/", &folder, true), 0);
    EXPECT_NE(folder.Attributes & zipattr::kDirectory, 0u);
    char* buffer = nullptr;
    uint32_t size = 0;
    EXPECT_FALSE(zip_.ReadEntry("sub/", buffer, size));
    EXPECT_EQ(zip_.LastError(), TZipError::NotAFile);
    EXPECT_FALSE(zip_.ReadEntry("empty.txt", buffer, size));
    EXPECT_EQ(zip_.LastError(), TZipError::EmptyEntry);
    TZipEntry empty{};
    ASSERT_GE(zip_.FindEntry("EMPTY.TXT", &empty, false), 0);
    EXPECT_EQ(empty.Attributes & zipattr::kDirectory, 0u);
}

TEST_P(ZipInteropTest, ExtractsFilesOfSubfolders) {
    std::filesystem::create_directory(dir_.Path("out"));
    ASSERT_TRUE(zip_.ExtractEntry("sub/inner.ssa", dir_.Path("out").c_str()));
    EXPECT_EQ(TempDir::Read(dir_.Path("out/sub/inner.ssa")), "[Script Info]\n");
}

INSTANTIATE_TEST_SUITE_P(
    Tools, ZipInteropTest,
    ::testing::Values(Maker{"InfoZipDeflated", {"zip", "-q", "-r", "-9", "%OUT%", "."}, true},
                      Maker{"InfoZipStored", {"zip", "-q", "-r", "-0", "%OUT%", "."}, true},
                      Maker{"PythonDeflated", {"python3", "-c", kPythonMaker, "%OUT%", "deflated"}, false},
                      Maker{"PythonStored", {"python3", "-c", kPythonMaker, "%OUT%", "stored"}, false}),
    [](const ::testing::TestParamInfo<Maker>& info) { return std::string(info.param.Label); });

} // namespace
