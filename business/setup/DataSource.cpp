#include "DataSource.h"

#include "platform/data/DataSourceSettings.h"
#include "platform/data/DatabaseFile.h"
#include "platform/data/OdbcSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zorbel::setup {
namespace {

// What the set-up writes into a data source it registers, and so how it knows one again.
const QString kDescription = QStringLiteral("Zorbel embedded database");
const QString kJournalMode = QStringLiteral("WAL");
const QString kTimeoutMs = QStringLiteral("30000");
// The busy timeout in data sources that set-ups with the rollback journal registered.
const QString kEarlierTimeoutMs = QStringLiteral("5000");

// One "Key=Value" line of an ini section, by its place among the file's lines.
struct IniLine {
    qsizetype index;
    QString key;
    QString value;
};

struct Section {
    std::vector<IniLine> keys;
    qsizetype end = -1; // after its last line that is not empty; -1: no such section
    // The lines that open a section of the name: the driver manager reads the
    // first and never sees the others.
    std::vector<qsizetype> headers;

    const IniLine* find(const QString& key) const {
        for (const IniLine& line : keys)
            if (line.key.compare(key, Qt::CaseInsensitive) == 0)
                return &line;
        return nullptr;
    }
};

// The section of a data source in an ini file's lines, as the driver manager
// reads it, and where the file names it again.
Section sectionOf(const QStringList& lines, const QString& name) {
    Section section;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(u'[')) {
            inside = line.compare(u'[' + name + u']', Qt::CaseInsensitive) == 0;
            if (inside)
                section.headers.push_back(i);
            if (inside && section.headers.size() == 1)
                section.end = i + 1;
            continue;
        }
        if (!inside || section.headers.size() > 1 || line.isEmpty())
            continue;
        section.end = i + 1;
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && !line.startsWith(u'#') && !line.startsWith(u';'))
            section.keys.push_back({i, line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return section;
}

QString octal(mode_t mode) {
    return QStringLiteral("%1").arg(mode & 07777, 4, 8, QChar(u'0'));
}

// What the group's and everyone else's rights let other users do with a file or folder.
QString whatOthersMay(mode_t mode, bool folder) {
    if (mode & 044)
        return (mode & 022) ? QStringLiteral("read and change it") : QStringLiteral("read it");
    if (mode & 022)
        return QStringLiteral("change it");
    return folder ? QStringLiteral("enter it") : QStringLiteral("run it");
}

// Takes the group's and everyone else's rights away from a file or folder
// the user owns; says so, or gives nothing when there was nothing to change.
// A file it may not change (another account's) or cannot (a read-only disk,
// a FAT stick) is said to stay open to other users, and the program still
// starts. Another account's folder is left without a word: the files in it
// are named on their own, and it shows no more than their names.
QString makeOwnersAlone(const QString& path, bool folder) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || (info.st_mode & 077) == 0
        || (folder ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode)))
        return {};
    QString why = QStringLiteral("it belongs to another account");
    if (info.st_uid == ::geteuid()) {
        const mode_t mode = info.st_mode & 07700;
        if (::chmod(name.constData(), mode) == 0)
            return QStringLiteral("Made %1 its owner's alone (mode %2, it was %3)")
                .arg(path, octal(mode), octal(info.st_mode));
        why = QString::fromLocal8Bit(std::strerror(errno));
    } else if (folder) {
        return {};
    }
    return QStringLiteral("Could not make %1 its owner's alone (mode %2), so other users can %3: %4")
        .arg(path, octal(info.st_mode), whatOthersMay(info.st_mode, folder), why);
}

// The database file and the journal files SQLite keeps beside it.
QStringList databaseFiles(const QString& database) {
    return {database, database + QStringLiteral("-wal"), database + QStringLiteral("-shm"),
            database + QStringLiteral("-journal")};
}

// A folder that holds nothing but the database and its journal files, so
// that closing it to others closes nothing else.
bool isDatabaseFolder(const QString& database) {
    const QFileInfo file(database);
    const QStringList own = databaseFiles(file.fileName());
    const QStringList held =
        file.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return std::all_of(held.begin(), held.end(), [&](const QString& entry) { return own.contains(entry); });
}

// The lines of an ini file; nothing when it cannot be read.
std::optional<QStringList> linesOf(const QString& path) {
    QFile ini(path);
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    return QString::fromUtf8(ini.readAll()).split(u'\n');
}

// The file a link names, as the system finds it: a relative target is taken
// from the link's own folder, not from the folder the set-up runs in.
QString linkTarget(const QString& link) {
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(QFile::encodeName(link).constData(), target.data(), target.size());
    if (length < 0 || length >= target.size())
        throw std::runtime_error(("cannot read the link " + link + ": "
                                  + QString::fromLocal8Bit(std::strerror(length < 0 ? errno : ENAMETOOLONG)))
                                     .toStdString());
    target.truncate(length);
    const QString path = QFile::decodeName(target);
    return QDir::isAbsolutePath(path) ? path : QFileInfo(link).path() + u'/' + path;
}

// Makes the file that a link to nothing names, empty and the owner's alone,
// before the driver manager makes it as open as the mask lets it. Only the
// file the link names is made, never one further along another link, where
// the password would land in a file nobody chose.
QString makeLinkTarget(const QString& link) {
    const QString target = linkTarget(link);
    const QByteArray name = QFile::encodeName(target);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        QString why = QString::fromLocal8Bit(std::strerror(errno));
        if (struct stat info {}; ::lstat(name.constData(), &info) == 0 && S_ISLNK(info.st_mode))
            why = QStringLiteral("it is a link itself");
        throw std::runtime_error(
            QStringLiteral("cannot create %1, the file %2 links to: %3").arg(target, link, why).toStdString());
    }
    ::fchmod(fd, 0600); // a mask may take the owner's own rights too
    ::close(fd);
    return QStringLiteral("Made %1, the file %2 links to, its owner's alone (mode 0600, it was not there)")
        .arg(target, link);
}

} // namespace

QString userOdbcIni() {
    const QString fromEnvironment = qEnvironmentVariable("ODBCINI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // The driver manager looks in the account's own home, not in $HOME: a data
    // source written anywhere else would never be found.
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir && *account->pw_dir)
        return QFile::decodeName(account->pw_dir) + QStringLiteral("/.odbc.ini");
    return QDir::homePath() + QStringLiteral("/.odbc.ini");
}

bool registerSqliteDataSource(const QString& name, const QString& databaseFile) {
    if (data::odbcDataSourceExists(name))
        return false;
    const QString file = QFileInfo(databaseFile).absoluteFilePath();
    // The file first: a data source must never name a file that is not there.
    data::createDatabaseFile(file);
    const QString iniFile = userOdbcIni();
    const int fd = ::open(QFile::encodeName(iniFile).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error(("cannot write " + iniFile + ": " + QString::fromLocal8Bit(std::strerror(errno)))
                                     .toStdString());
    QFile ini;
    if (!ini.open(fd, QIODevice::Append | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw std::runtime_error(("cannot write " + iniFile + ": " + ini.errorString()).toStdString());
    }
    QTextStream out(&ini);
    // Eight colleagues saving at once neither refuse one another's writes nor
    // hold up one another's reads with a write-ahead journal; a writer that
    // still finds the file locked waits up to 30 s for it.
    out << "\n[" << name << "]\n"
        << "Description=" << kDescription << "\n"
        << "Driver=SQLite3\n"
        << "Database=" << file << "\n"
        << "JournalMode=" << kJournalMode << "\n"
        << "Timeout=" << kTimeoutMs << "\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !ini.flush())
        throw std::runtime_error(("cannot write " + iniFile + ": " + ini.errorString()).toStdString());
    return true;
}

QString makeUserIniPrivate() {
    const QString path = userOdbcIni();
    // Made before the driver manager first looks for a data source in it,
    // which would make it as open as the mask lets it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::fchmod(fd, 0600); // a mask may take the owner's own rights too
        ::close(fd);
        return {};
    }
    // A link (a home whose settings live in a repository of their own) is
    // followed to the file the driver manager reads.
    const QFileInfo ini(path);
    if (ini.isSymLink() && !ini.exists())
        return makeLinkTarget(path);
    return makeOwnersAlone(ini.isSymLink() ? ini.canonicalFilePath() : ini.absoluteFilePath(), false);
}

std::optional<QString> repeatedDataSource(const QString& name) {
    const QString path = userOdbcIni();
    const std::optional<QStringList> lines = linesOf(path);
    if (!lines)
        return std::nullopt;
    const Section section = sectionOf(*lines, name);
    if (section.headers.size() < 2)
        return std::nullopt;
    QStringList at;
    for (const qsizetype header : section.headers)
        at << QString::number(header + 1);
    const QString last = at.takeLast();
    QStringList pointsAt;
    for (const QString& key : {QStringLiteral("Driver"), QStringLiteral("Servername"), QStringLiteral("Database")})
        if (const IniLine* line = section.find(key))
            pointsAt << key + u'=' + line->value;
    const bool twice = section.headers.size() == 2;
    return QStringLiteral("%1 holds the data source \"%2\" %3, at lines %4 and %5, and Zorbel would use the "
                          "first (%6): remove %7")
        .arg(path, name, twice ? QStringLiteral("twice") : QStringLiteral("%1 times").arg(section.headers.size()),
             at.join(QStringLiteral(", ")), last,
             pointsAt.isEmpty() ? QStringLiteral("an empty section") : pointsAt.join(QStringLiteral(", ")),
             twice ? QStringLiteral("one of them") : QStringLiteral("all but one"));
}

std::optional<QString> missingDatabaseFile(const QString& name) {
    if (!data::odbcDataSourceExists(name))
        return std::nullopt;
    const data::DataSourceSettings settings = data::dataSourceSettings(name);
    if (settings.engine != data::Engine::SQLite || settings.database.isEmpty()
        || QFileInfo::exists(settings.database))
        return std::nullopt;
    return settings.database;
}

QStringList bringForward(const QString& name) {
    const QString path = userOdbcIni();
    std::optional<QStringList> read = linesOf(path);
    if (!read)
        return {};
    QStringList lines = *std::move(read);
    const Section section = sectionOf(lines, name);
    const IniLine* description = section.find(QStringLiteral("Description"));
    const IniLine* driver = section.find(QStringLiteral("Driver"));
    if (!description || description->value != kDescription || !driver
        || data::engineOfDriver(driver->value, driver->value) != data::Engine::SQLite)
        return {};

    QStringList changed;
    const IniLine* timeout = section.find(QStringLiteral("Timeout"));
    const bool earlierTimeout = timeout && timeout->value == kEarlierTimeoutMs;
    QStringList settings;
    if (!section.find(QStringLiteral("JournalMode")))
        settings << QStringLiteral("JournalMode=") + kJournalMode;
    if (!timeout)
        settings << QStringLiteral("Timeout=") + kTimeoutMs;
    const qsizetype added = settings.size();
    if (earlierTimeout) {
        lines[timeout->index] = QStringLiteral("Timeout=") + kTimeoutMs;
        settings << QStringLiteral("Timeout=%1 (it was %2)").arg(kTimeoutMs, kEarlierTimeoutMs);
    }
    if (!settings.isEmpty()) {
        for (qsizetype i = added; i-- > 0;)
            lines.insert(section.end, settings[i]);
        QSaveFile out(path);
        out.setDirectWriteFallback(true);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Text) || out.write(lines.join(u'\n').toUtf8()) < 0
            || !out.commit())
            throw std::runtime_error(("cannot write " + path + ": " + out.errorString()).toStdString());
        changed << QStringLiteral("Brought the data source \"%1\" forward: %2")
                       .arg(name, settings.join(QStringLiteral(", ")));
    }

    // The file holds every record and password hash; its journal files hold the same.
    const IniLine* database = section.find(QStringLiteral("Database"));
    if (!database || database->value.isEmpty())
        return changed;
    for (const QString& file : databaseFiles(database->value))
        if (const QString done = makeOwnersAlone(file, false); !done.isEmpty())
            changed << done;
    if (isDatabaseFolder(database->value))
        if (const QString done = makeOwnersAlone(QFileInfo(database->value).absolutePath(), true); !done.isEmpty())
            changed << done;
    return changed;
}

} // namespace zorbel::setup
