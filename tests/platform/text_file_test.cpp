#include "text_file.h"

#include "device_node.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class TextFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zan-text-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string file(const std::string &name) const { return folder + "/" + name; }

    void put(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

    std::string get(const std::string &name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::vector<std::string> linesOf(const std::string &bytes, LineEnding *ending = nullptr)
    {
        put("lines.txt", bytes);
        TextFileReader reader;
        EXPECT_TRUE(reader.open(file("lines.txt")));
        std::vector<std::string> lines;
        std::string line;
        while (reader.readLine(line))
            lines.push_back(line);
        if (ending != nullptr)
            *ending = reader.lineEnding();
        return lines;
    }

    std::size_t entryCount() const
    {
        return static_cast<std::size_t>(std::distance(
            std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    }

    std::string folder;
};

using Lines = std::vector<std::string>;

// Everything read from the descriptor until its writer closes; closes it.
std::string drain(int fd)
{
    ::fcntl(fd, F_SETFL, 0);
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return bytes;
}

} // namespace

TEST_F(TextFile, ReaderSplitsLinesByTheFilesLineEnds)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        Lines lines;
        LineEnding ending;
    };
    const auto cr = LineEnding::CarriageReturn;
    const auto lf = LineEnding::LineFeed;
    const Case cases[] = {
        { "empty file", "", {}, lf },
        { "CR LF", "a\r\nb\r\n", { "a", "b" }, cr },
        { "CR alone", "a\rb\r", { "a", "b" }, cr },
        { "last line unterminated", "a\r\nb", { "a", "b" }, cr },
        { "empty lines count", "\r\n\r\na\r\n", { "", "", "a" }, cr },
        { "lone LF stays in a CR file", "a\nb\r\nc\n", { "a\nb", "c\n" }, cr },
        { "CR CR LF gives an empty line", "a\r\r\nb", { "a", "", "b" }, cr },
        { "LF-only file", "a\nb\n\nc", { "a", "b", "", "c" }, lf },
        { "Ctrl-Z ends the file mid-line",
            "a\r\nb\x1A"
            "c\r\nd",
            { "a", "b" }, cr },
        { "Ctrl-Z right after a line end", "a\r\n\x1A", { "a" }, cr },
        { "Ctrl-Z first",
            "\x1A"
            "a\r\n",
            {}, lf },
        { "CR after Ctrl-Z does not count", "a\nb\x1A\r\n", { "a", "b" }, lf },
        { "byte-order mark skipped",
            "\xEF\xBB\xBF"
            "a\r\nb",
            { "a", "b" }, cr },
        { "partial byte-order mark is text", "\xEF\xBB", { "\xEF\xBB" }, lf },
        { "NUL and 8-bit bytes kept", std::string("\0\xFF\r\n", 4), { std::string("\0\xFF", 2) },
            cr },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LineEnding ending;
        EXPECT_EQ(linesOf(c.bytes, &ending), c.lines);
        EXPECT_EQ(ending, c.ending);
    }
}

TEST_F(TextFile, ReaderHandlesLinesAndPairsAcrossBufferBoundaries)
{
    const std::string longLine(200000, 'x');
    EXPECT_EQ(linesOf(longLine + "\r\ny"), (Lines { longLine, "y" }));

    // A CR LF pair split between two reads still ends one line only.
    const std::string head(64 * 1024 - 1, 'h');
    EXPECT_EQ(linesOf(head + "\r\nz"), (Lines { head, "z" }));
    // An LF-only file whose first CR would lie beyond the first block has none.
    EXPECT_EQ(linesOf(longLine + "\n" + longLine), (Lines { longLine, longLine }));
}

TEST_F(TextFile, ReaderRefusesWhatIsNoReadableFile)
{
    TextFileReader reader;
    EXPECT_FALSE(reader.open(file("missing")));
    EXPECT_FALSE(reader.open(folder));
    std::string line;
    EXPECT_FALSE(reader.readLine(line));
}

TEST_F(TextFile, WriterReplacesTheTargetOnlyOnCommit)
{
    put("doc.csv", "old");
    TextFileWriter writer;
    ASSERT_TRUE(writer.create(file("doc.csv")));
    writer.write("new ");
    writer.write(std::string(100000, 'n')); // larger than the buffer
    writer.write(" end");
    EXPECT_EQ(get("doc.csv"), "old");
    EXPECT_EQ(entryCount(), 2u) << "the content goes to a temporary file beside the target";
    writer.commit();
    EXPECT_EQ(get("doc.csv"), "new " + std::string(100000, 'n') + " end");
    EXPECT_EQ(entryCount(), 1u);
}

TEST_F(TextFile, WriterWritesStraightIntoWhatIsNoRegularFile)
{
    struct Case
    {
        const char *name;
        std::string path;
        mode_t type; // of the path itself, before and after the save
        std::string error; // the system's reason, or empty
    };
    put("doc.csv", "old");
    ASSERT_EQ(::symlink(file("doc.csv").c_str(), file("doc-link").c_str()), 0);
    ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0600), 0);
    const std::string full = memoryDeviceNode(folder, MemoryDevice::Full);
    ASSERT_EQ(::symlink(full.c_str(), file("full-link").c_str()), 0);
    const Case cases[] = {
        { "regular file", file("doc.csv"), S_IFREG, "" },
        { "link to a regular file", file("doc-link"), S_IFLNK, "" },
        { "pipe", file("pipe"), S_IFIFO, "" },
        { "null device", memoryDeviceNode(folder, MemoryDevice::Null), S_IFCHR, "" },
        { "full device", full, S_IFCHR, "No space left on device" },
        { "link to the full device", file("full-link"), S_IFLNK, "No space left on device" },
    };
    const std::string content = std::string(TextFileWriter::bufferSize, 'c') + " end";
    const std::size_t entries = entryCount();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // A reader holds the pipe open from the start, so that opening it for writing goes on.
        const int pipeEnd = c.type == S_IFIFO ? ::open(c.path.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        std::future<std::string> piped;
        std::string error;
        try {
            TextFileWriter writer;
            ASSERT_TRUE(writer.create(c.path));
            if (pipeEnd >= 0)
                piped = std::async(std::launch::async, [pipeEnd] { return drain(pipeEnd); });
            writer.write("new ");
            writer.write(content);
            writer.commit();
        } catch (const TextFileError &failure) {
            error = failure.what();
        }
        EXPECT_EQ(error, c.error.empty() ? "" : "cannot write file " + c.path + ": " + c.error);
        struct stat status;
        ASSERT_EQ(::lstat(c.path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & S_IFMT, c.type);
        EXPECT_EQ(entryCount(), entries) << "no temporary file left";
        if (piped.valid()) {
            EXPECT_TRUE(piped.get() == "new " + content) << "the pipe's reader got it all";
        }
    }
    EXPECT_EQ(get("doc.csv"), "new " + content);
}

TEST_F(TextFile, AbandonedWriterLeavesTheTargetAndNoTemporaryFile)
{
    put("doc.csv", "old");
    {
        TextFileWriter writer;
        ASSERT_TRUE(writer.create(file("doc.csv")));
        writer.write("half of the new content");
    }
    EXPECT_EQ(get("doc.csv"), "old");
    EXPECT_EQ(entryCount(), 1u);
}

TEST_F(TextFile, NewFileGetsTheUsualPermissions)
{
    const mode_t mask = ::umask(022);
    TextFileWriter writer;
    ASSERT_TRUE(writer.create(file("fresh.csv")));
    writer.commit();
    ::umask(mask);
    struct stat status;
    ASSERT_EQ(::stat(file("fresh.csv").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(TextFile, InjectedFailuresKeepTheOldFile)
{
    struct Case
    {
        const char *name;
        TextFileFaultPlan plan;
        const char *message;
    };
    const Case cases[] = {
        { "first write", { 1, 0, false, false, 28 },
            "cannot write file %: No space left on device" },
        { "third write", { 3, 0, false, false, 5 }, "cannot write file %: Input/output error" },
        { "sync", { 0, 0, true, false, 5 }, "cannot write file %: Input/output error" },
        { "rename", { 0, 0, false, true, 13 }, "cannot replace file %: Permission denied" },
    };
    const std::string content(3 * TextFileWriter::bufferSize + 10, 'c');
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put("doc.csv", "old");
        std::string message = c.message;
        message.replace(message.find('%'), 1, file("doc.csv"));
        ScopedTextFileFaults faults(c.plan);
        TextFileWriter writer;
        ASSERT_TRUE(writer.create(file("doc.csv")));
        try {
            for (std::size_t at = 0; at < content.size(); at += 1000)
                writer.write(std::string_view(content).substr(at, 1000));
            writer.commit();
            ADD_FAILURE() << "no failure";
        } catch (const TextFileError &error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
        EXPECT_EQ(get("doc.csv"), "old");
        EXPECT_EQ(entryCount(), 1u);
    }
}

TEST_F(TextFile, InjectedReadFailureIsReported)
{
    // Reads: the search for a CR, the check for a byte-order mark, then the first block.
    put("doc.csv", "x\r\n" + std::string(200000, 'a'));
    ScopedTextFileFaults faults({ 0, 3, false, false, 5 });
    TextFileReader reader;
    ASSERT_TRUE(reader.open(file("doc.csv")));
    std::string line;
    EXPECT_THROW(reader.readLine(line), TextFileError);
}
