#include "text_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char controlZ = 26;
constexpr std::size_t readBufferSize = 64 * 1024;
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

struct FaultState
{
    bool active = false;
    TextFileFaultPlan plan;
    int writes = 0;
    int reads = 0;
};

FaultState faults;

bool injectedWriteFailure()
{
    return faults.active && faults.plan.failWriteNumber > 0
        && ++faults.writes == faults.plan.failWriteNumber;
}

bool injectedReadFailure()
{
    return faults.active && faults.plan.failReadNumber > 0
        && ++faults.reads == faults.plan.failReadNumber;
}

std::string describe(const char *what, const std::string &fileName, int error)
{
    return std::string(what) + " " + fileName + ": " + std::strerror(error);
}

// One system-level read (or positional read when offset >= 0), retried when interrupted.
ssize_t readSome(int fd, char *buffer, std::size_t size, off_t offset)
{
    if (injectedReadFailure()) {
        errno = faults.plan.error;
        return -1;
    }
    for (;;) {
        const ssize_t n
            = offset >= 0 ? ::pread(fd, buffer, size, offset) : ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

// Writes all bytes, continuing after partial writes and interruptions.
bool writeAll(int fd, const char *data, std::size_t size)
{
    if (injectedWriteFailure()) {
        errno = faults.plan.error;
        return false;
    }
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to the path lands in: a symbolic link is followed to the file it names.
std::string resolveTarget(const std::string &path)
{
    struct stat linkStatus;
    if (::lstat(path.c_str(), &linkStatus) != 0 || !S_ISLNK(linkStatus.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string temporaryNameFor(const std::string &target, unsigned long long nonce)
{
    std::string base = baseNameOf(target);
    if (base.size() > 200)
        base.resize(200); // leaves room for the suffix within a file-name limit of 255 bytes
    static const char digits[] = "0123456789abcdef";
    std::string suffix;
    for (int i = 0; i < 12; ++i, nonce >>= 4)
        suffix += digits[nonce & 15];
    return folderOf(target) + "/." + base + "." + suffix + ".tmp";
}

} // namespace

// --- reading -------------------------------------------------------------------------------------

struct TextFileReader::Private
{
    int fd = -1;
    std::string fileName;
    std::vector<char> buffer = std::vector<char>(readBufferSize);
    std::size_t position = 0;
    std::size_t length = 0;
    bool finished = false;
    bool skipLineFeed = false;
    LineEnding ending = LineEnding::CarriageReturn;

    bool fill();
    LineEnding detectLineEnding();
    bool startsWithByteOrderMark();
    [[noreturn]] void throwReadError(int error);
};

void TextFileReader::Private::throwReadError(int error)
{
    throw TextFileError(describe("cannot read file", fileName, error));
}

bool TextFileReader::Private::fill()
{
    const ssize_t n = readSome(fd, buffer.data(), buffer.size(), -1);
    if (n < 0)
        throwReadError(errno);
    position = 0;
    length = static_cast<std::size_t>(n);
    return n > 0;
}

// A file with no CR before its end (physical end or Ctrl-Z) has LF line ends. Most files show a
// CR in their first line, so the scan usually stops within the first block.
LineEnding TextFileReader::Private::detectLineEnding()
{
    off_t offset = 0;
    for (;;) {
        const ssize_t n = readSome(fd, buffer.data(), buffer.size(), offset);
        if (n < 0)
            throwReadError(errno);
        if (n == 0)
            return LineEnding::LineFeed;
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == '\r')
                return LineEnding::CarriageReturn;
            if (buffer[i] == controlZ)
                return LineEnding::LineFeed;
        }
        offset += n;
    }
}

bool TextFileReader::Private::startsWithByteOrderMark()
{
    char start[3];
    const ssize_t n = readSome(fd, start, sizeof start, 0);
    if (n < 0)
        throwReadError(errno);
    return n == 3 && std::string_view(start, 3) == byteOrderMark;
}

TextFileReader::TextFileReader() : d(std::make_unique<Private>()) { }

TextFileReader::~TextFileReader()
{
    close();
}

bool TextFileReader::open(const std::string &fileName)
{
    close();
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    d->fd = fd;
    d->fileName = fileName;
    d->position = d->length = 0;
    d->finished = d->skipLineFeed = false;
    try {
        d->ending = d->detectLineEnding();
        if (d->startsWithByteOrderMark() && ::lseek(fd, byteOrderMark.size(), SEEK_SET) < 0)
            d->throwReadError(errno);
    } catch (...) {
        close();
        throw;
    }
    return true;
}

bool TextFileReader::readLine(std::string &line)
{
    line.clear();
    if (d->fd < 0 || d->finished)
        return false;
    const char terminator = d->ending == LineEnding::CarriageReturn ? '\r' : '\n';
    bool consumed = false;
    for (;;) {
        if (d->position == d->length && !d->fill()) {
            d->finished = true;
            return consumed;
        }
        const char *data = d->buffer.data();
        if (d->skipLineFeed) {
            d->skipLineFeed = false;
            if (data[d->position] == '\n') {
                ++d->position;
                continue;
            }
        }
        const char *const from = data + d->position;
        const char *const to = data + d->length;
        const char *stop = static_cast<const char *>(std::memchr(from, terminator, to - from));
        if (stop == nullptr)
            stop = to;
        if (const void *eof = std::memchr(from, controlZ, stop - from))
            stop = static_cast<const char *>(eof);
        const std::size_t end = static_cast<std::size_t>(stop - data);
        line.append(data + d->position, end - d->position);
        consumed = consumed || end > d->position;
        d->position = end;
        if (end == d->length)
            continue;
        if (data[end] == controlZ) {
            d->finished = true;
            return consumed;
        }
        ++d->position;
        d->skipLineFeed = terminator == '\r';
        return true;
    }
}

LineEnding TextFileReader::lineEnding() const
{
    return d->ending;
}

void TextFileReader::close()
{
    if (d->fd >= 0)
        ::close(d->fd);
    d->fd = -1;
}

// --- writing -------------------------------------------------------------------------------------

struct TextFileWriter::Private
{
    int fd = -1;
    std::string fileName; // as given, for messages
    std::string target;
    std::string temporary; // empty when writing straight into the target
    std::string buffer;

    bool openTemporary(const struct stat *existing);
    bool openTarget();
    void flush();
    void sync();
    [[noreturn]] void fail(const char *what, int error);
};

// A new file beside the target that replaces it on commit, with the owner and permissions of the
// file it replaces, if any.
bool TextFileWriter::Private::openTemporary(const struct stat *existing)
{
    std::random_device entropy;
    std::mt19937_64 nonces((static_cast<unsigned long long>(entropy()) << 32) ^ entropy());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = temporaryNameFor(target, nonces());
        const int opened = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (opened < 0 && errno == EEXIST)
            continue;
        if (opened < 0)
            return false;
        if (existing) {
            // Owner first: changing it may clear set-id bits that the mode then restores.
            [[maybe_unused]] const int owned = ::fchown(opened, existing->st_uid, existing->st_gid);
            ::fchmod(opened, existing->st_mode & 07777);
        }
        fd = opened;
        temporary = std::move(name);
        return true;
    }
    return false;
}

// A device or pipe cannot be replaced by a file: what is written goes straight into it.
bool TextFileWriter::Private::openTarget()
{
    fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return fd >= 0;
}

void TextFileWriter::Private::fail(const char *what, int error)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    if (!temporary.empty())
        ::unlink(temporary.c_str());
    temporary.clear();
    buffer.clear();
    throw TextFileError(describe(what, fileName, error));
}

void TextFileWriter::Private::flush()
{
    if (buffer.empty())
        return;
    if (!writeAll(fd, buffer.data(), buffer.size()))
        fail("cannot write file", errno);
    buffer.clear();
}

// Devices and pipes that keep nothing to sync say so with EINVAL; that is no failure.
void TextFileWriter::Private::sync()
{
    if (faults.active && faults.plan.failSync)
        fail("cannot write file", faults.plan.error);
    if (::fsync(fd) != 0 && !(temporary.empty() && errno == EINVAL))
        fail("cannot write file", errno);
}

TextFileWriter::TextFileWriter() : d(std::make_unique<Private>()) { }

TextFileWriter::~TextFileWriter()
{
    discard();
}

bool TextFileWriter::create(const std::string &fileName)
{
    discard();
    d->buffer.reserve(bufferSize);
    d->fileName = fileName;
    d->target = resolveTarget(fileName);
    struct stat existing;
    const bool exists = ::stat(d->target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return false;
    if (exists && !S_ISREG(existing.st_mode))
        return d->openTarget();
    if (exists && ::access(d->target.c_str(), W_OK) != 0)
        return false;
    return d->openTemporary(exists ? &existing : nullptr);
}

void TextFileWriter::write(std::string_view bytes)
{
    if (d->fd < 0)
        throw TextFileError(describe("cannot write file", d->fileName, EBADF));
    if (d->buffer.size() + bytes.size() > bufferSize)
        d->flush();
    if (bytes.size() >= bufferSize) {
        if (!writeAll(d->fd, bytes.data(), bytes.size()))
            d->fail("cannot write file", errno);
        return;
    }
    d->buffer.append(bytes);
}

void TextFileWriter::commit()
{
    if (d->fd < 0)
        throw TextFileError(describe("cannot write file", d->fileName, EBADF));
    d->flush();
    d->sync();
    const int fd = d->fd;
    d->fd = -1;
    if (::close(fd) != 0)
        d->fail("cannot write file", errno);
    if (d->temporary.empty())
        return;
    if (faults.active && faults.plan.failRename)
        d->fail("cannot replace file", faults.plan.error);
    if (::rename(d->temporary.c_str(), d->target.c_str()) != 0)
        d->fail("cannot replace file", errno);
    d->temporary.clear();

    // Make the new name itself durable; the content is already safe if this fails.
    const int folder = ::open(folderOf(d->target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void TextFileWriter::discard()
{
    if (d->fd >= 0)
        ::close(d->fd);
    d->fd = -1;
    if (!d->temporary.empty())
        ::unlink(d->temporary.c_str());
    d->temporary.clear();
    d->buffer.clear();
}

void writeTextFile(const std::string &fileName, std::string_view bytes)
{
    TextFileWriter writer;
    if (!writer.create(fileName))
        throw ZanError("cannot create file " + fileName);
    writer.write(bytes);
    writer.commit();
}

// --- fault injection -----------------------------------------------------------------------------

ScopedTextFileFaults::ScopedTextFileFaults(const TextFileFaultPlan &plan)
{
    faults = FaultState { true, plan, 0, 0 };
}

ScopedTextFileFaults::~ScopedTextFileFaults()
{
    faults = FaultState {};
}
