// The main dialog: Apply, OK and the exit question wired to a database file
// that another program holds, other devices' notices, the receiver's other
// program and the About box.
#include "resources/resource.h"
#include "tests/e2e/Scenario.h"

#include <dbt.h>

namespace {

constexpr char kAboutTitle[] = "About NorvaneData V1.7.2.0";

// The file opened without sharing, as a backup program or an editor may hold it.
class HeldFile {
public:
    explicit HeldFile(const std::string& path)
        : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { Release(); }
    bool Held() const { return handle != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (Held())
            CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle;
};

void ExpectSaveFailureMessage(const LumisatRun& run, const char* step)
{
    const std::string text = run.AnswerNextBox(IDOK);
    EXPECT_EQ(text.rfind("The changes could not be saved.", 0), 0u) << step << ": " << text;
    EXPECT_NE(text.find("save_held_file\\satedata.dll"), std::string::npos) << step << ": names the file: " << text;
}

// On the demo line-up, where Astra's transponder locks.
bool StartWithAstra(LumisatRun& run)
{
    run.WriteIni(DemoIni());
    run.WriteFile("satedata.dll", SatelliteFileBytes({Astra()}));
    if (!run.Start())
        return false;
    run.WaitForStartupLock();
    return true;
}

void SendDeviceNotice(HWND dialog, WPARAM event, DEV_BROADCAST_HDR* record)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record), SMTO_NORMAL, 5000, &ignored);
}

}  // namespace

TEST(MainDialog, AFailedSaveIsToldAndKeepsTheChangesUntilItSucceeds)
{
    LumisatRun run("save_held_file");
    ASSERT_TRUE(StartWithAstra(run));
    HWND main = run.MainDialog();
    const std::string before = run.ReadFile("satedata.dll");

    HWND tone = run.Control(IDC_LNB_TONE_22K);
    SendMessageA(tone, BM_SETCHECK, BST_CHECKED, 0);
    SendNotification(tone, BN_CLICKED);
    HWND apply = run.Control(IDC_MAIN_APPLY);
    ASSERT_TRUE(IsWindowEnabled(apply));

    HeldFile held(run.PathOf("satedata.dll"));
    ASSERT_TRUE(held.Held());
    Click(apply);
    ExpectSaveFailureMessage(run, "Apply");
    EXPECT_TRUE(IsWindowEnabled(apply));

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ExpectSaveFailureMessage(run, "OK");
    EXPECT_TRUE(IsWindowVisible(main)) << "nothing looks saved that is not";
    EXPECT_TRUE(IsWindowEnabled(apply));

    run.PostFrameCommand(kExitCommand);
    EXPECT_EQ(run.AnswerNextBox(IDYES), "The App will exit,save current changed settings and data?");
    ExpectSaveFailureMessage(run, "Exit");
    EXPECT_FALSE(run.WaitForExit(std::chrono::milliseconds(1000))) << "the changes are not dropped";
    held.Release();
    EXPECT_EQ(run.ReadFile("satedata.dll"), before) << "the old file stays as it was";

    // Once the file is free, the next Exit's Yes saves the change, the
    // settings and the motor values.
    run.PostFrameCommand(kExitCommand);
    EXPECT_EQ(run.AnswerNextBox(IDYES), "The App will exit,save current changed settings and data?");
    ASSERT_TRUE(run.WaitForExit());
    std::vector<FileSatellite> saved;
    ASSERT_TRUE(ParseSatelliteFile(run.ReadFile("satedata.dll"), saved));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].tone22k, 1);
    EXPECT_EQ(saved[0].transponders.size(), 1u);
    EXPECT_EQ(run.RegistryString("CurSatellite"), "Astra");
    EXPECT_EQ(run.RegistryString("Motor Longitude"), "11.9");
}

TEST(MainDialog, OnlyTheReceiversDeviceNoticesCount)
{
    LumisatRun run("device_notices");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    HWND main = run.MainDialog();

    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << 4;
    DEV_BROADCAST_DEVICEINTERFACE_A otherInterface{};
    otherInterface.dbcc_size = sizeof otherInterface;
    otherInterface.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    otherInterface.dbcc_classguid = {0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
    for (WPARAM event : {WPARAM(DBT_DEVICEARRIVAL), WPARAM(DBT_DEVICEREMOVECOMPLETE)}) {
        SendDeviceNotice(main, event, reinterpret_cast<DEV_BROADCAST_HDR*>(&volume));
        SendDeviceNotice(main, event, reinterpret_cast<DEV_BROADCAST_HDR*>(&otherInterface));
        SendDeviceNotice(main, event, nullptr);
    }
    EXPECT_TRUE(run.NoMessageBoxFor(milliseconds(500)));
    EXPECT_TRUE(run.IsRunning());

    DEV_BROADCAST_DEVICEINTERFACE_A receiver = otherInterface;
    receiver.dbcc_classguid = {0x7A30FB62, 0x1DF4, 0x408C, {0xB1, 0x39, 0x00, 0x2F, 0x14, 0x5D, 0xF1, 0x89}};
    SendDeviceNotice(main, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<DEV_BROADCAST_HDR*>(&receiver));
    EXPECT_TRUE(run.WaitForExit()) << "the receiver's removal still closes the program";
}

TEST(MainDialog, TheReceiversOtherProgramKeepsLumisatFromStarting)
{
    LumisatRun run("other_program");
    run.WriteIni(CardIni(0));
    HANDLE other = CreateMutexA(nullptr, FALSE, "{A3673CEC-FD36-42af-8ABC-394DBBA881F2}");
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(run.Launch());
    EXPECT_EQ(run.AnswerNextBox(IDOK), "Norvane DTV already run in your system, please close it.");
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_TRUE(run.CallLogLines().empty()) << "the card is never touched";
    CloseHandle(other);
}

TEST(MainDialog, OneAboutBoxAboveTheMainDialog)
{
    LumisatRun run("about_once");
    run.WriteIni(CardIni(0));
    ASSERT_TRUE(run.Start());
    run.PostFrameCommand(kAboutCommand);
    HWND about = run.WaitForWindow(kAboutTitle);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "NorvaneData Version V1.7.2.0");
    run.PostFrameCommand(kAboutCommand);
    SendMessageTimeoutA(run.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);   // the second request was handled

    EXPECT_EQ(ProcessWindows(run.ProcessId(), WindowFilter{nullptr, kAboutTitle, true}).size(), 1u);
    EXPECT_EQ(GetWindow(about, GW_OWNER), run.MainDialog()) << "owned, so it stays above the main dialog";
}
