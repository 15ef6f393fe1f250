// The soak probe over a real main window: what it writes for the driver to read (run starts and
// ends, each run's memo and slices, message boxes, the state file) and that it shows the boxes
// as the program would without it.
#include "app/soak_probe.h"

#include "base/handler_errors.h"
#include "run_fixture.h"

#include <QTest>

namespace tallyrun::test {
namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Hex(const std::string& bytes)
{
    return QByteArray::fromStdString(bytes).toHex().toStdString();
}

class SoakProbeTest : public RunTest
{
protected:
    std::string Events() const { return ReadFile(probeDir + "/events"); }

    QTemporaryDir out;
    std::string probeDir = out.path().toStdString() + "/probe";
};

TEST_F(SoakProbeTest, RunsAndTheirMemoAndSlicesAreWrittenAsTheWindowHasThem)
{
    MakeFile("a.bin", 1000);
    MakeFile("Documents/b.bin", 250);
    std::vector<QString> shown;
    SetHandlerErrorDisplay([&shown](const QString& m) { shown.push_back(m); });
    {
        TSoakProbe probe(window, QString::fromStdString(probeDir));
        Run();
        // A stop during the second run: its end is logged as stopped.
        folder.onCall = [this](int call) {
            if (call == 8)
                window.TB_StopClick(nullptr);
        };
        Run();
        ShowHandlerError(QStringLiteral("ファイル x を作成できません"));
        EXPECT_TRUE(QTest::qWaitFor(
            [this] {
                return ReadFile(probeDir + "/state").find("runs 2 1 1\n") != std::string::npos;
            },
            2000));
    }
    SetHandlerErrorDisplay({});
    // The box still reached the display that was in place before the probe.
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("ファイル x を作成できません")}));

    const std::string events = Events();
    EXPECT_NE(events.find("run_start 1 "), std::string::npos);
    std::string startLine = Hex(root + "/");
    startLine += '\n';
    EXPECT_NE(events.find(startLine), std::string::npos) << events;
    EXPECT_NE(events.find("finished\n"), std::string::npos);
    EXPECT_NE(events.find("stopped\n"), std::string::npos);
    EXPECT_NE(events.find("error "), std::string::npos);
    EXPECT_NE(events.find("probe_end"), std::string::npos);

    // The first run's files are the window's memo and slices as that run left them.
    const std::string memo = ReadFile(probeDir + "/run-1.memo");
    EXPECT_NE(memo.find("\t1,000 Byte\n"), std::string::npos) << memo;
    EXPECT_NE(memo.find("\t250 Byte\n"), std::string::npos) << memo;
    const std::string slices = ReadFile(probeDir + "/run-1.slices");
    EXPECT_NE(slices.find(Hex("root") + "\t1000\n"), std::string::npos) << slices;
    EXPECT_NE(slices.find(Hex("Docum...") + "\t250\n"), std::string::npos) << slices;
}

TEST_F(SoakProbeTest, WithoutTheVariableThereIsNoProbe)
{
    qunsetenv("TALLYRUN_SOAK_PROBE");
    EXPECT_EQ(StartSoakProbeIfAsked(window), nullptr);
    qputenv("TALLYRUN_SOAK_PROBE", QByteArray::fromStdString(probeDir));
    EXPECT_NE(StartSoakProbeIfAsked(window), nullptr);
    qunsetenv("TALLYRUN_SOAK_PROBE");
}

} // namespace
} // namespace tallyrun::test
