#include "platform/xlsx/ZipCheck.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <zlib.h>

namespace zorbel::xl {

namespace {

// The records of a zip file that the check reads, with the offsets of their
// fields (all little-endian).
constexpr quint32 kEndSignature = 0x06054b50;
constexpr size_t kEndSize = 22;           // entries at 10, directory size at 12, its offset at 16
constexpr quint32 kEntrySignature = 0x02014b50;
constexpr size_t kEntrySize = 46;         // method at 10, crc at 16, sizes at 20 and 24, name at 28..46
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr size_t kLocalSize = 30;         // name and extra lengths at 26 and 28
constexpr size_t kLongestComment = 0xFFFF;

// The file's bytes, mapped rather than read into the heap: a save checks
// its file just after the file writer has freed thousands of small blocks,
// and a large block taken then would first have the allocator sort them all.
// Every read of a field is checked against the end.
class Bytes {
public:
    explicit Bytes(int fd)
    {
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_size = size_t(status.st_size);
        if (m_size == 0)
            return;
        void* mapped = ::mmap(nullptr, m_size, PROT_READ, MAP_SHARED, fd, 0);
        if (mapped == MAP_FAILED) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            m_size = 0;
            return;
        }
        m_bytes = static_cast<const unsigned char*>(mapped);
    }
    ~Bytes()
    {
        if (m_bytes)
            ::munmap(const_cast<unsigned char*>(m_bytes), m_size);
    }
    Bytes(const Bytes&) = delete;
    Bytes& operator=(const Bytes&) = delete;

    /// Why the file could not be read; empty when it could.
    const QString& error() const { return m_error; }
    size_t size() const { return m_size; }
    bool holds(size_t offset, size_t length) const { return offset <= size() && length <= size() - offset; }
    const unsigned char* at(size_t offset) const { return m_bytes + offset; }
    quint16 u16(size_t offset) const { return quint16(m_bytes[offset] | m_bytes[offset + 1] << 8); }
    quint32 u32(size_t offset) const { return u16(offset) | quint32(u16(offset + 2)) << 16; }

private:
    const unsigned char* m_bytes = nullptr;
    size_t m_size = 0;
    QString m_error;
};

// The start and the end of an XML part as it unpacks, enough to tell whether
// the element it starts with is closed at its end. Held in buffers of their
// own, for the reason the file is mapped.
class XmlEnds {
public:
    void take(const unsigned char* data, size_t length)
    {
        const size_t toHead = std::min(length, m_head.size() - m_headSize);
        std::memcpy(m_head.data() + m_headSize, data, toHead);
        m_headSize += toHead;
        if (length >= m_tail.size()) {
            std::memcpy(m_tail.data(), data + length - m_tail.size(), m_tail.size());
            m_tailSize = m_tail.size();
            return;
        }
        const size_t kept = std::min(m_tailSize, m_tail.size() - length);
        std::memmove(m_tail.data(), m_tail.data() + m_tailSize - kept, kept);
        std::memcpy(m_tail.data() + kept, data, length);
        m_tailSize = kept + length;
    }

    // Why the part stops short of its end, or nothing when it ends as it began.
    QString whyCutShort() const
    {
        const QByteArray head = QByteArray::fromRawData(m_head.data(), qsizetype(m_headSize));
        const QByteArray end = QByteArray::fromRawData(m_tail.data(), qsizetype(m_tailSize)).trimmed();
        // The first tag that is no declaration or comment.
        qsizetype at = head.indexOf('<');
        while (at >= 0 && at + 1 < head.size() && (head[at + 1] == '?' || head[at + 1] == '!'))
            at = head.indexOf('<', at + 1);
        if (at < 0 || at + 1 >= head.size())
            return QStringLiteral("it stops before its first element");
        qsizetype nameEnd = at + 1;
        while (nameEnd < head.size() && !std::isspace(static_cast<unsigned char>(head[nameEnd]))
               && head[nameEnd] != '/' && head[nameEnd] != '>')
            ++nameEnd;
        const QByteArrayView root = QByteArrayView(head).sliced(at + 1, nameEnd - at - 1);
        if (root.isEmpty() || nameEnd == head.size())
            return QStringLiteral("it stops within its first element");
        if (end.endsWith('>') && QByteArrayView(end).chopped(1).endsWith(root)
            && QByteArrayView(end).chopped(1 + root.size()).endsWith("</"))
            return {};
        // A first element with nothing in it, closed where it starts.
        const qsizetype tagEnd = head.indexOf('>', nameEnd);
        if (tagEnd > 0 && head[tagEnd - 1] == '/' && m_headSize < m_head.size()
            && std::all_of(head.begin() + tagEnd + 1, head.end(),
                           [](char c) { return std::isspace(static_cast<unsigned char>(c)); }))
            return {};
        return QStringLiteral("it stops before the end of its element <%1>").arg(QString::fromUtf8(root));
    }

private:
    std::array<char, 1024> m_head;
    size_t m_headSize = 0;
    std::array<char, 256> m_tail;
    size_t m_tailSize = 0;
};

bool isXmlPart(const QString& name)
{
    return name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)
           || name.endsWith(QLatin1String(".rels"), Qt::CaseInsensitive);
}

// zlib's state and window, taken from a buffer of its own on the stack for
// the reason the file is mapped.
class Inflater {
public:
    Inflater()
    {
        m_stream.zalloc = &Inflater::take;
        m_stream.zfree = [](voidpf, voidpf) {};
        m_stream.opaque = this;
        m_ok = inflateInit2(&m_stream, -MAX_WBITS) == Z_OK;
    }
    ~Inflater()
    {
        if (m_ok)
            inflateEnd(&m_stream);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool ok() const { return m_ok; }
    z_stream& stream() { return m_stream; }

private:
    static voidpf take(voidpf opaque, uInt items, uInt size)
    {
        auto* self = static_cast<Inflater*>(opaque);
        const size_t wanted = (size_t(items) * size + 15) & ~size_t(15);
        if (wanted > self->m_memory.size() - self->m_used)
            return Z_NULL;
        void* block = self->m_memory.data() + self->m_used;
        self->m_used += wanted;
        return block;
    }

    // Its state (some 7 KB) and a window of 32 KB for the deflate format.
    alignas(16) std::array<unsigned char, 48 * 1024> m_memory;
    size_t m_used = 0;
    z_stream m_stream{};
    bool m_ok = false;
};

struct Entry {
    QString name;
    quint16 method;
    quint32 crc;
    quint32 packedSize;
    quint32 size;
    size_t data; // where its packed bytes start
};

// Unpacks one part, checking its checksum and size and, for XML, its end.
std::optional<BrokenPart> checkEntry(const Bytes& file, const Entry& entry)
{
    auto damaged = [&](const QString& why) { return BrokenPart{BrokenPart::Damaged, entry.name, why}; };
    if (!file.holds(entry.data, entry.packedSize))
        return damaged(QStringLiteral("its data runs past the end of the file"));
    XmlEnds ends;
    quint32 crc = crc32(0, nullptr, 0);
    size_t unpacked = 0;
    auto take = [&](const unsigned char* data, size_t length) {
        crc = quint32(crc32_z(crc, data, length));
        unpacked += length;
        ends.take(data, length);
    };
    if (entry.method == 0) {
        take(file.at(entry.data), entry.packedSize);
    } else if (entry.method == Z_DEFLATED) {
        Inflater inflater;
        if (!inflater.ok())
            return damaged(QStringLiteral("out of memory"));
        z_stream& stream = inflater.stream();
        stream.next_in = const_cast<Bytef*>(file.at(entry.data));
        stream.avail_in = entry.packedSize;
        std::array<unsigned char, 1 << 16> out;
        for (int result = Z_OK; result != Z_STREAM_END;) {
            stream.next_out = out.data();
            stream.avail_out = uInt(out.size());
            result = inflate(&stream, Z_NO_FLUSH);
            if (result != Z_OK && result != Z_STREAM_END)
                return damaged(QStringLiteral("it does not unpack (%1)")
                                   .arg(QString::fromLatin1(stream.msg ? stream.msg : zError(result))));
            take(out.data(), out.size() - stream.avail_out);
        }
        if (stream.avail_in != 0)
            return damaged(QStringLiteral("its packed data is longer than its content"));
    } else {
        return damaged(QStringLiteral("it is packed by method %1, which the file writer never uses").arg(entry.method));
    }
    if (unpacked != entry.size || crc != entry.crc)
        return damaged(QStringLiteral("it does not unpack to the size and checksum the file gives it"));
    if (isXmlPart(entry.name))
        if (const QString why = ends.whyCutShort(); !why.isEmpty())
            return BrokenPart{BrokenPart::CutShort, entry.name, why};
    return std::nullopt;
}

} // namespace

std::optional<BrokenPart> firstBrokenPart(int fd)
{
    auto damaged = [](const QString& why) { return BrokenPart{BrokenPart::Damaged, QString(), why}; };
    const Bytes file(fd);
    if (!file.error().isEmpty())
        return damaged(QStringLiteral("it cannot be read back: %1").arg(file.error()));

    // The directory's end record stands last, before a comment of its own.
    std::optional<size_t> end;
    if (file.size() >= kEndSize) {
        const size_t lowest = file.size() - kEndSize > kLongestComment ? file.size() - kEndSize - kLongestComment : 0;
        for (size_t at = file.size() - kEndSize + 1; at-- > lowest && !end;)
            if (file.u32(at) == kEndSignature)
                end = at;
    }
    if (!end)
        return damaged(QStringLiteral("it is not a whole zip file: its directory is missing"));
    const size_t entries = file.u16(*end + 10);
    size_t at = file.u32(*end + 16);
    if (entries == 0 || !file.holds(at, file.u32(*end + 12)) || at + file.u32(*end + 12) > *end)
        return damaged(QStringLiteral("it is not a whole zip file: its directory is out of place"));

    for (size_t i = 0; i < entries; ++i) {
        const bool fixedPart = file.holds(at, kEntrySize) && file.u32(at) == kEntrySignature;
        const size_t nameLength = fixedPart ? file.u16(at + 28) : 0;
        const size_t recordLength = fixedPart ? kEntrySize + nameLength + file.u16(at + 30) + file.u16(at + 32) : 0;
        if (!fixedPart || !file.holds(at, recordLength))
            return damaged(QStringLiteral("it is not a whole zip file: entry %1 of its directory is broken").arg(i + 1));
        Entry entry{QString::fromUtf8(reinterpret_cast<const char*>(file.at(at + kEntrySize)), qsizetype(nameLength)),
                    file.u16(at + 10), file.u32(at + 16), file.u32(at + 20), file.u32(at + 24), 0};
        const size_t local = file.u32(at + 42);
        if (!file.holds(local, kLocalSize) || file.u32(local) != kLocalSignature)
            return BrokenPart{BrokenPart::Damaged, entry.name, QStringLiteral("its header is missing")};
        entry.data = local + kLocalSize + file.u16(local + 26) + file.u16(local + 28);
        if (std::optional<BrokenPart> broken = checkEntry(file, entry))
            return broken;
        at += recordLength;
    }
    return std::nullopt;
}

} // namespace zorbel::xl
