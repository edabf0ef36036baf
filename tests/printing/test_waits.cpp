#include "printing/RunLater.h"
#include "run/PauseValue.h"
#include "runtime/Clock.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>

#include <cmath>
#include <ctime>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)

using namespace std::chrono_literals;

namespace {
double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}
} // namespace

class WaitsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { resetProgramEndForTesting(); }

    void pauseValueFollowsTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("value");
        const QString english = QStringLiteral("en_US");
        const QString german = QStringLiteral("de_DE");
        auto row = [](const char *name, const QString &locale, const char *text, std::optional<double> value) {
            QTest::newRow(name) << locale << QString::fromUtf8(text) << value;
        };
        row("decimal", english, "2.5", 2.5);
        row("blanks around", english, " \t10  ", 10.0);
        row("minus", english, "-3", -3.0);
        row("plus", english, "+4", 4.0);
        row("exponent", english, "1e1", 10.0);
        row("exponent with sign", english, "2.5E-1", 0.25);
        row("no whole part", english, ".5", 0.5);
        row("no fraction", english, "5.", 5.0);
        row("empty", english, "", std::nullopt);
        row("letters", english, "abc", std::nullopt);
        row("trailing letters", english, "5s", std::nullopt);
        row("other locale's separator", english, "1,5", std::nullopt);
        row("blank inside", english, "1 2", std::nullopt);
        row("exponent without digits", english, "1e", std::nullopt);
        row("beyond a double", english, "1e999", std::nullopt);
        row("comma locale", german, "2,5", 2.5);
        row("comma locale refuses a point", german, "2.5", std::nullopt);
    }

    void pauseValueFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(std::optional<double>, value);
        QCOMPARE(pauseValue(text, QLocale(locale)), value);
    }

    void aSliceIsAFifthAndNeedsANumber()
    {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        QCOMPARE(pauseSliceSeconds(QStringLiteral(" 2,5 ")), 0.5);
        QVERIFY(!isPauseNumeric(QStringLiteral("2.5")));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(pauseSliceSeconds(QStringLiteral("10")), 2.0);
        try {
            pauseSliceSeconds(QStringLiteral("ten"));
            QFAIL("a text that is not a number gave a slice");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), ErrorNumber::TypeMismatch);
        }
    }

    void nothingToWaitReturnsWithoutHandlingEvents()
    {
        bool handled = false;
        const RunLater posted(0ms, [&] { handled = true; });
        for (double seconds : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()})
            realClock().waitSeconds(seconds);
        QVERIFY(!handled);
        QTRY_VERIFY(handled);
    }

    void aWaitLastsItsTimeAndHandlesEventsMeanwhile()
    {
        bool handled = false;
        const RunLater posted(50ms, [&] { handled = true; });
        QElapsedTimer clock;
        clock.start();
        realClock().waitSeconds(0.3);
        QVERIFY(clock.elapsed() >= 300);
        QVERIFY(handled);
    }

    // A wait that spun on the event queue would use a whole core for the whole wait.
    void aWaitSleepsInsteadOfSpinning()
    {
        const double cpuBefore = processCpuSeconds();
        realClock().waitSeconds(1.0);
        QVERIFY2(processCpuSeconds() - cpuBefore < 0.5, "waiting kept the processor busy");
    }

    void aWaitEndsWhenTheProgramEnds()
    {
        const RunLater closing(100ms, &beginProgramEnd);
        QElapsedTimer clock;
        clock.start();
        realClock().waitSeconds(60);
        QVERIFY(clock.elapsed() < 30'000);
    }

    // The few waits that must not leave before what they wait for is over.
    void aWaitMadeToOutlastTheEndGoesOnUntilItsCondition()
    {
        beginProgramEnd();
        bool arrived = false;
        const RunLater arriving(50ms, [&] { arrived = true; });
        QVERIFY(!sleepUntil([&] { return arrived; }, QDeadlineTimer(5s)));
        QVERIFY(!arrived);
        QVERIFY(sleepUntil([&] { return arrived; }, QDeadlineTimer(5s), WhileEnding::KeepWaiting));
        QVERIFY(!sleepUntil([] { return false; }, QDeadlineTimer(50ms), WhileEnding::KeepWaiting));
    }

    // The print-run tests wait on this clock instead of the real one: it must keep the real
    // waits' rules, and hear of every wait, while taking no time.
    void aManualClockWaitsByTheSameRulesWithoutTakingTime()
    {
        ManualClock clock;
        bool handled = false;
        const RunLater posted(0ms, [&] { handled = true; });
        clock.waitSeconds(0);
        clock.waitSeconds(std::numeric_limits<double>::quiet_NaN());
        QVERIFY(!handled);
        QElapsedTimer real;
        real.start();
        clock.waitSeconds(2.5);
        QVERIFY(handled);
        QCOMPARE(clock.elapsed(), 2500ms);
        QVERIFY(real.elapsed() < 1000);
        beginProgramEnd();
        clock.waitSeconds(10);
        QCOMPARE(clock.elapsed(), 2500ms);
        QCOMPARE(clock.waits.size(), 4);
        QCOMPARE(clock.waits.mid(2), (QList<double>{2.5, 10}));
    }
};

QUILLBRAE_TEST_MAIN(WaitsTest)
#include "test_waits.moc"
