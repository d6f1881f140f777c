#include "ZipArchive.h"

#include "BlockWriter.h"

#include <QFile>

#include <zip.h>

#include <new>
#include <vector>

namespace {

// No token of a sheet's XML is longer: what is left unread beyond it is a damaged entry.
constexpr std::size_t kLongestToken = std::size_t(64) << 20;
constexpr std::size_t kBlock = std::size_t(1) << 20;

// Blocks inflated ahead of the one read.
constexpr std::size_t kBlocksAhead = 4;

struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

QString archiveError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

} // namespace

void ZipArchive::Closer::operator()(zip* archive) const
{
    zip_discard(archive);
}

ZipArchive::ZipArchive() = default;
ZipArchive::~ZipArchive() = default;

bool ZipArchive::open(const QString& path, QString& reason)
{
    int code = 0;
    archive.reset(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code));
    if (!archive)
        reason = code == ZIP_ER_NOZIP ? QStringLiteral("not a ZIP archive") : archiveError(code);
    return bool(archive);
}

bool ZipArchive::contains(const std::string& entry) const
{
    return zip_name_locate(archive.get(), entry.c_str(), 0) >= 0;
}

std::uint64_t ZipArchive::inflatedSize(const std::string& entry) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive.get(), entry.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return 0;
    return stat.size;
}

bool ZipArchive::read(const std::string& entry, std::size_t limit, std::string& bytes, QString& reason) const
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive.get(), entry.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        reason = QStringLiteral("%1 is missing").arg(QString::fromStdString(entry));
        return false;
    }
    if (stat.size > limit) {
        reason = QStringLiteral("%1 is too large (%2 bytes)").arg(QString::fromStdString(entry)).arg(stat.size);
        return false;
    }
    bytes.clear();
    const auto keep = [&](std::string_view piece, bool) {
        bytes.append(piece.data(), piece.size());
        return piece.size();
    };
    if (!stream(entry, keep, [&] { return bytes.size() > limit; }, [] { return false; }, reason))
        return false;
    if (bytes.size() > limit) {
        reason = QStringLiteral("%1 is larger than it says").arg(QString::fromStdString(entry));
        return false;
    }
    return true;
}

// Inflating takes about as long as reading the XML, so a thread of its own inflates the
// next blocks while this one reads. An entry whose stored size is a lie is read only as far
// as its XML goes.
bool ZipArchive::stream(const std::string& entry, const Scan& scan, const std::function<bool()>& done,
                        const std::function<bool()>& malformed, QString& reason) const
{
    const QString name = QString::fromStdString(entry);
    const Entry file(zip_fopen(archive.get(), entry.c_str(), 0));
    if (!file) {
        reason = QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(zip_strerror(archive.get())));
        return false;
    }
    BlockQueue blocks(kBlocksAhead);
    const BlockWriter inflater(blocks, [&] { inflate(file.get(), name, blocks); });
    std::string pending;
    std::string block;
    for (;;) {
        const bool more = blocks.pop(block);
        pending.append(block);
        pending.erase(0, scan(pending, !more));
        if (malformed()) {
            reason = QStringLiteral("%1 is not well-formed XML").arg(name);
            return false;
        }
        if (!more) {
            reason = blocks.failure();
            return reason.isEmpty();
        }
        if (done())
            return true;
        if (pending.size() > kLongestToken) {
            reason = QStringLiteral("%1 holds an element too long to read").arg(name);
            return false;
        }
    }
}

// Runs on the inflating thread.
void ZipArchive::inflate(zip_file_t* file, const QString& name, BlockQueue& blocks)
{
    try {
        for (;;) {
            std::string block(kBlock, '\0');
            const zip_int64_t got = zip_fread(file, block.data(), block.size());
            if (got <= 0) {
                blocks.close(got < 0 ? QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(zip_file_strerror(file)))
                                     : QString());
                return;
            }
            block.resize(std::size_t(got));
            if (!blocks.push(std::move(block)))
                return;
        }
    } catch (const std::bad_alloc&) {
        blocks.close(QStringLiteral("not enough memory"));
    }
}
