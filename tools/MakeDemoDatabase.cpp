// Writes the demo channel databases that go with the simulator's demo line-up
// (simulator/demo): satedata.dll, cabledata.dll and DTTdata.dll in the folder
// given as the only argument.
#include "database/ChannelDatabase.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
struct DemoPid {
    int pid;
    int loaded;
};

struct DemoTransponder {
    const char* name;
    int frequency;
    int symbolRate;
    int polarity;
    DemoPid pids[2];
};

void AddSatellite(CChannelDatabase& database, const char* name, int degree, int port)
{
    auto satellite = std::make_unique<SatelliteRecord>();
    std::snprintf(satellite->name, sizeof(satellite->name), "%s", name);
    satellite->degree = degree;
    satellite->diseqcPort = port;
    satellite->lnbPower = 1;
    satellite->lnbType = 1;
    satellite->lnbFreq1 = 9750;
    satellite->lnbFreq2 = 10600;
    database.AddSatellite(std::move(satellite), 1);
}

void AddTransponder(CChannelDatabase& database, const DemoTransponder& demo)
{
    auto transponder = std::make_unique<TransponderRecord>();
    std::snprintf(transponder->name, sizeof(transponder->name), "%s", demo.name);
    transponder->frequency = demo.frequency;
    transponder->symbolRate = demo.symbolRate;
    transponder->polarity = demo.polarity;
    database.AddTransponder(std::move(transponder), 1);
    for (const DemoPid& demoPid : demo.pids) {
        if (demoPid.pid == 0)
            continue;
        auto pid = std::make_unique<PidRecord>();
        pid->pid = demoPid.pid;
        pid->loaded = demoPid.loaded;
        pid->type = 2;
        database.AddPid(std::move(pid), 1);
    }
}

bool WriteSatelliteDemo(const std::string& folder)
{
    CChannelDatabase database;
    database.Load(std::string());   // an empty database to fill
    AddSatellite(database, "Astra 19.2E", 192, 1);
    AddTransponder(database, {"11494H/22000", 11494, 22000, 1, {{0x100, 1}, {0x101, 0}}});
    AddTransponder(database, {"11362H/22000", 11362, 22000, 1, {{0x200, 0}, {0, 0}}});
    AddSatellite(database, "Hot Bird 13.0E", 130, 2);
    AddTransponder(database, {"10971H/29700", 10971, 29700, 1, {{0x400, 1}, {0, 0}}});
    AddTransponder(database, {"11034V/27500", 11034, 27500, 0, {{0x500, 0}, {0, 0}}});
    AddSatellite(database, "Astra 28.2E", 282, 3);
    AddTransponder(database, {"10773H/22000", 10773, 22000, 1, {{0x700, 1}, {0, 0}}});
    return database.Save(folder + "satedata.dll") == 1;
}

bool WriteChannelDemo(const std::string& file, const DemoTransponder (&channels)[3], const char* const (&names)[3])
{
    CChannelDatabase database;
    database.Load(std::string());
    for (int i = 0; i < 3; ++i) {
        auto channel = std::make_unique<SatelliteRecord>();
        std::snprintf(channel->name, sizeof(channel->name), "%s", names[i]);
        channel->degree = kChannelDegree;
        channel->lnbPower = 1;
        channel->lnbType = 1;
        database.AddSatellite(std::move(channel), 1);
        AddTransponder(database, channels[i]);
    }
    return database.Save(file) == 1;
}
}   // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeDemoDatabase <folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    const DemoTransponder cable[3] = {{"", 474000, 6900, 64, {{0x100, 1}, {0, 0}}},
                                      {"", 482000, 6875, 256, {{0x200, 0}, {0, 0}}},
                                      {"", 330000, 0, 0, {{0x300, 1}, {0, 0}}}};
    const char* const cableNames[3] = {"City Net 474", "City Net 482", "Data 330 (auto)"};
    const DemoTransponder terrestrial[3] = {{"", 506000, 8, 0, {{0x100, 1}, {0, 0}}},
                                            {"", 626000, 8, 0, {{0x200, 0}, {0, 0}}},
                                            {"", 177500, 0, 0, {{0x300, 1}, {0, 0}}}};
    const char* const terrestrialNames[3] = {"Mux 506", "Mux 626", "Band III (auto)"};
    bool ok = WriteSatelliteDemo(folder) && WriteChannelDemo(folder + "cabledata.dll", cable, cableNames) &&
              WriteChannelDemo(folder + "DTTdata.dll", terrestrial, terrestrialNames);
    if (!ok)
        std::fprintf(stderr, "could not write the demo databases to %s\n", folder.c_str());
    return ok ? 0 : 1;
}
