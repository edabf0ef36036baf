#include "printers/CupsPrinterSystem.h"

#include "printers/CupsCallThread.h"
#include "printers/CupsConnection.h"
#include "printers/CupsDestinations.h"
#include "printers/CupsPageLayout.h"
#include "printers/CupsPdfJob.h"
#include "printers/KeptPrintQueue.h"
#include "printers/RestoreRecordError.h"
#include "runtime/RuntimeError.h"

namespace {
// A local server answers in milliseconds; these only bound a server that has stopped answering.
// A job carries a whole document, so it is given longer.
constexpr std::chrono::seconds kJobTimeLimit{30};
constexpr std::chrono::seconds kPageLayoutTimeLimit{10};

// Whether libcups takes the default from a variable: LPDEST, else PRINTER unless it is "lp" (the
// traditional name that means no choice at all).
bool variableDecidesDefault()
{
    return qEnvironmentVariableIsSet("LPDEST") ||
           (qEnvironmentVariableIsSet("PRINTER") && qEnvironmentVariable("PRINTER") != QLatin1String("lp"));
}

// The chosen printer as the server names it, and the default as it stands.
struct Lookup
{
    bool known = false;
    QString chosenName;
    QString defaultName;
};

// Makes the named destination the user's default, or with an empty name leaves the user without
// one, keeping every other printer option the user saved.
void saveUserDefault(std::chrono::milliseconds timeLimit, const QString &name)
{
    CupsCallThread::run([timeLimit, name] {
        CupsConnection connection(timeLimit);
        CupsDestinations destinations(connection);
        const cups_dest_t *destination = destinations.find(name);
        if (!destination && !name.isEmpty())
            throwPrinterError(QStringLiteral("There is no printer named \"%1\".").arg(name));
        destinations.saveUserDefault(destination);
    });
}

// Puts a record that other copies share back as it was, as far as the disk lets it.
void restoreRecord(DefaultPrinterRecord &record, const DefaultPrinterState &state)
{
    try {
        record.write(state);
    } catch (const RuntimeError &) {
        // A record that could not be written either is still the old one: writes are all or nothing.
    }
}
} // namespace

CupsPrinterSystem::CupsPrinterSystem(std::chrono::milliseconds timeLimit)
    : m_timeLimit(timeLimit), m_queue(std::make_unique<KeptPrintQueue>())
{}

CupsPrinterSystem::~CupsPrinterSystem() = default;

QStringList CupsPrinterSystem::printerNames()
{
    return CupsCallThread::run<QStringList>([limit = m_timeLimit] {
        CupsConnection connection(limit);
        return CupsDestinations(connection).names();
    });
}

QString CupsPrinterSystem::defaultPrinterName()
{
    return CupsCallThread::run<QString>([limit = m_timeLimit] {
        CupsConnection connection(limit);
        cups_dest_t *destination = cupsGetNamedDest(connection.http(), nullptr, nullptr);
        if (!destination) {
            connection.checkAnswered();
            // libcups says why: no default anywhere, or the one named does not exist.
            throwPrinterError(QString::fromUtf8(cupsLastErrorString()));
        }
        QString name = destinationName(*destination);
        cupsFreeDests(1, destination);
        return name;
    });
}

void CupsPrinterSystem::restoreDefault()
{
    // The user's options, which the jobs carry, are saved with the default.
    m_queue->forget();
    if (m_found)
        putBack();
}

void CupsPrinterSystem::switchDefault(const QString &name)
{
    m_queue->forget();
    if (name.isEmpty())
        throwPrinterError(QStringLiteral("No printer was named."));

    const Lookup lookup = CupsCallThread::run<Lookup>([limit = m_timeLimit, name] {
        CupsConnection connection(limit);
        const CupsDestinations destinations(connection);
        const cups_dest_t *chosen = destinations.find(name);
        return Lookup{chosen != nullptr, chosen ? destinationName(*chosen) : QString(), destinations.defaultName()};
    });
    if (!lookup.known)
        throwPrinterError(QStringLiteral("There is no printer named \"%1\".").arg(name));

    const bool firstSwitch = !m_found;
    if (firstSwitch) {
        if (sameDestination(lookup.chosenName, lookup.defaultName))
            return; // already the default: nothing to change, nothing to put back later
        const UserPrinterOptions options = UserPrinterOptions::read();
        m_found = FoundDefault{variableDecidesDefault(),
                               DefaultPrinterState{lookup.defaultName, options, QString(), options}};
    }

    if (m_found->decidedByVariable)
        return;
    try {
        switchUserDefault(lookup.chosenName);
    } catch (const RestoreRecordError &) {
        // Refused before anything changed: there is nothing to put back.
        if (firstSwitch)
            m_found.reset();
        throw;
    }
}

void CupsPrinterSystem::switchUserDefault(const QString &chosenName)
{
    DefaultPrinterRecord record;
    std::optional<DefaultPrinterState> shared = record.read();
    // A record that no running copy holds, whose switch the user has since undone, tells nothing.
    if (shared && !record.held() && !sameDestination(UserPrinterOptions::read().defaultName(), shared->setDefault))
        shared.reset();
    // What the way back needs is on disk before anything changes. The record names the printer
    // about to be set, so that a start after the program was killed puts the default back from it
    // alone wherever that printer is still the default.
    DefaultPrinterState state = shared ? *shared : m_found->state;
    state.setDefault = chosenName;
    record.write(state);
    try {
        record.hold();
        saveUserDefault(m_timeLimit, chosenName);
    } catch (...) {
        // Nothing changed: a record that only this switch needed goes again, a shared one stays as
        // it was.
        const bool last = record.letGoAsLast();
        if (!shared && last)
            record.remove();
        else if (shared)
            restoreRecord(record, *shared);
        throw;
    }
    // The window may have been closed during the switch, and the default already put back.
    if (!m_found)
        return;
    m_found->state = state;
    // With the options as the switch left them, the way back can put them back byte for byte.
    state.written = UserPrinterOptions::read();
    try {
        record.write(state);
        m_found->state = state;
    } catch (const RuntimeError &) {
        // The record written before the switch still serves: finding the options other than it
        // says, the way back puts back the default alone and keeps the rest of them.
    }
}

void CupsPrinterSystem::putBack()
{
    const FoundDefault found = *m_found;
    m_found.reset();
    if (found.decidedByVariable)
        return; // the switch changed nothing
    DefaultPrinterRecord record;
    const DefaultPrinterState state = record.read().value_or(found.state);
    // While another copy's run goes on, its printer stays the default; the last run to end puts
    // back what the first one found.
    if (!record.letGoAsLast())
        return;
    restoreUserDefault(state);
    record.remove();
}

void CupsPrinterSystem::restoreUserDefault(const DefaultPrinterState &state)
{
    // On the print-server thread, behind any switch still on its way there.
    CupsCallThread::run([state, limit = m_timeLimit] {
        // Untouched since the program's switch: it goes back byte for byte, without the server.
        if (UserPrinterOptions::read() == state.written) {
            state.previousOptions.restore();
            return;
        }
        // Someone else changed the options meanwhile: only the default is put back, their change
        // is kept.
        saveUserDefault(limit, state.previousOptions.hasDefault() ? state.previousDefault : QString());
    });
}

std::optional<UnrestoredDefault> CupsPrinterSystem::recoverInterruptedSwitch()
{
    // Taking access would make the record's folder and lock files; a start with no record has no
    // need of them. A copy that switches meanwhile puts its own switch back.
    if (!DefaultPrinterRecord::exists())
        return std::nullopt;
    std::optional<DefaultPrinterRecord> record;
    try {
        record.emplace();
    } catch (const RuntimeError &) {
        return std::nullopt; // no record to be had: the next start looks again
    }
    if (record->held())
        return std::nullopt; // a running copy puts the default back when its run ends
    const std::optional<DefaultPrinterState> state = record->read();
    std::optional<UnrestoredDefault> unrestored;
    // The user has picked another default since: that choice stays.
    if (state && sameDestination(UserPrinterOptions::read().defaultName(), state->setDefault)) {
        try {
            restoreUserDefault(*state);
        } catch (const std::exception &error) {
            // Tried again at every start, it would fail the same way unseen; the user hears of it
            // once and can choose the default again.
            unrestored = UnrestoredDefault{state->previousDefault, QString::fromStdString(error.what())};
        }
    }
    record->remove();
    return unrestored;
}

QPageLayout CupsPrinterSystem::defaultPageLayout(const QString &printer)
{
    try {
        return CupsCallThread::run<QPageLayout>([this, printer] {
            cups_dest_t *queue = m_queue->find(printer, kPageLayoutTimeLimit);
            return queue ? queuePageLayout(m_queue->server(), *queue, m_queue->details()) : fallbackPageLayout();
        });
    } catch (const RuntimeError &) {
        // Page setup never fails: without the server's word the page is A4 and upright. The
        // connection may be broken: the next call makes a new one.
        m_queue->forget();
        return fallbackPageLayout();
    }
}

QList<PaperSize> CupsPrinterSystem::paperSizes(const QString &printer)
{
    try {
        return CupsCallThread::run<QList<PaperSize>>([this, printer] {
            cups_dest_t *queue = m_queue->find(printer, kPageLayoutTimeLimit);
            return queue ? queuePaperSizes(m_queue->server(), *queue, m_queue->details()) : QList<PaperSize>();
        });
    } catch (const RuntimeError &) {
        m_queue->forget();
        return {};
    }
}

std::optional<QPageLayout> CupsPrinterSystem::paperLayout(const QString &printer, const QString &paper)
{
    try {
        return CupsCallThread::run<std::optional<QPageLayout>>([this, printer, paper] {
            cups_dest_t *queue = m_queue->find(printer, kPageLayoutTimeLimit);
            return queue ? namedPaperLayout(m_queue->server(), *queue, m_queue->details(), paper) : std::nullopt;
        });
    } catch (const RuntimeError &) {
        m_queue->forget();
        return std::nullopt;
    }
}

int CupsPrinterSystem::submitPdfJob(const QString &printer, const QString &title, const QByteArray &pdf,
                                    const JobOptions &options)
{
    return CupsCallThread::run<int>([this, printer, title, pdf, options] {
        try {
            cups_dest_t *queue = m_queue->find(printer, kJobTimeLimit);
            if (!queue)
                refuseUnknownQueue(printer);
            return ::submitPdfJob(m_queue->server(), *queue, m_queue->details(), printer, title, pdf, options);
        } catch (...) {
            // The printer may have gone or changed: the next page looks it up again.
            m_queue->forget();
            throw;
        }
    });
}
