#include "platform/xlsx/ZipCheck.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
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

// The file's bytes, read whole; every read of a field is checked against its end.
class Bytes {
public:
    explicit Bytes(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}

    size_t size() const { return m_bytes.size(); }
    bool holds(size_t offset, size_t length) const { return offset <= size() && length <= size() - offset; }
    const unsigned char* at(size_t offset) const { return m_bytes.data() + offset; }
    quint16 u16(size_t offset) const { return quint16(m_bytes[offset] | m_bytes[offset + 1] << 8); }
    quint32 u32(size_t offset) const { return u16(offset) | quint32(u16(offset + 2)) << 16; }

private:
    std::vector<unsigned char> m_bytes;
};

std::optional<std::vector<unsigned char>> readWhole(int fd, QString& why)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(size_t(status.st_size));
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            why = got < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("it is shorter than it was");
            return std::nullopt;
        }
        done += size_t(got);
    }
    return bytes;
}

// The start and the end of an XML part as it unpacks, enough to tell whether
// the element it starts with is closed at its end.
class XmlEnds {
public:
    void take(const unsigned char* data, size_t length)
    {
        const size_t toHead = std::min(length, kHead - std::min(kHead, size_t(m_head.size())));
        m_head.append(reinterpret_cast<const char*>(data), qsizetype(toHead));
        if (length >= kTail)
            m_tail = QByteArray(reinterpret_cast<const char*>(data + length - kTail), kTail);
        else
            m_tail = (m_tail + QByteArray(reinterpret_cast<const char*>(data), qsizetype(length))).right(kTail);
    }

    // Why the part stops short of its end, or nothing when it ends as it began.
    QString whyCutShort() const
    {
        qsizetype at = m_head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        // The declaration and any comment or other markup before the first element.
        for (;;) {
            while (at < m_head.size() && std::isspace(static_cast<unsigned char>(m_head[at])))
                ++at;
            const char* close = m_head.mid(at).startsWith("<?")     ? "?>"
                                : m_head.mid(at).startsWith("<!--") ? "-->"
                                : m_head.mid(at).startsWith("<!")   ? ">"
                                                                    : nullptr;
            if (!close)
                break;
            const qsizetype end = m_head.indexOf(close, at);
            if (end < 0)
                return QStringLiteral("it stops before its first element");
            at = end + qsizetype(std::strlen(close));
        }
        if (at >= m_head.size() || m_head[at] != '<')
            return QStringLiteral("it stops before its first element");
        qsizetype nameEnd = at + 1;
        while (nameEnd < m_head.size() && !std::isspace(static_cast<unsigned char>(m_head[nameEnd]))
               && m_head[nameEnd] != '/' && m_head[nameEnd] != '>')
            ++nameEnd;
        const QByteArray root = m_head.mid(at + 1, nameEnd - at - 1);
        const QByteArray end = m_tail.trimmed();
        if (root.isEmpty() || nameEnd == m_head.size())
            return QStringLiteral("it stops within its first element");
        if (end.endsWith("</" + root + ">"))
            return {};
        // A first element with nothing in it, closed where it starts.
        const qsizetype tagEnd = m_head.indexOf('>', nameEnd);
        if (tagEnd > 0 && m_head[tagEnd - 1] == '/' && m_head.size() < qsizetype(kHead)
            && m_head.mid(tagEnd + 1).trimmed().isEmpty())
            return {};
        return QStringLiteral("it stops before the end of its element <%1>").arg(QString::fromUtf8(root));
    }

private:
    static constexpr size_t kHead = 1024;
    static constexpr size_t kTail = 256;
    QByteArray m_head;
    QByteArray m_tail;
};

bool isXmlPart(const QString& name)
{
    return name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive)
           || name.endsWith(QLatin1String(".rels"), Qt::CaseInsensitive);
}

class Inflater {
public:
    Inflater() { m_ok = inflateInit2(&m_stream, -MAX_WBITS) == Z_OK; }
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
    QString why;
    std::optional<std::vector<unsigned char>> read = readWhole(fd, why);
    if (!read)
        return damaged(QStringLiteral("it cannot be read back: %1").arg(why));
    const Bytes file(std::move(*read));

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
        if (!file.holds(at, kEntrySize) || file.u32(at) != kEntrySignature)
            return damaged(QStringLiteral("it is not a whole zip file: entry %1 of its directory is broken").arg(i + 1));
        const size_t nameLength = file.u16(at + 28);
        const size_t recordLength = kEntrySize + nameLength + file.u16(at + 30) + file.u16(at + 32);
        if (!file.holds(at, recordLength))
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
