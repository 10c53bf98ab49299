#pragma once

#include "zan_error.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// A read or write failure of a text file after it was opened, or a failure to replace the target
// when a written file is committed. The message names the file and the system's reason:
// "cannot write file /home/a/b.csv: No space left on device".
class TextFileError : public ZanError
{
public:
    explicit TextFileError(const std::string &message) : ZanError(message) { }
};

// How the lines of a file being read end.
enum class LineEnding {
    CarriageReturn, // a CR ends a line and an LF right after it is skipped; a lone LF is text
    LineFeed, // the file holds no CR before its end: each LF ends a line
};

// Reads an 8-bit text file line by line through a buffer.
//
// A line ends at a CR, and an LF right after that CR is skipped; an LF elsewhere stays in the line.
// A file with no CR at all before its end is read with LF ending each line instead. The byte 26
// (Ctrl-Z) ends the file wherever it stands. A UTF-8 byte-order mark at the very start is skipped.
// The last line needs no terminator; lines have no length limit.
class TextFileReader
{
public:
    TextFileReader();
    ~TextFileReader();

    TextFileReader(const TextFileReader &) = delete;
    TextFileReader &operator=(const TextFileReader &) = delete;

    // Opens a regular file for reading; false when it is missing, unreadable or not a regular file.
    // Throws TextFileError when reading fails while the line ending is determined.
    bool open(const std::string &fileName);
    // Stores the next line without its terminator; false at the end of the file. Throws
    // TextFileError when reading fails.
    bool readLine(std::string &line);
    LineEnding lineEnding() const;
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Writes an 8-bit text file safely: the content goes to a new temporary file in the target's
// folder, which replaces the target only when commit() succeeded in writing, flushing and syncing
// it. Until then, and after any failure, the previous file stays as it was. A writer destroyed
// without a successful commit removes its temporary file.
//
// The new file keeps the permissions of the file it replaces (or gets the usual ones for a new
// file); a symbolic link as the target is followed, so the file it points to is replaced. A target
// that is no regular file (a device such as /dev/null, a pipe) cannot be replaced: the content is
// written straight into it, and a failure (no space left on /dev/full) is thrown all the same.
class TextFileWriter
{
public:
    TextFileWriter();
    ~TextFileWriter();

    TextFileWriter(const TextFileWriter &) = delete;
    TextFileWriter &operator=(const TextFileWriter &) = delete;

    // Prepares to replace or create the file; false when it cannot be created: the folder is
    // missing or not writable, the target is a folder or may not be written by this user. A pipe
    // is opened here, so this waits until something reads from it.
    bool create(const std::string &fileName);
    // Appends bytes; throws TextFileError when writing fails.
    void write(std::string_view bytes);
    // Writes out the rest, syncs and closes the temporary file, and renames it over the target.
    // Throws TextFileError on failure, having removed the temporary file.
    void commit();
    // Drops everything written and removes the temporary file; the target is untouched.
    void discard();

    static constexpr std::size_t bufferSize = 64 * 1024;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Creates or replaces a file with `bytes` through a TextFileWriter. Throws ZanError "cannot
// create file NAME" when it cannot be created, and TextFileError when writing fails.
void writeTextFile(const std::string &fileName, std::string_view bytes);

// Failures injected into the text-file layer for tests, counted from the moment the plan is set.
// Writes are the system-level writes of full buffers (a file shorter than
// TextFileWriter::bufferSize takes one), reads the system-level reads of the reader.
struct TextFileFaultPlan
{
    int failWriteNumber = 0; // the Nth write fails; 0 for none
    int failReadNumber = 0; // the Nth read fails; 0 for none
    bool failSync = false; // syncing a written file fails
    bool failRename = false; // replacing the target fails
    int error = 5; // the errno reported (5: EIO)
};

// Installs the plan for as long as the object lives. Not for production code.
class ScopedTextFileFaults
{
public:
    explicit ScopedTextFileFaults(const TextFileFaultPlan &plan);
    ~ScopedTextFileFaults();

    ScopedTextFileFaults(const ScopedTextFileFaults &) = delete;
    ScopedTextFileFaults &operator=(const ScopedTextFileFaults &) = delete;
};
