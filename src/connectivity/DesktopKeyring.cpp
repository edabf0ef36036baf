#include "connectivity/DesktopKeyring.h"

#include "runtime/EventSleep.h"

#include <QCoreApplication>

#include <qt6keychain/keychain.h>

#include <chrono>
#include <memory>

namespace {
// A locked keyring asks the user to unlock it; past this, it counts as not there.
constexpr std::chrono::minutes kKeyringAnswerLimit{2};

struct JobEnd
{
    bool ended = false;
    QKeychain::Error error = QKeychain::OtherError;
    QByteArray data;
};

// Starts the job and waits for its end with the event loop running, so the windows stay alive
// while the keyring answers. A job that has not ended by the limit, or when the program ends,
// counts as failed; it still deletes itself once it ends.
JobEnd runJob(QKeychain::Job *job)
{
    const auto end = std::make_shared<JobEnd>();
    QObject::connect(job, &QKeychain::Job::finished, job, [end](QKeychain::Job *finished) {
        end->ended = true;
        end->error = finished->error();
        if (const auto *read = qobject_cast<const QKeychain::ReadPasswordJob *>(finished))
            end->data = read->binaryData();
    });
    job->start();
    sleepUntil([&] { return end->ended; }, QDeadlineTimer(kKeyringAnswerLimit));
    return *end;
}

QString service()
{
    return QCoreApplication::applicationName();
}
} // namespace

Keyring::Found DesktopKeyring::read(const QString &key)
{
    auto *job = new QKeychain::ReadPasswordJob(service());
    job->setKey(key);
    const JobEnd end = runJob(job);
    if (end.ended && end.error == QKeychain::NoError)
        return {true, end.data};
    return {end.ended && end.error == QKeychain::EntryNotFound, std::nullopt};
}

bool DesktopKeyring::write(const QString &key, const QByteArray &secret)
{
    auto *job = new QKeychain::WritePasswordJob(service());
    job->setKey(key);
    job->setBinaryData(secret);
    const JobEnd end = runJob(job);
    return end.ended && end.error == QKeychain::NoError;
}
