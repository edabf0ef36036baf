#include "printers/DefaultPrinterRecord.h"

#include "printers/CupsConnection.h"
#include "printers/OwnFiles.h"
#include "printers/RestoreRecordError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The locks are flock() locks rather than QLockFile: QLockFile judges a holder alive by its process
// id, its executable's name and the lock's age, and a run outlasts any age limit; a lock the kernel
// keeps for the open file ends exactly with the process that holds it.
namespace {
constexpr int kAccessWaitMs = 5000;
constexpr auto kRecordName = "default-printer.json";
constexpr auto kAccessName = "default-printer.lock";
constexpr auto kHoldersName = "default-printer.holders";

QString pathOf(const char *name)
{
    return DefaultPrinterRecord::folder() + QLatin1Char('/') + QLatin1String(name);
}

// Never through a link, as every file of the record's (see OwnFiles).
int openLockFile(const char *name)
{
    const QByteArray path = QFile::encodeName(pathOf(name));
    return ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

// The access lock, taken once per process: a call that comes in while the program waits inside
// another one (the window closed in the middle of a switch) shares it.
int accessDescriptor = -1;
int accessDepth = 0;

// This process's hold: a shared lock on the holders' file, kept open from the switch to the way
// back. Every holder's shared lock keeps anyone from taking the file exclusively.
int &ownHold()
{
    static int descriptor = -1;
    return descriptor;
}

std::optional<DefaultPrinterState> parseState(const QByteArray &bytes)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject json = document.object();
    const QJsonValue previousDefault = json.value(QStringLiteral("previousDefault"));
    const QJsonValue setDefault = json.value(QStringLiteral("setDefault"));
    const auto previousOptions = UserPrinterOptions::fromJson(json.value(QStringLiteral("previousOptions")).toObject());
    const auto written = UserPrinterOptions::fromJson(json.value(QStringLiteral("written")).toObject());
    if (!previousDefault.isString() || !setDefault.isString() || !previousOptions || !written)
        return std::nullopt;
    return DefaultPrinterState{previousDefault.toString(), *previousOptions, setDefault.toString(), *written};
}
} // namespace

QString DefaultPrinterRecord::folder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Quillbrae");
}

bool DefaultPrinterRecord::exists()
{
    // A link there counts too, even one that leads nowhere, so that recovery gets rid of it.
    const QFileInfo record(pathOf(kRecordName));
    return record.exists() || record.isSymLink();
}

DefaultPrinterRecord::DefaultPrinterRecord()
{
    if (accessDepth > 0) {
        ++accessDepth;
        return;
    }
    try {
        OwnFiles::prepareFolder(folder());
    } catch (const RuntimeError &error) {
        throw RestoreRecordError(error.description());
    }
    const int descriptor = openLockFile(kAccessName);
    if (descriptor < 0)
        throw RestoreRecordError(QStringLiteral("Cannot use the folder %1: %2.").arg(folder(), qt_error_string(errno)));
    // Other copies hold it for a file write or one switch, which are bounded.
    const QDeadlineTimer patience(kAccessWaitMs);
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || patience.hasExpired()) {
            ::close(descriptor);
            throwPrinterError(QStringLiteral("Another copy of the program keeps the default printer's record busy."));
        }
        QThread::msleep(20);
    }
    accessDescriptor = descriptor;
    accessDepth = 1;
}

DefaultPrinterRecord::~DefaultPrinterRecord()
{
    if (--accessDepth == 0) {
        ::close(accessDescriptor); // lets go of the lock with it
        accessDescriptor = -1;
    }
}

std::optional<DefaultPrinterState> DefaultPrinterRecord::read() const
{
    const std::optional<QByteArray> bytes = OwnFiles::read(pathOf(kRecordName));
    return bytes ? parseState(*bytes) : std::nullopt;
}

void DefaultPrinterRecord::write(const DefaultPrinterState &state)
{
    const QJsonObject json{{QStringLiteral("previousDefault"), state.previousDefault},
                           {QStringLiteral("previousOptions"), state.previousOptions.toJson()},
                           {QStringLiteral("setDefault"), state.setDefault},
                           {QStringLiteral("written"), state.written.toJson()}};
    // Under the access lock: no other copy writes meanwhile.
    try {
        OwnFiles::replace(pathOf(kRecordName), QJsonDocument(json).toJson());
    } catch (const RuntimeError &error) {
        throw RestoreRecordError(error.description());
    }
}

void DefaultPrinterRecord::remove()
{
    QFile::remove(pathOf(kRecordName));
}

void DefaultPrinterRecord::hold()
{
    if (ownHold() >= 0)
        return;
    const int descriptor = openLockFile(kHoldersName);
    if (descriptor < 0 || ::flock(descriptor, LOCK_SH | LOCK_NB) != 0) {
        if (descriptor >= 0)
            ::close(descriptor);
        throwPrinterError(QStringLiteral("Cannot hold the default printer's record."));
    }
    ownHold() = descriptor;
}

bool DefaultPrinterRecord::letGoAsLast()
{
    if (ownHold() >= 0) {
        ::close(ownHold());
        ownHold() = -1;
    }
    return !held();
}

bool DefaultPrinterRecord::held() const
{
    // Nobody holds the record exactly when the holders' file can be taken for oneself; the access
    // lock keeps anyone from taking a new hold meanwhile.
    const int probe = openLockFile(kHoldersName);
    if (probe < 0)
        return false;
    const bool free = ::flock(probe, LOCK_EX | LOCK_NB) == 0;
    ::close(probe);
    return !free;
}
